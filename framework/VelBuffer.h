#pragma once

// A GPU buffer: vertex, index or constant data, with its capacity and usage kind.

#include <cstdint>
#include <memory>

#include "framework/VelGraphicsTypes.h"

class VelBuffer {
 public:
  // Releases any buffer held first. A constant buffer whose size is not a
  // multiple of 16 is refused before the device is asked.
  bool Create(uint32_t bindFlags, uint32_t sizeInBytes, uint32_t usageKind, const void* initialData);
  // Default: whole update. Immutable: refused. Dynamic: discard and copy; a
  // null pointer or a size beyond the capacity zero-fills the whole buffer.
  // Staging: copy at the start.
  bool WriteData(const void* data, uint32_t sizeInBytes);
  void Release();

  bool IsValid() const { return buffer != nullptr; }
  uint32_t GetCapacity() const { return capacity; }
  uint32_t GetUsage() const { return usage; }
  uint32_t GetBindFlags() const { return bindFlags; }
  const std::shared_ptr<VelBufferResource>& GetBuffer() const { return buffer; }

  std::shared_ptr<VelBufferResource> buffer;
  uint32_t capacity = 0;
  uint32_t usage = 0;
  uint32_t bindFlags = 0;
};
