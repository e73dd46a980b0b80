#include <gtest/gtest.h>

#include <algorithm>

#include "GameTestWorld.h"

namespace {
using Op = VelSoundEngine::Call::Op;

int Count(const std::vector<std::string>& files, const std::string& file) {
  return static_cast<int>(std::count(files.begin(), files.end(), file));
}
}  // namespace

class PlayerTest : public GameTestWorld {
 protected:
  Player& player() { return *game->player; }
  void PlaceAndSettle(float3 where) {
    player().position = where;
    Settle();
    VelSoundEngine::GetInstance().ClearRecord();
  }
};

TEST_F(PlayerTest, StartsOnTheAirfieldThreeUnitsAboveTheFloor) {
  EXPECT_EQ(player().GetPosition(), (float3{0.0f, 0.0f, -240.0f}));
  Settle();
  EXPECT_NEAR(player().position.y, 3.0f, 1e-4f);
  EXPECT_EQ(player().position.x, 0.0f);
  EXPECT_EQ(player().position.z, -240.0f);
  EXPECT_FALSE(player().jumping);
  EXPECT_TRUE(player().landed);
  // Standing still neither lands again nor steps.
  EXPECT_TRUE(Played(Op::Play).empty());
}

TEST_F(PlayerTest, JumpRisesToItsApexAndLandsOnce) {
  Settle();
  VelSoundEngine::GetInstance().ClearRecord();
  Hold({Key::Space});
  Updates(1);
  EXPECT_TRUE(player().jumping);
  EXPECT_FALSE(player().landed);
  EXPECT_NEAR(player().position.y, 3.85f, 1e-4f);
  EXPECT_NEAR(player().verticalSpeed, 0.8f, 1e-5f);
  Hold({});
  float apex = player().position.y;
  int airborne = 1;
  while (player().jumping && airborne < 100) {
    Updates(1);
    apex = std::max(apex, player().position.y);
    ++airborne;
  }
  // 0.85 + 0.80 + ... + 0.05 above the standing height.
  EXPECT_NEAR(apex, 3.0f + 7.65f, 1e-3f);
  EXPECT_GE(airborne, 34);
  EXPECT_LE(airborne, 37);
  EXPECT_NEAR(player().position.y, 3.0f, 1e-4f);
  EXPECT_TRUE(player().landed);
  auto played = Played(Op::Play);
  EXPECT_EQ(Count(played, "Data/Sound/Jump.wav"), 1);
  EXPECT_EQ(Count(played, "Data/Sound/Land.wav"), 1);
}

TEST_F(PlayerTest, WalksHalfAUnitAFrameAndStepsEvery30Frames) {
  PlaceAndSettle({0.0f, 0.0f, -240.0f});
  Hold({Key::W});
  Updates(10);
  EXPECT_NEAR(player().position.z, -235.0f, 1e-3f);
  EXPECT_NEAR(player().position.x, 0.0f, 1e-4f);
  Updates(50);
  EXPECT_EQ(Count(Played(Op::Play), "Data/Sound/walk.wav"), 2);

  // Turned by 90 degrees, W walks along +x.
  PlaceAndSettle({0.0f, 0.0f, -240.0f});
  player().yaw = 90.0f;
  Hold({Key::W});
  Updates(4);
  EXPECT_NEAR(player().position.x, 2.0f, 1e-3f);
  EXPECT_NEAR(player().position.z, -240.0f, 1e-3f);
}

TEST_F(PlayerTest, RunsAfterSixtyFramesOfWAndStopsWhenItIsReleased) {
  PlaceAndSettle({0.0f, 0.0f, -270.0f});
  Hold({Key::W});
  Updates(59);
  EXPECT_FALSE(player().running);
  EXPECT_EQ(player().runCounter, 59);
  float before = player().position.z;
  Updates(1);
  EXPECT_TRUE(player().running);
  EXPECT_EQ(player().runCounter, 60);
  EXPECT_NEAR(player().position.z - before, 0.9f, 1e-4f);
  // The count goes on while W stays down; only reaching 60 matters.
  Updates(5);
  EXPECT_EQ(player().runCounter, 65);
  EXPECT_TRUE(player().running);

  // Running steps come every 18 frames.
  VelSoundEngine::GetInstance().ClearRecord();
  Updates(36);
  EXPECT_EQ(Count(Played(Op::Play), "Data/Sound/walk.wav"), 2);

  Hold({});
  Updates(1);
  EXPECT_FALSE(player().running);
  EXPECT_EQ(player().runCounter, 0);
  EXPECT_EQ(player().runBonus, 0.0f);
}

