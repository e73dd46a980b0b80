#include <gtest/gtest.h>

#include "framework/VelGraphicsDevice.h"

TEST(VelGraphicsDeviceTest, HeadlessInitCreatesTemporaryBuffers) {
  std::string error;
  VelGraphicsDevice& device = VelGraphicsDevice::GetInstance();
  ASSERT_TRUE(device.Init(nullptr, 1280, 720, false, error));
  for (int i = 0; i < kVelTempVertexBufferCount; ++i) EXPECT_EQ(device.GetTempVertexBuffer(i).GetCapacity(), 80u << i);
  device.Release();
}
