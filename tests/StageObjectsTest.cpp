#include <gtest/gtest.h>

#include "GameTestWorld.h"
#include "framework/VelCollision.h"

namespace {
using Op = VelSoundEngine::Call::Op;

std::vector<VelSoundEngine::Call> Calls(Op op) {
  std::vector<VelSoundEngine::Call> calls;
  for (const auto& call : VelSoundEngine::GetInstance().GetRecord()) {
    if (call.op == op) calls.push_back(call);
  }
  return calls;
}
}  // namespace

class StageObjectsTest : public GameTestWorld {
 protected:
  StageObjects& stage() { return *game->stage; }
};

TEST_F(StageObjectsTest, CollisionSetIsInItsFixedOrderAndFollowsTheDoors) {
  auto set = stage().CollisionSet();
  EXPECT_EQ(set[0].model, &stage().stage->model);
  EXPECT_EQ(set[1].model, &stage().airplane->collisionModel);
  EXPECT_EQ(set[2].model, &stage().door->model);
  EXPECT_EQ(set[3].model, &stage().bossDoor->leftModel);
  EXPECT_EQ(set[4].model, &stage().bossDoor->rightModel);
  EXPECT_EQ(set[2].world, &stage().door->world);
  EXPECT_EQ(set[4].world, &stage().bossDoor->rightWorld);
  // The hull and the drawn plane share one placement.
  EXPECT_EQ(set[1].world, &stage().airplane->world);
  EXPECT_EQ(stage().airplane->world, MatrixScaling(5.0f) * MatrixTranslation(-80.0f, 0.0f, -210.0f));
  EXPECT_EQ(stage().airplane->world.m[3][0], -80.0f);
  EXPECT_EQ(stage().airplane->world.m[0][0], 5.0f);
}

TEST_F(StageObjectsTest, DoorRisesFromFourKillsAndSoundsOnceEach) {
  game->killCount = 3;
  stage().Update();
  EXPECT_EQ(stage().door->world.m[3][1], 0.0f);
  EXPECT_TRUE(Calls(Op::Play3D).empty());

  game->killCount = 4;
  stage().Update();
  EXPECT_EQ(stage().door->world.m[3][1], 0.25f);
  auto opened = Calls(Op::Play3D);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].file, "Data/Sound/openDoor.wav");
  EXPECT_EQ(opened[0].position.y, 0.25f);
  EXPECT_EQ(opened[0].volume, 1.0f);
  EXPECT_FALSE(opened[0].loop);

  for (int frame = 2; frame < 160; ++frame) stage().Update();
  EXPECT_LT(stage().door->world.m[3][1], 40.0f);
  EXPECT_EQ(Calls(Op::Play3D).size(), 1u);
  stage().Update();
  EXPECT_EQ(stage().door->world.m[3][1], 40.0f);
  auto calls = Calls(Op::Play3D);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[1].file, "Data/Sound/stopDoor.wav");
  EXPECT_EQ(calls[1].position.y, 40.0f);

  for (int frame = 0; frame < 30; ++frame) stage().Update();
  EXPECT_EQ(stage().door->world.m[3][1], 40.0f);
  EXPECT_EQ(Calls(Op::Play3D).size(), 2u);
}

TEST_F(StageObjectsTest, BossDoorsOpenAtSixteenWhateverTheFirstDoorDoes) {
  game->killCount = 15;
  for (int frame = 0; frame < 10; ++frame) stage().Update();
  EXPECT_EQ(stage().bossDoor->leftWorld.m[3][0], 0.0f);
  EXPECT_EQ(stage().bossDoor->rightWorld.m[3][0], 0.0f);
  VelSoundEngine::GetInstance().ClearRecord();
  // Jumping straight to 16: the first door starts rising on the same frame.
  game->killCount = 16;
  stage().Update();
  EXPECT_EQ(stage().bossDoor->leftWorld.m[3][0], -0.25f);
  EXPECT_EQ(stage().bossDoor->rightWorld.m[3][0], 0.25f);
  for (int frame = 1; frame < 160; ++frame) stage().Update();
  EXPECT_EQ(stage().bossDoor->leftWorld.m[3][0], -40.0f);
  EXPECT_EQ(stage().bossDoor->rightWorld.m[3][0], 40.0f);
  for (int frame = 0; frame < 10; ++frame) stage().Update();
  EXPECT_EQ(stage().bossDoor->leftWorld.m[3][0], -40.0f);

  int bossSounds = 0;
  for (const auto& call : Calls(Op::Play3D)) {
    if (call.position.z != 475.0f) continue;
    EXPECT_EQ(call.position.x, 0.0f);
    EXPECT_EQ(call.file, bossSounds == 0 ? "Data/Sound/openDoor.wav" : "Data/Sound/stopDoor.wav");
    ++bossSounds;
  }
  EXPECT_EQ(bossSounds, 2);
}

TEST_F(StageObjectsTest, SkyTurnsATenthOfADegreeAndWrapsToZero) {
  Sky& sky = *game->sky;
  sky.Update();
  EXPECT_NEAR(sky.angle, 0.1f, 1e-6f);
  EXPECT_NEAR(sky.world.m[3][1], -100.0f, 1e-4f);
  EXPECT_NEAR(sky.world.m[3][2], 300.0f, 1e-4f);
  sky.angle = 359.95f;
  sky.Update();
  EXPECT_EQ(sky.angle, 0.0f);
  sky.angle = 90.0f - 0.1f;
  sky.Update();
  // Turned about its own centre, which stays in place.
  EXPECT_NEAR(sky.world.m[2][0], 1.0f, 1e-4f);
  EXPECT_NEAR(sky.world.m[3][2], 300.0f, 1e-4f);
}

TEST_F(StageObjectsTest, ClosedDoorsBlockARayAndOpenOnesClearIt) {
  const float3 up = {0.0f, 0.0f, 1.0f};
  float distance = 0.0f;
  float3 normal;
  const float3 start = {0.0f, 10.0f, -10.0f};
  ASSERT_TRUE(RayToModel(stage().door->model, stage().door->world, start, up, distance, normal));
  EXPECT_LT(distance, 20.0f);
  game->killCount = 4;
  for (int frame = 0; frame < 170; ++frame) stage().Update();
  EXPECT_FALSE(RayToModel(stage().door->model, stage().door->world, start, up, distance, normal));
}
