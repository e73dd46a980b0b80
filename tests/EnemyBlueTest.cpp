#include <gtest/gtest.h>

#include "EnemyTestWorld.h"
#include "framework/VelCollision.h"
#include "game/enemy/C_AttackState.h"
#include "game/enemy/C_EnemyBlue.h"
#include "game/enemy/C_TrackState.h"
#include "game/enemy/C_WalkState.h"

class EnemyBlueTest : public EnemyTestWorld {
 protected:
  // A blue enemy on the apron, south of the gatehouse's east wall (z = 0),
  // that has already announced itself and settled 3 above the floor.
  C_EnemyBlue& Settled(const float3& at = {50.0f, 2.0f, -25.0f}) {
    C_EnemyBlue& enemy = Add<C_EnemyBlue>(at);
    Walk(enemy, 120, 0.0f);
    Step(enemy, game.get());
    ClearSounds();
    game->effects->Clear();
    return enemy;
  }

  static void Walk(C_EnemyBlue& enemy, int timer, float heading) {
    auto walk = std::make_unique<C_WalkState>();
    walk->timer = timer;
    walk->heading = heading;
    enemy.state = std::move(walk);
  }

  static float Yaw(const C_Enemy& enemy) {
    const float3 forward = enemy.GetMatrix().Row(2);
    return YawFromDirection(forward.x, forward.y, forward.z);
  }
};

TEST_F(EnemyBlueTest, ComesWithItsValuesAndHoversOverTheFloor) {
  C_EnemyBlue& enemy = Settled();
  EXPECT_EQ(enemy.GetHp(), 8);
  EXPECT_EQ(enemy.GetMaxHp(), 8);
  EXPECT_EQ(enemy.GetPower(), 2);
  EXPECT_EQ(enemy.GetRadius(), 3.0f);
  EXPECT_EQ(enemy.tint.x + enemy.tint.y + enemy.tint.z, 0.0f);
  EXPECT_EQ(enemy.tint.w, 1.0f);
  EXPECT_FALSE(enemy.GetModel().Nodes.empty());
  for (int i = 0; i < 20; ++i) {
    Step(enemy, game.get());
    EXPECT_NEAR(enemy.GetPosition().y, 3.0f, 1e-4f);
  }
}

TEST_F(EnemyBlueTest, AWalkThatEndsBeforeItFacesItsHeadingNeverMoves) {
  C_EnemyBlue& enemy = Settled();
  const float3 start = enemy.GetPosition();
  Walk(enemy, 60, 180.0f);
  const C_BlueState* first = enemy.state.get();
  Step(enemy, game.get(), 59);
  EXPECT_EQ(enemy.state.get(), first);
  Step(enemy, game.get());
  EXPECT_NE(enemy.state.get(), first);
  EXPECT_STREQ(enemy.StateName(), "C_WalkState");
  EXPECT_NEAR(Yaw(enemy), 120.0f, 1e-3f);
  EXPECT_EQ(enemy.GetPosition().x, start.x);
  EXPECT_EQ(enemy.GetPosition().z, start.z);
}

TEST_F(EnemyBlueTest, AWalkMovesOnlyWhileFacingItsHeading) {
  C_EnemyBlue& enemy = Settled({50.0f, 2.0f, -40.0f});
  const float3 start = enemy.GetPosition();
  Walk(enemy, 120, 0.0f);
  Step(enemy, game.get(), 10);
  EXPECT_NEAR(enemy.GetPosition().z - start.z, 2.0f, 1e-4f);
  EXPECT_EQ(enemy.GetPosition().x, start.x);
  EXPECT_TRUE(Played(Op::Play).empty());
}

TEST_F(EnemyBlueTest, NoticesThePlayerWithinSixtyUnits) {
  C_EnemyBlue& enemy = Settled({50.0f, 2.0f, -40.0f});
  PlacePlayer(enemy.GetPosition() + float3{0.0f, 0.0f, -60.5f});
  Step(enemy, game.get());
  EXPECT_STREQ(enemy.StateName(), "C_WalkState");
  PlacePlayer(enemy.GetPosition() + float3{0.0f, 0.0f, -59.5f});
  Step(enemy, game.get());
  EXPECT_STREQ(enemy.StateName(), "C_TrackState");
  EXPECT_EQ(CountEffects("C_Discovery"), 1);
  EXPECT_EQ(CountPlayed(Op::Play, "Data/Sound/find.wav"), 1);
}

TEST_F(EnemyBlueTest, AnyDamageMakesItNoticeFromAnyDistanceUnlessItsWalkEnds) {
  C_EnemyBlue& enemy = Settled();
  ASSERT_GT(Distance(enemy.GetPosition(), game->player->GetPosition()), 200.0f);
  Walk(enemy, 1, 90.0f);
  enemy.SetHp(7);
  Step(enemy, game.get());
  EXPECT_STREQ(enemy.StateName(), "C_WalkState");
  EXPECT_EQ(CountEffects("C_Discovery"), 0);

  Step(enemy, game.get());
  EXPECT_STREQ(enemy.StateName(), "C_TrackState");
  EXPECT_EQ(CountEffects("C_Discovery"), 1);
  bool quiet = false;
  for (const auto& call : VelSoundEngine::GetInstance().GetRecord()) {
    if (call.file == "Data/Sound/find.wav") quiet = call.op == Op::Play && call.volume == 0.3f;
  }
  EXPECT_TRUE(quiet);
}

