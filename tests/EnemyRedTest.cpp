#include <gtest/gtest.h>

#include "EnemyTestWorld.h"
#include "framework/VelCollision.h"
#include "game/enemy/C_DoomShield.h"
#include "game/enemy/C_EnemyRed.h"
#include "game/enemy/C_OffenseState.h"
#include "game/enemy/C_SnipeState.h"

class EnemyRedTest : public EnemyTestWorld {
 protected:
  // A red enemy in the boss arena, settled on its floor.
  C_EnemyRed& Settled(const float3& at = {0.0f, 12.0f, 617.0f}) {
    FirstWavesDone();
    C_EnemyRed& enemy = Add<C_EnemyRed>(at);
    PlacePlayer(at + float3{0.0f, 0.0f, 60.0f});
    Step(enemy, game.get(), 12);
    enemy.state = std::make_unique<C_SnipeState>();
    shots().bullets.clear();
    shots().flashes.clear();
    game->effects->Clear();
    ClearSounds();
    return enemy;
  }

  static float Yaw(const C_Enemy& enemy) {
    const float3 forward = enemy.GetMatrix().Row(2);
    return YawFromDirection(forward.x, forward.y, forward.z);
  }
};

TEST_F(EnemyRedTest, ASniperThatIsNeverHitTurnsFourDegreesAFrameAndNeverMoves) {
  C_EnemyRed& enemy = Settled();
  EXPECT_EQ(enemy.GetHp(), 14);
  EXPECT_EQ(enemy.GetPower(), 4);
  EXPECT_EQ(enemy.GetRadius(), 3.5f);
  EXPECT_NEAR(enemy.GetPosition().y, 3.0f, 1e-4f);
  const float3 start = enemy.GetPosition();
  PlacePlayer(start + float3{50.0f, 0.0f, 0.0f});
  Step(enemy, game.get(), 10);
  EXPECT_NEAR(Yaw(enemy), 40.0f, 1e-3f);
  EXPECT_TRUE(shots().bullets.empty());
  Step(enemy, game.get(), 300);
  EXPECT_STREQ(enemy.StateName(), "C_SnipeState");
  EXPECT_EQ(enemy.GetPosition().x, start.x);
  EXPECT_EQ(enemy.GetPosition().z, start.z);
  EXPECT_FALSE(enemy.shieldDeployed);
}

TEST_F(EnemyRedTest, FiresOnTheFirstFacingFrameAndEveryNinetyFacingFramesAfter) {
  C_EnemyRed& enemy = Settled();
  Step(enemy, game.get());
  ASSERT_EQ(shots().bullets.size(), 1u);
  EXPECT_EQ(shots().flashes.size(), 1u);
  EXPECT_EQ(shots().bullets[0]->GetPosition(), enemy.GetPosition());
  EXPECT_EQ(CountPlayed(Op::Play3D, "Data/Sound/enemyBullet.wav"), 1);
  EXPECT_EQ(CountPlayed(Op::Play3D, "Data/Sound/powerCharge.wav"), 1);
  EXPECT_EQ(CountEffects("C_ChargeRedPower"), 1);
  Step(enemy, game.get(), 89);
  EXPECT_EQ(shots().bullets.size(), 1u);
  Step(enemy, game.get());
  EXPECT_EQ(shots().bullets.size(), 2u);
  EXPECT_EQ(CountEffects("C_ChargeRedPower"), 2);

  // The 22 frames spent turning a quarter circle do not count toward the next shot.
  PlacePlayer(enemy.GetPosition() + float3{60.0f, 0.0f, 0.0f});
  Step(enemy, game.get(), 22 + 89);
  EXPECT_EQ(shots().bullets.size(), 2u);
  Step(enemy, game.get());
  EXPECT_EQ(shots().bullets.size(), 3u);
}

