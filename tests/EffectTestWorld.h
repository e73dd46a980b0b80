#pragma once

// The headless platform, graphics and sound for effects tested on their own,
// with the real sheets under Data/Effect, plus readers of what they wrote and drew.

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "framework/VelGraphicsDevice.h"
#include "framework/VelShaderManager.h"
#include "framework/VelSoundEngine.h"
#include "framework/headless/VelHeadlessBackend.h"
#include "game/effect/C_TexEffect.h"
#include "platform/headless/HeadlessPlatform.h"

// The four vertices last written into the effect's quad buffer (none without one).
inline std::vector<VelEffectVertex> EffectQuad(const C_TexEffect& effect) {
  std::vector<VelEffectVertex> quad;
  auto* buffer = dynamic_cast<const VelHeadlessBuffer*>(effect.vertexBuffer.GetBuffer().get());
  if (!buffer || buffer->data.size() < 4 * sizeof(VelEffectVertex)) return quad;
  quad.resize(4);
  std::memcpy(quad.data(), buffer->data.data(), 4 * sizeof(VelEffectVertex));
  return quad;
}

class EffectTestWorld : public ::testing::Test {
 protected:
  void SetUp() override {
    auto owned = std::make_unique<HeadlessPlatform>();
    platform = owned.get();
    InstallPlatform(std::move(owned));
    ASSERT_TRUE(platform->CreateGameWindow("test", 1280, 720));
    std::string error;
    ASSERT_TRUE(VelGraphicsDevice::GetInstance().Init(nullptr, 1280, 720, false, error)) << error;
    VelShaderManager::GetInstance().Init();
    VelSoundEngine::GetInstance().UseHeadless(true);
    ASSERT_TRUE(VelSoundEngine::GetInstance().Init());
    VelSoundEngine::GetInstance().ClearRecord();
  }

  void TearDown() override {
    VelShaderManager::GetInstance().Release();
    VelGraphicsDevice::GetInstance().Release();
    VelSoundEngine::GetInstance().Release();
    VelSoundEngine::GetInstance().ClearRecord();
    UninstallPlatform();
  }

  static const std::vector<VelDrawRecord>& Draws() { return VelGraphicsDevice::GetInstance().GetDrawRecords(); }
  static void ClearDraws() { VelGraphicsDevice::GetInstance().ClearDrawRecords(); }

  HeadlessPlatform* platform = nullptr;
};