TEST_F(EnemyBlueTest, TracksByTurningFirstThenWalkingAndAttacksWithinTwenty) {
  C_EnemyBlue& enemy = Settled({50.0f, 2.0f, -60.0f});
  enemy.state = std::make_unique<C_TrackState>();
  // The player almost due east (yaw 88.09): 45 frames of turning at 2
  // degrees, the last one a short one, before the first step.
  const float3 toPlayer{30.0f, 0.0f, 1.0f};
  PlacePlayer(enemy.GetPosition() + toPlayer);
  const float3 start = enemy.GetPosition();
  Step(enemy, game.get(), 44);
  EXPECT_EQ(Horizontal(enemy.GetPosition(), start), 0.0f);
  EXPECT_NEAR(Yaw(enemy), 88.0f, 1e-3f);
  Step(enemy, game.get());
  EXPECT_NEAR(Yaw(enemy), YawFromDirection(toPlayer.x, 0.0f, toPlayer.z), 1e-3f);
  EXPECT_NEAR(Horizontal(enemy.GetPosition(), start), 0.6f, 1e-4f);
  // 30.02 - 0.6 k is 20 or less from the 17th step on; the update after it attacks.
  Step(enemy, game.get(), 16);
  EXPECT_STREQ(enemy.StateName(), "C_TrackState");
  Step(enemy, game.get());
  EXPECT_STREQ(enemy.StateName(), "C_AttackState");
}

TEST_F(EnemyBlueTest, ChargesFor45UpdatesThenDashesAlongItsFacingUntilTheWall) {
  C_EnemyBlue& enemy = Settled();
  // Behind it and close: the distance stays below 40 throughout the dash.
  PlacePlayer(enemy.GetPosition() + float3{0.0f, 0.0f, -10.0f});
  enemy.state = std::make_unique<C_AttackState>();
  const float3 start = enemy.GetPosition();
  for (int i = 1; i <= 44; ++i) {
    Step(enemy, game.get());
    const auto& attack = static_cast<const C_AttackState&>(*enemy.state);
    ASSERT_EQ(attack.timer, 45 - i);
    ASSERT_FALSE(attack.dashing);
    ASSERT_EQ(enemy.GetPosition().z, start.z);
  }
  EXPECT_EQ(CountEffects("C_ChargeBluePower"), 1);
  EXPECT_EQ(CountPlayed(Op::Play3D, "Data/Sound/powerCharge.wav"), 1);
  EXPECT_EQ(CountPlayed(Op::Play3D, "Data/Sound/enemyAttack.wav"), 0);
  EXPECT_TRUE(game->effects->modelEffects.empty());

  Step(enemy, game.get());
  EXPECT_TRUE(static_cast<const C_AttackState&>(*enemy.state).dashing);
  EXPECT_NEAR(enemy.GetPosition().z - start.z, 1.5f, 1e-4f);
  EXPECT_EQ(game->effects->modelEffects.size(), 1u);
  EXPECT_EQ(CountPlayed(Op::Play3D, "Data/Sound/enemyAttack.wav"), 1);

  // 22 units to go to the wall at z = 0; it stops 3 in front of it.
  Step(enemy, game.get(), 39);
  EXPECT_STREQ(enemy.StateName(), "C_AttackState");
  EXPECT_NEAR(enemy.GetPosition().z, -3.0f, 1e-3f);
  EXPECT_EQ(enemy.GetPosition().x, start.x);
  EXPECT_EQ(game->effects->modelEffects.size(), 40u);
  EXPECT_EQ(CountPlayed(Op::Play3D, "Data/Sound/enemyAttack.wav"), 1);
  EXPECT_EQ(CountEffects("C_ChargeBluePower"), 1);
}

TEST_F(EnemyBlueTest, GoesBackToTrackingWhenThePlayerIsFortyAway) {
  C_EnemyBlue& enemy = Settled({50.0f, 2.0f, -60.0f});
  PlacePlayer(enemy.GetPosition() + float3{0.0f, 0.0f, -40.0f});
  enemy.state = std::make_unique<C_AttackState>();
  Step(enemy, game.get(), 44);
  EXPECT_STREQ(enemy.StateName(), "C_AttackState");
  // The first dashing frame moves and hands over at once.
  Step(enemy, game.get());
  EXPECT_STREQ(enemy.StateName(), "C_TrackState");
  EXPECT_EQ(game->effects->modelEffects.size(), 1u);
}

TEST_F(EnemyBlueTest, WallsAndTheClosedDoorPushItBack) {
  // Walking north into the gatehouse's door gap, where only the closed door
  // (its face at z = 1) stands in the way: each frame it is pushed back to 3
  // in front of it, then takes its 0.2 step, which only the stage is tested after.
  C_EnemyBlue& enemy = Settled({0.0f, 2.0f, -10.0f});
  Walk(enemy, 120, 0.0f);
  Step(enemy, game.get(), 100);
  EXPECT_NEAR(enemy.GetPosition().z, -1.8f, 1e-3f);
  EXPECT_EQ(enemy.GetPosition().x, 0.0f);
}

TEST_F(EnemyBlueTest, AgainstAWallTheFloorsPushIsAddedAgainWithTheWalls) {
  // The push of the frame's queries accumulates and is applied whole after
  // each hit: on a frame when it settles from 2 back to 3 and the wall ahead
  // is hit too, the floor's unit lands twice, and the next frame's fall from 4
  // needs no floor push at all.
  C_EnemyBlue& enemy = Settled({50.0f, 2.0f, -10.0f});
  Walk(enemy, 300, 0.0f);
  Step(enemy, game.get(), 60);
  float low = 1e9f, high = -1e9f;
  for (int i = 0; i < 6; ++i) {
    Step(enemy, game.get());
    low = std::fmin(low, enemy.GetPosition().y);
    high = std::fmax(high, enemy.GetPosition().y);
    ASSERT_NEAR(enemy.GetPosition().z, -3.0f, 0.25f);
  }
  EXPECT_NEAR(low, 3.0f, 1e-4f);
  EXPECT_NEAR(high, 4.0f, 1e-4f);
}
