#include <gtest/gtest.h>

#include <string>

#include "EnemyTestWorld.h"
#include "game/enemy/C_EnemyBlue.h"
#include "game/enemy/C_EnemyRed.h"
#include "game/enemy/C_EnemyYellow.h"
#include "game/enemy/C_WalkState.h"

class EnemyManagerTest : public EnemyTestWorld {
 protected:
  std::vector<std::string> Kinds() {
    std::vector<std::string> kinds;
    for (const auto& enemy : manager().enemies) kinds.push_back(enemy->KindName());
    return kinds;
  }
};

TEST_F(EnemyManagerTest, TheFirstLineIsCrossedOnlyBeyondItsZ) {
  PlacePlayer({40.0f, 3.0f, -115.0f});
  manager().Update();
  EXPECT_FALSE(manager().firstTrigger.fired);
  EXPECT_TRUE(manager().enemies.empty());

  PlacePlayer({40.0f, 3.0f, -114.99f});
  manager().Update();
  EXPECT_TRUE(manager().firstTrigger.fired);
  ASSERT_EQ(manager().enemies.size(), 4u);
  const float xs[] = {75, 50, 30, 5};
  for (int i = 0; i < 4; ++i) {
    const C_Enemy& enemy = *manager().enemies[i];
    EXPECT_STREQ(enemy.KindName(), "blue");
    EXPECT_EQ(enemy.GetPosition().x, xs[i]);
    EXPECT_EQ(enemy.GetPosition().z, -25.0f);
    // Announced on the frame they came, and already hovering 3 above the floor.
    EXPECT_TRUE(enemy.spawned);
    EXPECT_NEAR(enemy.GetPosition().y, 3.0f, 1e-4f);
  }
  EXPECT_EQ(CountEffects("C_EnemySpawn"), 4);
  EXPECT_EQ(CountPlayed(Op::Play3D, "Data/Sound/enemySpawn.wav"), 4);

  // A wave comes once.
  manager().Update();
  EXPECT_EQ(manager().enemies.size(), 4u);
}

TEST_F(EnemyManagerTest, BothEarlyWavesCanComeInOneFrameInOrder) {
  PlacePlayer({0.0f, 3.0f, 20.0f});
  manager().Update();
  EXPECT_TRUE(manager().firstTrigger.fired);
  EXPECT_TRUE(manager().secondTrigger.fired);
  const std::vector<std::string> expected = {"blue",   "blue",   "blue",   "blue",  "blue", "blue",
                                             "blue",   "blue",   "blue",   "blue",  "blue", "yellow",
                                             "yellow", "yellow", "yellow", "yellow"};
  EXPECT_EQ(Kinds(), expected);
  EXPECT_EQ(manager().enemies[0]->GetPosition().x, 75.0f);
  EXPECT_EQ(manager().enemies[4]->GetPosition().x, -24.0f);
  EXPECT_EQ(manager().enemies[4]->GetPosition().z, 136.0f);
  EXPECT_FLOAT_EQ(manager().enemies[11]->GetPosition().x, -36.8f);
  EXPECT_EQ(manager().enemies[11]->GetPosition().y, 9.0f);
}

TEST_F(EnemyManagerTest, TheThirdWaveWaitsForTheBossWarningAndTracksAtOnce) {
  PlacePlayer({0.0f, 3.0f, 560.0f});
  for (int i = 0; i < 300; ++i) manager().Update();
  EXPECT_FALSE(manager().thirdTrigger.fired);
  const size_t early = manager().enemies.size();
  EXPECT_EQ(early, 16u);

  manager().EndBossWarning();
  manager().Update();
  EXPECT_TRUE(manager().thirdTrigger.fired);
  ASSERT_EQ(manager().enemies.size(), early + 5);
  const std::vector<std::string> last = {"blue", "blue", "blue", "red", "red"};
  const std::vector<std::string> kinds = Kinds();
  EXPECT_EQ(std::vector<std::string>(kinds.end() - 5, kinds.end()), last);
  for (size_t i = early; i < early + 3; ++i) EXPECT_STREQ(manager().enemies[i]->StateName(), "C_TrackState");
  EXPECT_STREQ(manager().enemies[early + 3]->StateName(), "C_SnipeState");
  // Second-wave blues that never noticed the player still wander.
  EXPECT_STREQ(manager().enemies[10]->StateName(), "C_WalkState");
}

