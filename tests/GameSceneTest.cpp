#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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

namespace {
// One expected model draw: a subset of a node, placed by the object's world.
struct ExpectedDraw {
  std::string what;
  float4x4 world;
  int lightEnable;
};

void AddModel(std::vector<ExpectedDraw>& out, const std::string& what, const VelModel& model,
              const float4x4& world, int lightEnable) {
  for (const VelModelNode& node : model.Nodes) {
    if (!node.Mesh) continue;
    for (const VelSubset& subset : node.Mesh->Subsets) {
      if (subset.faceCount > 0) out.push_back({what, node.Transform * world, lightEnable});
    }
  }
}

bool Near(const float4x4& a, const float4x4& b) {
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      if (std::fabs(a.m[r][c] - b.m[r][c]) > 1e-3f) return false;
    }
  }
  return true;
}
}  // namespace

TEST_F(GameSceneTest, OneFrameDrawsTheOpaqueModelsThenTheUnlitSkyWithTheirStates) {
  Hold({Key::W});
  game->Update();
  VelGraphicsDevice::GetInstance().ClearDrawRecords();
  game->SetCamera();
  game->Draw();

  std::vector<ExpectedDraw> expected;
  AddModel(expected, "player", game->player->model, game->player->world, 1);
  AddModel(expected, "gun hand", game->gunHand->model, game->gunHand->world, 1);
  AddModel(expected, "free hand", game->freeHand->model, game->freeHand->world, 1);
  AddModel(expected, "right leg", game->rightLeg->model, game->rightLeg->world, 1);
  AddModel(expected, "left leg", game->leftLeg->model, game->leftLeg->world, 1);
  AddModel(expected, "gun", game->gun->model, game->gun->world, 1);
  const StageObjects& stage = *game->stage;
  AddModel(expected, "stage", stage.stage->model, stage.stage->world, 1);
  AddModel(expected, "airplane", stage.airplane->visualModel, stage.airplane->world, 1);
  AddModel(expected, "door", stage.door->model, stage.door->world, 1);
  AddModel(expected, "left boss door", stage.bossDoor->leftModel, stage.bossDoor->leftWorld, 1);
  AddModel(expected, "right boss door", stage.bossDoor->rightModel, stage.bossDoor->rightWorld, 1);
  AddModel(expected, "sky", game->sky->model, game->sky->world, 0);
  AddModel(expected, "mirrored sky", game->sky->model, MatrixScaling(1, -1, 1) * game->sky->world, 0);
  // Every model of the stage and the figure is there to be drawn.
  for (const char* what : {"player", "gun hand", "right leg", "gun", "stage", "airplane", "door", "sky"}) {
    EXPECT_TRUE(std::any_of(expected.begin(), expected.end(), [&](const ExpectedDraw& d) {
      return d.what == what;
    })) << what;
  }

  // The model passes; the screen overlay draws sprites after them.
  std::vector<VelDrawRecord> records;
  for (const VelDrawRecord& record : VelGraphicsDevice::GetInstance().GetDrawRecords()) {
    if (record.shader == VelShaderPath::Model) records.push_back(record);
  }
  ASSERT_EQ(records.size(), expected.size());
  const std::vector<VelDrawRecord>& all = VelGraphicsDevice::GetInstance().GetDrawRecords();
  const auto firstOther = std::find_if(all.begin(), all.end(), [](const VelDrawRecord& record) {
    return record.shader != VelShaderPath::Model;
  });
  EXPECT_EQ(size_t(firstOther - all.begin()), records.size()) << "the model passes come first";
  for (size_t i = 0; i < records.size(); ++i) {
    const VelDrawRecord& record = records[i];
    SCOPED_TRACE(expected[i].what + " draw " + std::to_string(i));
    EXPECT_TRUE(Near(record.world, expected[i].world));
    EXPECT_EQ(record.lightEnable, expected[i].lightEnable);
    EXPECT_EQ(record.blendMode, 1);
    EXPECT_TRUE(record.depthTest);
    EXPECT_TRUE(record.depthWrite);
    EXPECT_TRUE(record.indexed);
  }
  // The passes after the sky leave the states as they found them.
  const VelPipelineState& state = VelGraphicsDevice::GetInstance().GetState();
  ASSERT_TRUE(state.blend);
  EXPECT_EQ(state.blend->mode, 1);
  ASSERT_TRUE(state.depthStencil);
  EXPECT_TRUE(state.depthStencil->depthWrite);
  EXPECT_EQ(VelShaderManager::GetInstance().cbObject.View().g_LightEnable, 1);
}
