#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "EffectTestWorld.h"
#include "GameTestWorld.h"
#include "game/effect/C_BulletCharge.h"
#include "game/effect/C_ChargeBluePower.h"
#include "game/effect/C_ChargeRedPower.h"
#include "game/effect/C_ChargeYellowPower.h"
#include "game/effect/C_Discovery.h"
#include "game/effect/C_EffectManager.h"
#include "game/effect/C_EnemySpawn.h"
#include "game/effect/C_EnergyCharge.h"
#include "game/effect/C_HitBullet.h"
#include "game/effect/C_ItemDrop.h"
#include "game/effect/C_TexEffect.h"
#include "game/player/Gun.h"
#include "platform/Platform.h"

namespace {

class TexEffectTest : public EffectTestWorld {};

TEST_F(TexEffectTest, StripQuadShowsTheCellOfTheCounter) {
  C_HitBullet hit({0, 0, 0});  // 5 cells, 3 updates each, half size 2.5
  std::vector<float> lefts;
  for (int update = 0; update < 15; ++update) {
    ASSERT_TRUE(hit.Update());
    std::vector<VelEffectVertex> quad = EffectQuad(hit);
    ASSERT_EQ(quad.size(), 4u);
    lefts.push_back(quad[0].uv.x);
    if (update == 4) {
      // Strip order: top-left, top-right, bottom-left, bottom-right.
      EXPECT_FLOAT_EQ(quad[0].pos.x, -2.5f);
      EXPECT_FLOAT_EQ(quad[0].pos.y, 2.5f);
      EXPECT_FLOAT_EQ(quad[3].pos.x, 2.5f);
      EXPECT_FLOAT_EQ(quad[3].pos.y, -2.5f);
      EXPECT_FLOAT_EQ(quad[1].uv.x, 0.4f);
      EXPECT_FLOAT_EQ(quad[1].uv.y, 0.0f);
      EXPECT_FLOAT_EQ(quad[2].uv.y, 1.0f);
      EXPECT_FLOAT_EQ(quad[3].color.w, 1.0f);
    }
  }
  const std::vector<float> expected{0,    0,    0,    0.2f, 0.2f, 0.2f, 0.4f, 0.4f,
                                    0.4f, 0.6f, 0.6f, 0.6f, 0.8f, 0.8f, 0.8f};
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_FLOAT_EQ(lefts[i], expected[i]) << i;
}

TEST_F(TexEffectTest, GridQuadWalksTheRowsOfTheSheet) {
  C_EnemySpawn spawn({0, 0, 0});  // 64 x 48 cells, 10 columns, on a 640 x 144 sheet
  ASSERT_EQ(spawn.texture.GetWidth(), 640u);
  ASSERT_EQ(spawn.texture.GetHeight(), 144u);
  for (int i = 0; i <= 12; ++i) ASSERT_TRUE(spawn.Update());
  // The 13th update showed cell 12: column 2 of row 1.
  std::vector<VelEffectVertex> quad = EffectQuad(spawn);
  EXPECT_FLOAT_EQ(quad[0].uv.x, 128.0f / 640);
  EXPECT_FLOAT_EQ(quad[3].uv.x, 192.0f / 640);
  EXPECT_FLOAT_EQ(quad[0].uv.y, 48.0f / 144);
  EXPECT_FLOAT_EQ(quad[3].uv.y, 96.0f / 144);
  for (int i = 13; i < 22; ++i) ASSERT_TRUE(spawn.Update());
  quad = EffectQuad(spawn);
  EXPECT_FLOAT_EQ(quad[0].uv.x, 64.0f / 640);  // cell 21, the last: row 2, column 1
  EXPECT_FLOAT_EQ(quad[3].uv.y, 1.0f);
  EXPECT_FALSE(spawn.Update());
  EXPECT_EQ(spawn.counter, 0);
}

TEST_F(TexEffectTest, BillboardFacesTheCameraAndOffsetsInItsFrame) {
  // A camera at (10, 0, 0) looking along +x: the view is the inverse of its frame.
  float4x4 camera = MatrixRotationY(90 * kDegToRad) * MatrixTranslation(10, 0, 0);
  VelShaderManager::GetInstance().cbCamera.Data().g_mV = MatrixInverse(camera);

  const float3 at{30, 5, 2};
  C_EnemySpawn spawn(at);  // offset (0, -3.6, -1.8): down and towards the camera
  ASSERT_TRUE(spawn.Update());
  const float3 centre = spawn.world.Translation();
  EXPECT_NEAR(centre.x, 30 - 1.8f, 1e-4f);
  EXPECT_NEAR(centre.y, 5 - 3.6f, 1e-4f);
  EXPECT_NEAR(centre.z, 2, 1e-4f);
  // The quad's plane faces along the view direction, its up stays up.
  const float3 normal = spawn.world.Row(2);
  EXPECT_NEAR(normal.x, 1, 1e-5f);
  EXPECT_NEAR(normal.z, 0, 1e-5f);
  EXPECT_NEAR(spawn.world.Row(1).y, 1, 1e-5f);

  C_HitBullet hit(at);  // no offset
  ASSERT_TRUE(hit.Update());
  EXPECT_NEAR(Distance(hit.world.Translation(), at), 0, 1e-4f);
}

// The update on which the effect reports it has finished; the half sizes of
// the quads it kept before that, when asked.
template <class Effect>
int UpdatesUntilGone(Effect& effect, std::vector<float>* keptSizes = nullptr) {
  for (int update = 1; update <= 1000; ++update) {
    if (!effect.Update()) return update;
    if (keptSizes) keptSizes->push_back(EffectQuad(effect)[1].pos.x);
  }
  return -1;
}

TEST_F(TexEffectTest, PowerEffectsShrinkUntilTheirSizeIsGone) {
  // 4.5 - 45 x 0.1 leaves 2e-6 in floats, so the blue glow shows one frame
  // more than exact arithmetic would give and goes on the 46th update.
  C_ChargeBluePower blue({0, 0, 0});
  std::vector<float> sizes;
  EXPECT_EQ(UpdatesUntilGone(blue, &sizes), 46);
  ASSERT_EQ(sizes.size(), 45u);
  EXPECT_FLOAT_EQ(sizes.front(), 4.5f);
  EXPECT_NEAR(sizes.back(), 0.1f, 1e-5f);
  EXPECT_EQ(blue.size, 0.0f);
  EXPECT_FLOAT_EQ(EffectQuad(blue)[0].color.w, 0.5f);

  C_ChargeYellowPower yellow({0, 0, 0});
  EXPECT_EQ(UpdatesUntilGone(yellow), 120);
  C_ChargeRedPower red({0, 0, 0});
  EXPECT_EQ(UpdatesUntilGone(red), 86);
  EXPECT_EQ(red.size, 0.0f);
  // The whole sheet, no animation.
  std::vector<VelEffectVertex> quad = EffectQuad(red);
  EXPECT_FLOAT_EQ(quad[0].uv.x, 0);
  EXPECT_FLOAT_EQ(quad[3].uv.x, 1);
  EXPECT_FLOAT_EQ(quad[3].uv.y, 1);
}

TEST_F(TexEffectTest, ItemEffectsFadeOnePercentPerFrame) {
  C_ItemDrop drop({0, 0, 0});
  ASSERT_TRUE(drop.Update());
  EXPECT_FLOAT_EQ(EffectQuad(drop)[0].color.w, 1.0f);
  for (int i = 2; i <= 50; ++i) ASSERT_TRUE(drop.Update());
  EXPECT_NEAR(EffectQuad(drop)[0].color.w, 0.51f, 1e-4f);
  EXPECT_FALSE(drop.Update());
}

TEST_F(TexEffectTest, DiscoveryMakesAFreshPlainBufferEachUpdate) {
  C_Discovery discovery({0, 0, 0});
  EXPECT_FALSE(discovery.vertexBuffer.IsValid());
  const VelHeadlessStats& stats = VelGraphicsDevice::GetInstance().GetHeadlessStats();
  const uint32_t created = stats.buffersCreated;
  ASSERT_TRUE(discovery.Update());
  EXPECT_EQ(discovery.vertexBuffer.GetUsage(), VelUsage::Default);
  EXPECT_EQ(discovery.vertexBuffer.GetCapacity(), 144u);
  ASSERT_TRUE(discovery.Update());
  EXPECT_EQ(stats.buffersCreated, created + 2);
  std::vector<VelEffectVertex> quad = EffectQuad(discovery);
  EXPECT_FLOAT_EQ(quad[1].pos.x, 4);
  EXPECT_FLOAT_EQ(quad[3].uv.x, 1);
}

// The scene-following effects, in a real game scene.
class SceneEffectTest : public GameTestWorld {
 protected:
  C_TexEffect& Only() {
    EXPECT_EQ(game->effects->effects.size(), 1u);
    return *game->effects->effects.front();
  }
  int Count(VelSoundEngine::Call::Op op, const std::string& file) const {
    int n = 0;
    for (const std::string& played : Played(op)) n += played == file;
    return n;
  }
  // The player's own press of the charge button starts glows of its own
  // unless its charge cooldown runs; this keeps the test's glow the only one.
  void HoldOffThePlayersCharge() {
    game->player->chargeCooldownActive = true;
    game->player->chargeCooldown = 100000;
  }
  const std::string hum = "Data/Sound/stayCharge.wav";
  const std::string shot = "Data/Sound/chargeBullet.wav";
};

TEST_F(SceneEffectTest, HealGlowFollowsThePlayer) {
  Settle();
  game->effects->AddEffect(EffectKind::HealPlayer);
  Updates(1);
  EXPECT_EQ(Only().position, game->player->GetPosition());
  game->player->position = {5, 20, -200};
  Updates(1);
  EXPECT_EQ(Only().position, game->player->GetPosition());
  Updates(58);
  EXPECT_EQ(game->effects->effects.size(), 1u);
  Updates(1);
  EXPECT_TRUE(game->effects->effects.empty());
}

TEST_F(SceneEffectTest, ChargeLetGoEarlyWindsDownWithoutFiring) {
  Settle();
  HoldOffThePlayersCharge();
  game->effects->AddEffect(EffectKind::EnergyCharge);
  Hold({Key::RButton});
  Updates(45);
  auto& charge = static_cast<C_EnergyCharge&>(Only());
  EXPECT_EQ(charge.counter, 45);
  EXPECT_FALSE(charge.charged);
  // Sits at the muzzle: a point ahead of the gun along its forward axis.
  const float3 muzzle = TransformCoord({-0.2f, -0.2f, 3.5f}, game->gun->GetWorld());
  EXPECT_NEAR(Distance(charge.world.Translation(), muzzle), 0, 1e-4f);

  Hold({});
  Updates(44);
  ASSERT_EQ(game->effects->effects.size(), 1u);
  EXPECT_EQ(charge.counter, 1);
  Updates(1);
  EXPECT_TRUE(game->effects->effects.empty());
  EXPECT_EQ(Count(VelSoundEngine::Call::Op::PlayLoop, hum), 0);
  EXPECT_EQ(Count(VelSoundEngine::Call::Op::Play, shot), 0);
}

TEST_F(SceneEffectTest, FullChargeHumsCyclesAndReleasesOnce) {
  Settle();
  HoldOffThePlayersCharge();
  game->effects->AddEffect(EffectKind::EnergyCharge);
  Hold({Key::RButton});
  Updates(46);
  auto& charge = static_cast<C_EnergyCharge&>(Only());
  EXPECT_TRUE(charge.charged);
  EXPECT_EQ(charge.counter, 10);
  Updates(36);  // 11..45, then back to 10
  EXPECT_EQ(charge.counter, 10);
  EXPECT_EQ(Count(VelSoundEngine::Call::Op::PlayLoop, hum), 1);

  Hold({});
  Updates(1);
  EXPECT_TRUE(game->effects->effects.empty());
  EXPECT_EQ(Count(VelSoundEngine::Call::Op::StopLoop, hum), 1);
  EXPECT_EQ(Count(VelSoundEngine::Call::Op::Play, shot), 1);
  Updates(10);
  EXPECT_EQ(Count(VelSoundEngine::Call::Op::Play, shot), 1);
}

TEST_F(SceneEffectTest, SceneEndingMidChargeStopsTheHum) {
  Settle();
  HoldOffThePlayersCharge();
  game->effects->AddEffect(EffectKind::EnergyCharge);
  Hold({Key::RButton});
  Updates(50);
  ASSERT_EQ(Count(VelSoundEngine::Call::Op::PlayLoop, hum), 1);
  game->effects->Clear();
  EXPECT_EQ(Count(VelSoundEngine::Call::Op::StopLoop, hum), 1);
}

TEST_F(SceneEffectTest, BulletGlowRisesWhileHeldAndFallsWhenLetGo) {
  Settle();
  HoldOffThePlayersCharge();
  game->effects->AddEffect(EffectKind::BulletCharge);
  Hold({Key::RButton});
  Updates(10);
  EXPECT_EQ(Only().counter, 10);
  Hold({});
  Updates(9);
  EXPECT_EQ(Only().counter, 1);
  Updates(1);
  EXPECT_TRUE(game->effects->effects.empty());

  game->effects->AddEffect(EffectKind::BulletCharge);
  Hold({Key::RButton});
  Updates(45);
  EXPECT_EQ(Only().counter, 45);
  Updates(1);
  EXPECT_TRUE(game->effects->effects.empty());
}

}  // namespace
