#pragma once

// A game scene on the headless platform, graphics and sound, as the tests of
// the play screen need it: real Data/ assets, scripted keys and cursor.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/VelGraphicsDevice.h"
#include "framework/VelShaderManager.h"
#include "framework/VelSoundEngine.h"
#include "framework/VelSoundManager.h"
#include "platform/headless/HeadlessPlatform.h"
#include "scene/GameScene.h"

class GameTestWorld : public ::testing::Test {
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
    game = std::make_unique<GameScene>();
    VelSoundEngine::GetInstance().ClearRecord();
  }

  void TearDown() override {
    game.reset();
    VelShaderManager::GetInstance().Release();
    VelGraphicsDevice::GetInstance().Release();
    VelSoundEngine::GetInstance().Release();
    VelSoundEngine::GetInstance().ClearRecord();
    // The cached sounds belong to the engine just released.
    VelSoundManager::GetInstance().ClearCaches();
    UninstallPlatform();
  }

  // Holds exactly these keys for the next frames of the scene's update.
  void Hold(std::vector<int> keys) {
    platform->ReleaseAllKeys();
    for (int key : keys) platform->SetKeyDown(key, true);
  }

  void Updates(int frames) {
    for (int i = 0; i < frames; ++i) {
      platform->AdvanceClock(16);
      game->Update();
    }
  }

  // Lets the player fall onto the ground where it stands.
  void Settle() {
    Hold({});
    Updates(90);
  }

  // The files played with this operation since the record was last cleared.
  std::vector<std::string> Played(VelSoundEngine::Call::Op op) const {
    std::vector<std::string> files;
    for (const auto& call : VelSoundEngine::GetInstance().GetRecord()) {
      if (call.op == op) files.push_back(call.file);
    }
    return files;
  }

  HeadlessPlatform* platform = nullptr;
  std::unique_ptr<GameScene> game;
};
