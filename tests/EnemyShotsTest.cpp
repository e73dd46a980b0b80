#include <gtest/gtest.h>

#include "EnemyTestWorld.h"
#include "game/enemy/C_EnemyBullet.h"
#include "game/enemy/C_NormalBullet.h"
#include "game/enemy/C_NormalFlash.h"

class EnemyShotsTest : public EnemyTestWorld {
 protected:
  // A bullet on the apron that creeps north toward the wall at z = 0.
  C_EnemyBullet& Creeping(float z, int wallDelay = 6) {
    shots().AddBullet({50.0f, 3.0f, z}, EnemyShots::kNormalBullet);
    auto& bullet = static_cast<C_NormalBullet&>(*shots().bullets.back());
    bullet.velocity = {0.0f, 0.0f, 0.1f};
    bullet.wallDelay = wallDelay;
    return bullet;
  }
};

TEST_F(EnemyShotsTest, ABulletFliesTwoUnitsAFrameTowardTwoAboveThePlayer) {
  PlacePlayer({50.0f, 1.0f, -20.0f});
  C_NormalBullet bullet(game.get(), {50.0f, 3.0f, -60.0f});
  EXPECT_EQ(bullet.GetRadius(), 1.0f);
  EXPECT_EQ(bullet.GetPower(), 1);
  EXPECT_EQ(bullet.velocity, (float3{0.0f, 0.0f, 2.0f}));
  // The player moving afterwards does not steer it.
  PlacePlayer({0.0f, 3.0f, -240.0f});
  EXPECT_TRUE(bullet.Update(game.get()));
  EXPECT_EQ(bullet.GetPosition(), (float3{50.0f, 3.0f, -58.0f}));
}

TEST_F(EnemyShotsTest, ABulletFiredFromCloserThanTwoMovesByTheRawOffset) {
  PlacePlayer({50.0f, 0.0f, -59.0f});
  C_NormalBullet bullet(game.get(), {50.0f, 3.0f, -60.0f});
  EXPECT_EQ(bullet.velocity, (float3{0.0f, -1.0f, 1.0f}));
  bullet.Update(game.get());
  bullet.Update(game.get());
  EXPECT_EQ(bullet.GetPosition(), (float3{50.0f, 1.0f, -58.0f}));
}

TEST_F(EnemyShotsTest, TheFirstFiveUpdatesPassThroughWallsAndTheSixthHits) {
  C_EnemyBullet& bullet = Creeping(-2.5f);
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(bullet.Update(game.get()));
  EXPECT_TRUE(game->effects->effects.empty());
  EXPECT_FALSE(bullet.Update(game.get()));
  EXPECT_EQ(CountEffects("C_HitBullet"), 1);
  EXPECT_EQ(CountPlayed(Op::Play, "Data/Sound/hitEnemyBullet.wav"), 1);
}

TEST_F(EnemyShotsTest, TheHitEffectSitsAtTheDrawnPosition) {
  C_EnemyBullet& bullet = Creeping(-2.5f, 1);
  EXPECT_FALSE(bullet.Update(game.get()));
  ASSERT_EQ(game->effects->effects.size(), 1u);
  const float3 drawn = bullet.GetMatrix().Translation();
  EXPECT_EQ(game->effects->effects[0]->position, drawn);
  // One up and four along the view direction from the logical position.
  const float4x4 facing = CameraFacingRotation();
  const float3 expected = bullet.GetPosition() + float3{0.0f, 1.0f, 0.0f} + facing.Row(2) * 4.0f;
  EXPECT_NEAR(Distance(drawn, expected), 0.0f, 1e-4f);
  EXPECT_GT(Distance(drawn, bullet.GetPosition()), 4.0f);
}

TEST_F(EnemyShotsTest, RemovingABulletInTheMiddleDoesNotSkipTheNext) {
  C_EnemyBullet& first = Creeping(-20.0f);
  Creeping(-2.5f, 1);
  C_EnemyBullet& third = Creeping(-30.0f);
  shots().Update();
  ASSERT_EQ(shots().bullets.size(), 2u);
  EXPECT_EQ(shots().bullets[0].get(), &first);
  EXPECT_EQ(shots().bullets[1].get(), &third);
  EXPECT_NEAR(first.GetPosition().z, -19.9f, 1e-5f);
  EXPECT_NEAR(third.GetPosition().z, -29.9f, 1e-5f);

  shots().RemoveBullet(0);
  ASSERT_EQ(shots().bullets.size(), 1u);
  EXPECT_EQ(shots().bullets[0].get(), &third);
}