TEST_F(PlayerTest, FrameWithFireCooldownIsNotCountedButDoesNotReset) {
  PlaceAndSettle({0.0f, 0.0f, -270.0f});
  Hold({Key::W});
  Updates(30);
  // As a shot leaves them once its own frame has counted one off.
  player().fireCooldownActive = true;
  player().fireCooldown = 11;
  Updates(10);
  EXPECT_EQ(player().runCounter, 30);
  player().fireCooldownActive = false;
  Updates(30);
  EXPECT_TRUE(player().running);
}

TEST_F(PlayerTest, WAndSTogetherStandStillButCountTheRun) {
  PlaceAndSettle({0.0f, 0.0f, -240.0f});
  Hold({Key::W, Key::S});
  Updates(20);
  EXPECT_NEAR(player().position.z, -240.0f, 1e-4f);
  EXPECT_EQ(player().runCounter, 20);
  EXPECT_TRUE(Played(Op::Play).empty());
}

TEST_F(PlayerTest, MouseLookTurnsByAPixelOverTwelveAndClampsPitch) {
  Settle();
  platform->SetCursorClient({640 + 120, 360 + 24});
  Updates(1);
  EXPECT_NEAR(player().yaw, 10.0f, 1e-5f);
  EXPECT_NEAR(player().pitch, 2.0f, 1e-5f);
  EXPECT_EQ(platform->CursorClient().x, 640);
  EXPECT_EQ(platform->CursorClient().y, 360);

  platform->SetCursorClient({640, 360 + 600});
  Updates(1);
  EXPECT_EQ(player().pitch, 35.0f);
  platform->SetCursorClient({640, 360 - 2000});
  Updates(1);
  EXPECT_EQ(player().pitch, -40.0f);

  // Yaw is never wrapped.
  for (int i = 0; i < 5; ++i) {
    platform->SetCursorClient({640 + 1200, 360});
    Updates(1);
  }
  EXPECT_NEAR(player().yaw, 510.0f, 1e-3f);
}

TEST_F(PlayerTest, WorldBoundsClampXAndTheSouthEdge) {
  PlaceAndSettle({-200.0f, 0.0f, -300.0f});
  EXPECT_EQ(player().position.x, -187.0f);
  EXPECT_EQ(player().position.z, -287.0f);
  PlaceAndSettle({195.0f, 0.0f, -250.0f});
  EXPECT_EQ(player().position.x, 180.0f);
}

TEST_F(PlayerTest, TheClosedDoorBlocksUntilItHasRisen) {
  PlaceAndSettle({0.0f, 0.0f, -20.0f});
  Hold({Key::W});
  Updates(80);
  float stopped = player().position.z;
  EXPECT_LT(stopped, 0.0f);
  EXPECT_GT(stopped, -10.0f);
  EXPECT_FALSE(player().running && player().position.z > 0.0f);

  Hold({});
  game->killCount = 4;
  Updates(170);
  Hold({Key::W});
  Updates(60);
  EXPECT_GT(player().position.z, 15.0f);
}

TEST_F(PlayerTest, TheStartAreaWallPushesBack) {
  // The north wall beside the door gap.
  PlaceAndSettle({80.0f, 0.0f, -20.0f});
  Hold({Key::W});
  Updates(80);
  EXPECT_LT(player().position.z, 0.0f);
  EXPECT_GT(player().position.z, -10.0f);
}

TEST_F(PlayerTest, TheAirplaneHullBlocksButTheGroundRayIgnoresIt) {
  // From the east, walking west into the parked plane.
  PlaceAndSettle({-20.0f, 0.0f, -210.0f});
  Hold({Key::A});
  Updates(120);
  EXPECT_GT(player().position.x, -80.0f);
  EXPECT_LT(player().position.x, -25.0f);
  EXPECT_NEAR(player().position.y, 3.0f, 0.5f);
}

