#include <gtest/gtest.h>

#include "EnemyTestWorld.h"
#include "framework/VelCollision.h"
#include "game/enemy/C_EnemyYellow.h"
#include "game/enemy/C_ScoutState.h"
#include "game/enemy/C_ShootState.h"

class EnemyYellowTest : public EnemyTestWorld {
 protected:
  static void Scout(C_EnemyYellow& enemy, int timer, float heading) {
    auto scout = std::make_unique<C_ScoutState>();
    scout->timer = timer;
    scout->heading = heading;
    enemy.state = std::move(scout);
  }
};

TEST_F(EnemyYellowTest, SettlesOntoTheFloorAndNeverMovesSideways) {
  // Right in front of the apron's north wall, which would push a blue enemy back.
  C_EnemyYellow& enemy = Add<C_EnemyYellow>({50.0f, 10.0f, -1.5f});
  EXPECT_EQ(enemy.GetHp(), 8);
  EXPECT_EQ(enemy.GetPower(), 2);
  EXPECT_EQ(enemy.GetRadius(), 3.0f);
  Step(enemy, game.get());
  EXPECT_EQ(enemy.GetPosition().y, 9.0f);
  Step(enemy, game.get(), 5);
  EXPECT_EQ(enemy.GetPosition().y, 4.0f);
  Step(enemy, game.get());
  EXPECT_NEAR(enemy.GetPosition().y, 3.0f, 1e-4f);

  PlacePlayer({70.0f, 3.0f, -30.0f});
  enemy.SetHp(5);
  for (int i = 0; i < 400; ++i) {
    Step(enemy, game.get());
    ASSERT_EQ(enemy.GetPosition().x, 50.0f);
    ASSERT_EQ(enemy.GetPosition().z, -1.5f);
  }
  EXPECT_STREQ(enemy.StateName(), "C_ShootState");
  EXPECT_FALSE(shots().bullets.empty());
}

TEST_F(EnemyYellowTest, AScoutWhoseTimerRunsOutAsThePlayerArrivesNoticesOneFrameLate) {
  C_EnemyYellow& enemy = Add<C_EnemyYellow>({50.0f, 10.0f, -40.0f});
  Step(enemy, game.get());
  ClearSounds();
  Scout(enemy, 1, 0.0f);
  const C_YellowState* first = enemy.state.get();
  PlacePlayer(enemy.GetPosition() + float3{0.0f, 0.0f, 30.0f});
  Step(enemy, game.get());
  EXPECT_STREQ(enemy.StateName(), "C_ScoutState");
  EXPECT_NE(enemy.state.get(), first);
  EXPECT_EQ(CountEffects("C_Discovery"), 0);
  Step(enemy, game.get());
  EXPECT_STREQ(enemy.StateName(), "C_ShootState");
  EXPECT_EQ(CountEffects("C_Discovery"), 1);
  EXPECT_EQ(CountPlayed(Op::Play, "Data/Sound/find.wav"), 1);
}

TEST_F(EnemyYellowTest, AScoutOnlyTurnsAndNoticesDamageFromAfar) {
  C_EnemyYellow& enemy = Add<C_EnemyYellow>({50.0f, 10.0f, -40.0f});
  Step(enemy, game.get());
  enemy.world = MatrixTranslation(enemy.GetPosition());
  Scout(enemy, 300, 90.0f);
  Step(enemy, game.get(), 20);
  const float3 forward = enemy.GetMatrix().Row(2);
  EXPECT_NEAR(YawFromDirection(forward.x, forward.y, forward.z), 40.0f, 1e-3f);
  EXPECT_STREQ(enemy.StateName(), "C_ScoutState");
  enemy.SetHp(7);
  Step(enemy, game.get());
  EXPECT_STREQ(enemy.StateName(), "C_ShootState");
}

TEST_F(EnemyYellowTest, ShootsEveryNinetyFacingFramesHoweverFarThePlayerGoes) {
  C_EnemyYellow& enemy = Add<C_EnemyYellow>({50.0f, 10.0f, -40.0f});
  enemy.state = std::make_unique<C_ShootState>();
  PlacePlayer({50.0f, 3.0f, 2000.0f});
  Step(enemy, game.get());
  ASSERT_EQ(shots().bullets.size(), 1u);
  EXPECT_EQ(shots().flashes.size(), 1u);
  EXPECT_EQ(CountEffects("C_ChargeYellowPower"), 1);
  Step(enemy, game.get(), 179);
  EXPECT_EQ(shots().bullets.size(), 2u);
  Step(enemy, game.get());
  EXPECT_EQ(shots().bullets.size(), 3u);
  EXPECT_EQ(CountEffects("C_ChargeYellowPower"), 3);
  EXPECT_EQ(CountPlayed(Op::Play3D, "Data/Sound/enemyBullet.wav"), 3);
  EXPECT_STREQ(enemy.StateName(), "C_ShootState");
}
