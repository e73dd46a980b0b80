#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "GameTestWorld.h"
#include "framework/VelCollision.h"

class CameraTest : public GameTestWorld {
 protected:
  Camera& camera() { return *game->camera; }
};

TEST_F(CameraTest, LooksOverTheRightShoulderAlongTheYaw) {
  Settle();
  const float3 p = game->player->position;
  EXPECT_NEAR(camera().target.x, p.x + 2.0f, 1e-4f);
  EXPECT_NEAR(camera().target.y, p.y + 4.8f, 1e-4f);
  EXPECT_NEAR(camera().target.z, p.z, 1e-4f);
  // Nothing within 10 units behind: the eye stays where the offset puts it.
  EXPECT_NEAR(camera().eye.x, p.x + 2.0f, 1e-4f);
  EXPECT_NEAR(camera().eye.y, p.y + 4.8f, 1e-4f);
  EXPECT_NEAR(camera().eye.z, p.z - 10.0f, 1e-4f);
  EXPECT_NEAR(camera().viewDirection.z, 1.0f, 1e-5f);
  EXPECT_EQ(camera().up, (float3{0.0f, 1.0f, 0.0f}));

  // Turned toward +x and pitched down, the camera turns with the body.
  game->player->yaw = 90.0f;
  game->player->pitch = 30.0f;
  Updates(1);
  EXPECT_NEAR(camera().viewDirection.x, std::cos(30.0f * kDegToRad), 1e-4f);
  EXPECT_NEAR(camera().viewDirection.y, -std::sin(30.0f * kDegToRad), 1e-4f);
  EXPECT_NEAR(camera().viewDirection.z, 0.0f, 1e-4f);
}

TEST_F(CameraTest, AWallBehindPullsTheEyeInFront) {
  // 8 units in front of the south wall: the eye would be 2 units inside it.
  game->player->position = {0.0f, 0.0f, -282.0f};
  Settle();
  const Camera& c = camera();
  float behind = c.target.z - c.eye.z;
  EXPECT_LT(behind, 10.0f * 0.9f);
  EXPECT_GT(behind, 5.0f);
  EXPECT_GT(c.eye.z, -290.0f);
  // The view direction is the unpulled one.
  EXPECT_NEAR(c.viewDirection.z, 1.0f, 1e-5f);
  // Pulled in by 0.9 of the distance to the wall's face.
  float wall = 0.0f;
  float3 normal;
  ASSERT_TRUE(
      RayToModel(game->stage->StageModel(), game->stage->StageWorld(), c.target, {0, 0, -1}, wall, normal));
  EXPECT_NEAR(behind, wall * 0.9f, 1e-3f);
}

TEST_F(CameraTest, RunningLiftsTheCameraInASawTooth) {
  game->player->position = {150.0f, 0.0f, -280.0f};
  Settle();
  Hold({Key::W});
  Updates(59);
  EXPECT_FALSE(camera().bobActive);
  auto lift = [&] { return camera().target.y - game->player->position.y - 4.8f; };
  EXPECT_NEAR(lift(), 0.0f, 1e-4f);

  // Each lift rises 0.005 a frame for as long as the footstep timer it
  // copied, drops to the base height and starts again on the next frame.
  float previous = 0.0f;
  bool wasActive = false;
  float highest = 0.0f;
  int drops = 0;
  for (int frame = 0; frame < 80; ++frame) {
    Updates(1);
    ASSERT_TRUE(game->player->running);
    float now = lift();
    if (camera().bobActive) {
      EXPECT_NEAR(now, (wasActive ? previous : 0.0f) + 0.005f, 1e-4f) << frame;
    } else {
      EXPECT_NEAR(now, 0.0f, 1e-4f) << frame;
      if (wasActive) ++drops;
    }
    highest = std::max(highest, now);
    previous = now;
    wasActive = camera().bobActive;
  }
  EXPECT_GE(drops, 3);
  EXPECT_GT(highest, 0.05f);
  EXPECT_LT(highest, 0.1f);

  Hold({});
  Updates(20);
  EXPECT_NEAR(lift(), 0.0f, 1e-4f);
}

TEST_F(CameraTest, SetViewLoadsTheLookAtAndTheFixedProjection) {
  Settle();
  camera().SetView();
  const VelCbCamera& constants = VelShaderManager::GetInstance().cbCamera.View();
  float3 eye = MatrixInverse(constants.g_mV).Translation();
  EXPECT_NEAR(eye.x, camera().eye.x, 1e-3f);
  EXPECT_NEAR(eye.z, camera().eye.z, 1e-3f);
  EXPECT_NEAR(constants.g_CamPos.z, camera().eye.z, 1e-3f);
  EXPECT_NEAR(constants.g_mP.m[0][0], 1.7320508f / 1.7777778f, 1e-5f);
  EXPECT_NEAR(constants.g_mP.m[1][1], 1.7320508f, 1e-5f);
  EXPECT_NEAR(constants.g_mP.m[2][2], 1.000004f, 1e-6f);
  EXPECT_NEAR(constants.g_mP.m[3][2], -0.01000004f, 1e-7f);
  EXPECT_EQ(constants.g_mP.m[2][3], 1.0f);
  // The target lies straight ahead of the view.
  float3 ahead = TransformCoord(camera().target, constants.g_mV);
  EXPECT_NEAR(ahead.x, 0.0f, 1e-3f);
  EXPECT_NEAR(ahead.y, 0.0f, 1e-3f);
  EXPECT_GT(ahead.z, 0.0f);
}

TEST_F(CameraTest, AGameThatStartsInAnInactiveWindowIsSeenFromTheFirstFrame) {
  platform->SetActive(false);
  const float3 start = game->player->GetPosition();
  game->Frame();
  // The pose the first update would give: over the right shoulder of the
  // player where it stands, looking along +z.
  EXPECT_NEAR(camera().target.x, start.x + 2.0f, 1e-4f);
  EXPECT_NEAR(camera().target.y, start.y + 4.8f, 1e-4f);
  EXPECT_NEAR(camera().target.z, start.z, 1e-4f);
  EXPECT_NEAR(camera().eye.z, start.z - 10.0f, 1e-4f);
  EXPECT_EQ(camera().up, (float3{0.0f, 1.0f, 0.0f}));
  const float4x4 view = VelShaderManager::GetInstance().cbCamera.View().g_mV;
  const float3 ahead = TransformCoord(camera().target, view);
  EXPECT_NEAR(ahead.x, 0.0f, 1e-3f);
  EXPECT_NEAR(ahead.y, 0.0f, 1e-3f);
  EXPECT_NEAR(ahead.z, 10.0f, 1e-3f) << "a real look-at, not a collapsed one";
  EXPECT_NEAR(view.m[0][0], 1.0f, 1e-5f);

  // Once the window is active, the updates take over from that pose.
  platform->SetActive(true);
  Settle();
  EXPECT_NEAR(camera().target.z, game->player->GetPosition().z, 1e-4f);
}