TEST_F(EnemyShotsTest, ABulletEndsQuietlyOnceFarBeyondThePlayer) {
  PlacePlayer({0.0f, 3.0f, -240.0f});
  shots().AddBullet({0.0f, 3.0f, 2259.0f}, EnemyShots::kNormalBullet);
  shots().bullets[0]->velocity = {0.0f, 0.0f, 2.0f};
  shots().AddBullet({0.0f, 3.0f, 2258.0f}, EnemyShots::kNormalBullet);
  shots().bullets[1]->velocity = {0.0f, 0.0f, 2.0f};
  // 2,500 from the player is still in sight; beyond it the bullet goes.
  shots().Update();
  ASSERT_EQ(shots().bullets.size(), 1u);
  EXPECT_EQ(shots().bullets[0]->GetPosition().z, 2260.0f);
  EXPECT_TRUE(game->effects->effects.empty());
  EXPECT_EQ(CountPlayed(Op::Play, "Data/Sound/hitEnemyBullet.wav"), 0);
}

TEST_F(EnemyShotsTest, AFlashShowsTwentyFramesInFrontOfTheShooterAsItStood) {
  const float4x4 shooter = MatrixRotationY(90.0f * kDegToRad) * MatrixTranslation(10.0f, 3.0f, 20.0f);
  shots().AddFlash(shooter, EnemyShots::kNormalFlash);
  ASSERT_EQ(shots().flashes.size(), 1u);
  const C_EnemyFlash& flash = *shots().flashes[0];
  for (int i = 0; i < 20; ++i) {
    shots().Update();
    ASSERT_EQ(shots().flashes.size(), 1u) << i;
  }
  const float3 at = flash.world.Translation();
  EXPECT_NEAR(at.x, 12.5f, 1e-5f);
  EXPECT_NEAR(at.y, 3.6f, 1e-5f);
  EXPECT_NEAR(at.z, 20.0f, 1e-5f);
  shots().Update();
  EXPECT_TRUE(shots().flashes.empty());
}

TEST_F(EnemyShotsTest, UnknownKindsCreateNothing) {
  shots().AddBullet({0.0f, 3.0f, 0.0f}, 1);
  shots().AddBullet({0.0f, 3.0f, 0.0f}, -1);
  shots().AddFlash(MatrixIdentity(), 0);
  shots().AddFlash(MatrixIdentity(), 2);
  EXPECT_TRUE(shots().bullets.empty());
  EXPECT_TRUE(shots().flashes.empty());
}

TEST_F(EnemyShotsTest, ABulletThatReachesThePlayerHurtsItAndIsUsedUp) {
  Settle();
  const float3 at = game->player->GetPosition();
  PlacePlayer(at + float3{0.0f, 0.0f, 30.0f});
  shots().AddBullet(at, EnemyShots::kNormalBullet);
  PlacePlayer(at);
  const int hp = game->player->GetHP();
  Updates(1);
  EXPECT_EQ(game->player->GetHP(), hp - 1);
  EXPECT_TRUE(shots().bullets.empty());
  EXPECT_EQ(CountPlayed(Op::Play, "Data/Sound/bulletDmg.wav"), 1);
}

TEST_F(EnemyShotsTest, BulletsAndFlashesDrawAsTexturedStripsInTheBillboardPass) {
  Settle();
  shots().AddBullet(game->player->GetPosition() + float3{0.0f, 0.0f, 30.0f}, EnemyShots::kNormalBullet);
  shots().AddFlash(MatrixTranslation(0.0f, 3.0f, -200.0f), EnemyShots::kNormalFlash);
  Updates(1);
  VelGraphicsDevice& device = VelGraphicsDevice::GetInstance();
  device.ClearDrawRecords();
  game->SetCamera();
  game->Draw();
  const C_EnemyBullet& bullet = *shots().bullets[0];
  const C_EnemyFlash& flash = *shots().flashes[0];
  int bulletDraws = 0, flashDraws = 0;
  for (const VelDrawRecord& draw : device.GetDrawRecords()) {
    const bool isBullet = draw.vertexBuffer == bullet.vertexBuffer.GetBuffer().get();
    const bool isFlash = draw.vertexBuffer == flash.vertexBuffer.GetBuffer().get();
    if (!isBullet && !isFlash) continue;
    EXPECT_EQ(draw.shader, VelShaderPath::Effect);
    EXPECT_EQ(draw.topology, VelTopology::TriangleStrip);
    EXPECT_EQ(draw.count, 4u);
    EXPECT_EQ(draw.vertexStride, 36u);
    EXPECT_EQ(draw.blendMode, 2);
    EXPECT_FALSE(draw.depthWrite);
    EXPECT_EQ(draw.textureNames[0], isBullet ? "Data/Enemy/enemyBullet.png" : "Data/Effect/chargeFlash.png");
    EXPECT_EQ(draw.world, isBullet ? bullet.GetMatrix() : flash.world);
    // The bullet comes first.
    EXPECT_EQ(isFlash, bulletDraws == 1);
    bulletDraws += isBullet;
    flashDraws += isFlash;
  }
  EXPECT_EQ(bulletDraws, 1);
  EXPECT_EQ(flashDraws, 1);
}
