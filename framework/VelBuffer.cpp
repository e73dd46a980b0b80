#include "framework/VelBuffer.h"

#include "framework/VelGraphicsDevice.h"

bool VelBuffer::Create(uint32_t bindFlagsIn, uint32_t sizeInBytes, uint32_t usageKind,
                       const void* initialData) {
  Release();
  if ((bindFlagsIn & VelBind::ConstantBuffer) && sizeInBytes % 16 != 0) return false;
  if (usageKind > VelUsage::Staging || sizeInBytes == 0) return false;
  // An immutable buffer is useless without its contents.
  if (usageKind == VelUsage::Immutable && !initialData) return false;
  buffer =
      VelGraphicsDevice::GetInstance().CreateBufferResource(bindFlagsIn, sizeInBytes, usageKind, initialData);
  if (!buffer) return false;
  capacity = sizeInBytes;
  usage = usageKind;
  bindFlags = bindFlagsIn;
  return true;
}

bool VelBuffer::WriteData(const void* data, uint32_t sizeInBytes) {
  if (!buffer) return false;
  VelGraphicsDevice& device = VelGraphicsDevice::GetInstance();
  switch (usage) {
    case VelUsage::Default:
      // A whole-resource update: the data must cover the buffer.
      if (!data || sizeInBytes < capacity) return false;
      return device.WriteBufferResource(*buffer, data, capacity);
    case VelUsage::Dynamic:
      if (!data || capacity < sizeInBytes) return device.WriteBufferResource(*buffer, nullptr, capacity);
      return device.WriteBufferResource(*buffer, data, sizeInBytes);
    case VelUsage::Staging:
      if (!data || capacity < sizeInBytes) return false;
      return device.WriteBufferResource(*buffer, data, sizeInBytes);
    default:
      return false;
  }
}

void VelBuffer::Release() {
  buffer.reset();
  capacity = 0;
  usage = 0;
  bindFlags = 0;
}