TEST_F(PlayerTest, FirstEnemyThatCanHurtDealsDamageAndEndsTheVisit) {
  Settle();
  player().world = MatrixTranslation(player().position);
  float3 at = player().position;
  std::vector<ContactBody> enemies = {{at + float3{4.0f, 0.0f, 0.0f}, 3.0f, 2},
                                      {at + float3{-4.0f, 0.0f, 0.0f}, 3.0f, 5}};
  VelSoundEngine::GetInstance().ClearRecord();
  player().TouchEnemies(enemies);
  EXPECT_EQ(player().hp, 18);
  EXPECT_EQ(player().damageCooldown, 60);
  EXPECT_EQ(player().tint.x, 0.6f);
  EXPECT_EQ(player().tint.z, 0.4f);
  // Half of the overlap of 2 units, away from the first enemy only.
  EXPECT_NEAR(player().position.x, at.x - 1.0f, 1e-4f);
  EXPECT_EQ(Count(Played(Op::Play), "Data/Sound/collisionDmg.wav"), 1);

  // While invulnerable every touching enemy pushes and none hurts.
  float3 now = player().position;
  player().TouchEnemies(
      {{now + float3{0.0f, 0.0f, 5.0f}, 3.0f, 2}, {now + float3{0.0f, 0.0f, -5.0f}, 3.0f, 2}});
  EXPECT_EQ(player().hp, 18);
  // One after the other: half of 1 unit back from the first, then half of the
  // 1.5 units the second now overlaps.
  EXPECT_NEAR(player().position.z, now.z - 0.5f + 0.75f, 1e-4f);
  EXPECT_NEAR(player().position.x, now.x, 1e-4f);
  EXPECT_NEAR(player().world.Translation().z, player().position.z, 1e-4f);
}

TEST_F(PlayerTest, BulletsDuringInvulnerabilityAreNotUsedUp) {
  Settle();
  float3 at = player().position;
  std::vector<ContactBody> bullets = {{at + float3{10.0f, 0.0f, 0.0f}, 1.0f, 1},
                                      {at + float3{1.0f, 0.0f, 0.0f}, 1.0f, 3}};
  VelSoundEngine::GetInstance().ClearRecord();
  EXPECT_EQ(player().TouchBullets(bullets), 1);
  EXPECT_EQ(player().hp, 17);
  auto played = Played(Op::Play);
  EXPECT_EQ(Count(played, "Data/Sound/bulletDmg.wav"), 1);
  EXPECT_EQ(Count(played, "Data/Sound/hitEnemyBullet.wav"), 1);
  EXPECT_EQ(player().TouchBullets(bullets), -1);
  EXPECT_EQ(player().hp, 17);

  // The protection lasts until the cooldown has counted down.
  Updates(59);
  EXPECT_EQ(player().tint.x, 0.6f);
  Updates(1);
  EXPECT_EQ(player().damageCooldown, 0);
  EXPECT_EQ(player().tint.x, 0.0f);
  EXPECT_EQ(player().TouchBullets(bullets), 1);
}

TEST_F(PlayerTest, DiesBySinkingThenTippingOverAndStopsTheWorld) {
  Settle();
  player().pitch = 5.5f;
  player().SetHP(-3);
  Updates(1);
  EXPECT_EQ(player().hp, 0);
  EXPECT_EQ(player().pitch, 4.5f);
  EXPECT_EQ(player().tint.x, 3.0f);
  Updates(10);
  EXPECT_EQ(player().pitch, 0.0f);
  // Input no longer moves the body.
  Hold({Key::W, Key::Space});
  Updates(30);
  EXPECT_NEAR(player().position.z, -240.0f, 1e-4f);
  Hold({});
  Updates(9);
  EXPECT_NEAR(player().deathSinkT, 1.0f, 1e-4f);
  EXPECT_NEAR(player().world.Translation().y, 3.0f - 0.1f, 5e-3f);
  EXPECT_TRUE(player().IsAlive());
  Updates(95);
  EXPECT_TRUE(player().IsAlive());
  Updates(10);
  EXPECT_FALSE(player().IsAlive());
  EXPECT_EQ(player().deathFallT, 1.0f);
  // Tipped 70 degrees about its own x axis.
  EXPECT_NEAR(player().world.m[1][1], std::cos(70.0f * kDegToRad), 1e-3f);
  float3 frozen = player().world.Translation();
  Updates(10);
  EXPECT_EQ(player().world.Translation(), frozen);
}