TEST_F(EnemyRedTest, HalfItsHitPointsHandsOverToTheChaseAndRaisesOneShield) {
  C_EnemyRed& enemy = Settled();
  enemy.SetHp(8);
  Step(enemy, game.get());
  EXPECT_STREQ(enemy.StateName(), "C_SnipeState");
  EXPECT_TRUE(manager().shields.empty());

  enemy.SetHp(7);
  Step(enemy, game.get());
  EXPECT_STREQ(enemy.StateName(), "C_ChaseState");
  EXPECT_TRUE(enemy.shieldDeployed);
  ASSERT_EQ(manager().shields.size(), 1u);
  const C_Shield& shield = *manager().shields[0];
  EXPECT_NEAR(shield.opacity, 0.03f, 1e-6f);
  EXPECT_EQ(shield.GetMatrix().Translation(), (enemy.GetPosition() + float3{0.0f, -4.5f, 0.0f}));
  EXPECT_EQ(CountPlayed(Op::Play3D, "Data/Sound/DeployShield.wav"), 1);

  enemy.SetHp(2);
  Step(enemy, game.get(), 20);
  EXPECT_EQ(manager().shields.size(), 1u);
  EXPECT_EQ(CountPlayed(Op::Play3D, "Data/Sound/DeployShield.wav"), 1);
  // It follows the enemy as it chases.
  EXPECT_EQ(shield.GetMatrix().Translation(), (enemy.GetPosition() + float3{0.0f, -4.5f, 0.0f}));
}

TEST_F(EnemyRedTest, AShieldStandsStillOnceItsRedEnemyHasDied) {
  C_EnemyRed& enemy = Settled();
  enemy.SetHp(7);
  manager().Update();
  manager().Update();
  ASSERT_EQ(manager().shields.size(), 1u);
  const C_Shield& shield = *manager().shields[0];
  const float4x4 place = shield.GetMatrix();
  const float opacity = shield.opacity;
  enemy.SetHp(0);
  for (int i = 0; i < 30; ++i) manager().Update();
  EXPECT_TRUE(manager().enemies.empty());
  ASSERT_EQ(manager().shields.size(), 1u);
  EXPECT_EQ(shield.GetMatrix(), place);
  EXPECT_EQ(shield.opacity, opacity);
}

TEST_F(EnemyRedTest, TwoWoundedRedEnemiesUpdateEveryShieldAndTheLastOnePlacesThem) {
  FirstWavesDone();
  C_EnemyRed& first = Add<C_EnemyRed>({-30.0f, 12.0f, 617.0f});
  C_EnemyRed& second = Add<C_EnemyRed>({30.0f, 25.0f, 658.0f});
  PlacePlayer({0.0f, 3.0f, 520.0f});
  first.SetHp(7);
  second.SetHp(7);
  manager().Update();
  ASSERT_EQ(manager().shields.size(), 2u);
  EXPECT_NEAR(manager().shields[0]->opacity, 0.06f, 1e-6f);
  EXPECT_NEAR(manager().shields[1]->opacity, 0.03f, 1e-6f);
  for (const auto& shield : manager().shields) {
    EXPECT_EQ(shield->GetMatrix().Translation(), (second.GetPosition() + float3{0.0f, -4.5f, 0.0f}));
  }
  // The first one dies: the other keeps both shields moving with it.
  first.SetHp(0);
  manager().Update();
  ASSERT_EQ(manager().enemies.size(), 1u);
  EXPECT_NEAR(manager().shields[1]->opacity, 0.06f, 1e-6f);
  for (const auto& shield : manager().shields) {
    EXPECT_EQ(shield->GetMatrix().Translation(), (second.GetPosition() + float3{0.0f, -4.5f, 0.0f}));
  }
}

TEST_F(EnemyRedTest, TheOffenseWaitsThirtyFramesThenDashesUnsteeredToTheWall) {
  C_EnemyRed& enemy = Settled({0.0f, 12.0f, 660.0f});
  enemy.SetHp(7);
  enemy.state = std::make_unique<C_OffenseState>();
  // Sidestepped to the west, close enough that the dash goes on.
  PlacePlayer(enemy.GetPosition() + float3{-15.0f, 0.0f, 20.0f});
  const float3 start = enemy.GetPosition();
  Step(enemy, game.get(), 29);
  EXPECT_EQ(enemy.GetPosition().z, start.z);
  EXPECT_EQ(CountPlayed(Op::Play3D, "Data/Sound/enemyAttack.wav"), 0);
  Step(enemy, game.get());
  EXPECT_NEAR(enemy.GetPosition().z - start.z, 2.0f, 1e-4f);
  EXPECT_EQ(CountPlayed(Op::Play3D, "Data/Sound/enemyAttack.wav"), 1);
  EXPECT_EQ(game->effects->modelEffects.size(), 1u);
  // The arena's north wall fronts z = 700.
  Step(enemy, game.get(), 40);
  EXPECT_STREQ(enemy.StateName(), "C_OffenseState");
  EXPECT_NEAR(enemy.GetPosition().z, 697.0f, 1e-3f);
  EXPECT_EQ(enemy.GetPosition().x, start.x);
}