TEST_F(EnemyManagerTest, DeadEnemiesGoOnTheNextUpdateWithoutSkippingTheirNeighbours) {
  C_Enemy& first = Add<C_EnemyBlue>({60.0f, 2.0f, -60.0f});
  C_Enemy& second = Add<C_EnemyBlue>({40.0f, 2.0f, -60.0f});
  C_EnemyBlue& third = Add<C_EnemyBlue>({20.0f, 2.0f, -60.0f});
  manager().Update();
  ClearSounds();
  const float3 deathPlace = second.GetPosition();
  first.SetHp(0);
  second.SetHp(-3);

  auto walk = std::make_unique<C_WalkState>();
  walk->timer = 50;
  third.state = std::move(walk);

  manager().Update();
  ASSERT_EQ(manager().enemies.size(), 1u);
  EXPECT_EQ(manager().enemies[0].get(), &third);
  EXPECT_EQ(game->killCount, 2);
  // The survivor, which slid into the dead ones' slots, was still updated.
  EXPECT_EQ(static_cast<C_WalkState&>(*third.state).timer, 49);
  EXPECT_EQ(CountPlayed(Op::Play3D, "Data/Sound/Explosion.wav"), 2);
  EXPECT_EQ(CountEffects("C_Explosion"), 2);
  bool explodedWhereItStood = false;
  for (const auto& call : VelSoundEngine::GetInstance().GetRecord()) {
    explodedWhereItStood |= call.file == "Data/Sound/Explosion.wav" && call.position == deathPlace;
  }
  EXPECT_TRUE(explodedWhereItStood);

  manager().Update();
  EXPECT_EQ(game->killCount, 2);
}

TEST_F(EnemyManagerTest, OverlappingEnemiesAreMovedApartUntilTheyTouch) {
  C_Enemy& a = Add<C_EnemyBlue>({40.0f, 2.0f, -60.0f});
  C_Enemy& b = Add<C_EnemyBlue>({44.0f, 2.0f, -60.0f});
  manager().Update();
  EXPECT_NEAR(a.GetPosition().x, 39.0f, 1e-4f);
  EXPECT_NEAR(b.GetPosition().x, 45.0f, 1e-4f);
  EXPECT_NEAR(Distance(a.GetPosition(), b.GetPosition()), 6.0f, 1e-4f);
}

TEST_F(EnemyManagerTest, EnemiesOnTheSamePointAreNotPushedApart) {
  C_Enemy& a = Add<C_EnemyYellow>({40.0f, 10.0f, -60.0f});
  C_Enemy& b = Add<C_EnemyYellow>({40.0f, 10.0f, -60.0f});
  manager().Update();
  EXPECT_EQ(a.GetPosition(), b.GetPosition());
  EXPECT_EQ(a.GetPosition().x, 40.0f);
  EXPECT_EQ(a.GetPosition().z, -60.0f);
}

TEST_F(EnemyManagerTest, AllTwentyOneDefeatsNeedAllThreeWaves) {
  auto killAll = [&] {
    for (const auto& enemy : manager().enemies) enemy->SetHp(0);
    manager().Update();
  };
  PlacePlayer({0.0f, 3.0f, 20.0f});
  manager().Update();
  killAll();
  EXPECT_EQ(game->killCount, 16);
  EXPECT_TRUE(manager().enemies.empty());
  manager().EndBossWarning();
  manager().Update();
  killAll();
  EXPECT_EQ(game->killCount, 21);
  manager().Update();
  EXPECT_EQ(game->killCount, 21);
}

TEST_F(EnemyManagerTest, TheSceneUpdatesEnemiesAndHandsThemToThePlayersContactTest) {
  Settle();
  C_Enemy& enemy = Add<C_EnemyBlue>(game->player->GetPosition() + float3{0.0f, 0.0f, 4.0f});
  const int hp = game->player->GetHP();
  Updates(1);
  EXPECT_TRUE(enemy.spawned);
  EXPECT_EQ(game->player->GetHP(), hp - enemy.GetPower());
  const std::vector<ContactBody> bodies = game->EnemyBodies();
  ASSERT_EQ(bodies.size(), 1u);
  EXPECT_EQ(bodies[0].position, enemy.GetMatrix().Translation());
  EXPECT_EQ(bodies[0].radius, 3.0f);
  EXPECT_EQ(bodies[0].power, 2);
}
