#include <gtest/gtest.h>

#include <cstdlib>

#include "GameTestWorld.h"

namespace {
using Op = VelSoundEngine::Call::Op;
}

class GameSceneTest : public GameTestWorld {};

TEST_F(GameSceneTest, ConstructionLightsTheSceneAndHidesTheCursor) {
  EXPECT_EQ(game->killCount, 0);
  EXPECT_FALSE(game->musicStarted);
  EXPECT_FALSE(platform->IsCursorShown());
  const VelCbLight& light = VelShaderManager::GetInstance().cbLight.View();
  EXPECT_NEAR(light.g_DL_Dir.x, 0.0995037f, 1e-6f);
  EXPECT_NEAR(light.g_DL_Dir.y, -0.995037f, 1e-6f);
  EXPECT_EQ(light.g_DL_Color, (float3{3.0f, 3.0f, 3.0f}));
  EXPECT_EQ(light.g_AmbientLight, (float3{0.5f, 0.5f, 0.5f}));
  EXPECT_FALSE(VelShaderManager::GetInstance().cbLight.IsDirty());
  ASSERT_TRUE(game->additiveBlend);
  EXPECT_EQ(game->additiveBlend->mode, 2);
  ASSERT_TRUE(game->alphaBlend);
  EXPECT_EQ(game->alphaBlend->mode, 1);
}

TEST_F(GameSceneTest, RandomGeneratorIsSeededFromTheClock) {
  game.reset();
  platform->SetClock(123456);
  game = std::make_unique<GameScene>();
  int first = std::rand();
  std::srand(123456);
  EXPECT_EQ(first, std::rand());
}

TEST_F(GameSceneTest, MusicStartsOnceAndTheListenerFollowsThePlayer) {
  game->player->yaw = 90.0f;
  game->Update();
  game->Update();
  int loops = 0;
  for (const auto& call : VelSoundEngine::GetInstance().GetRecord()) {
    if (call.op != Op::PlayLoop) continue;
    ++loops;
    EXPECT_EQ(call.file, "Data/Sound/game.wav");
    EXPECT_NEAR(call.volume, 0.1f, 1e-6f);
  }
  EXPECT_EQ(loops, 1);
  const AudioListener& listener = VelSoundEngine::GetInstance().GetListener();
  // Set before the world moves: the player's position of the frame before.
  EXPECT_NEAR(listener.Position.z, -240.0f, 1e-4f);
  EXPECT_NEAR(listener.OrientFront.x, 1.0f, 1e-5f);
  EXPECT_NEAR(listener.OrientFront.z, 0.0f, 1e-5f);
  EXPECT_NEAR(listener.OrientTop.y, 1.0f, 1e-5f);
}

TEST_F(GameSceneTest, AnInactiveWindowFreezesTheWorldButNotTheMusic) {
  platform->SetActive(false);
  Hold({Key::W});
  Updates(10);
  EXPECT_EQ(game->player->position, (float3{0.0f, 0.0f, -240.0f}));
  EXPECT_EQ(game->sky->angle, 0.0f);
  EXPECT_TRUE(game->musicStarted);
  platform->SetActive(true);
  Updates(1);
  EXPECT_NEAR(game->sky->angle, 0.1f, 1e-6f);
}

TEST_F(GameSceneTest, TwentyOneKillsFreezeTheWorld) {
  game->killCount = 20;
  Updates(1);
  EXPECT_NEAR(game->sky->angle, 0.1f, 1e-6f);
  game->killCount = 21;
  float3 before = game->player->position;
  Updates(5);
  EXPECT_NEAR(game->sky->angle, 0.1f, 1e-6f);
  EXPECT_EQ(game->player->position, before);
  EXPECT_EQ(game->stage->door->world.m[3][1], 0.25f);
}
