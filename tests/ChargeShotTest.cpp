#include <gtest/gtest.h>

#include <algorithm>

#include "GameTestWorld.h"
#include "game/effect/C_EnergyCharge.h"

namespace {
using Op = VelSoundEngine::Call::Op;
constexpr char kHum[] = "Data/Sound/stayCharge.wav";
constexpr char kRelease[] = "Data/Sound/chargeBullet.wav";

int Count(const std::vector<std::string>& files, const std::string& file) {
  return static_cast<int>(std::count(files.begin(), files.end(), file));
}
}  // namespace

class ChargeShotTest : public GameTestWorld {
 protected:
  void SetUp() override {
    GameTestWorld::SetUp();
    Settle();
    VelSoundEngine::GetInstance().ClearRecord();
  }
  Player& player() { return *game->player; }
  int Glows(const char* name) {
    return static_cast<int>(
        std::count_if(game->effects->effects.begin(), game->effects->effects.end(),
                      [name](const auto& e) { return std::string(e->ClassName()) == name; }));
  }
  int Shots(const char* name) {
    return static_cast<int>(
        std::count_if(game->playerShots->shots.begin(), game->playerShots->shots.end(),
                      [name](const auto& s) { return std::string(s->ClassName()) == name; }));
  }
  int Flashes(const char* name) {
    return static_cast<int>(
        std::count_if(game->playerShots->flashes.begin(), game->playerShots->flashes.end(),
                      [name](const auto& f) { return std::string(f->ClassName()) == name; }));
  }
  // Holds the charge button for `frames` updates, then lets it go for one.
  void ChargeAndRelease(int frames) {
    Hold({Key::RButton});
    Updates(frames);
    VelSoundEngine::GetInstance().ClearRecord();
    Hold({});
    Updates(1);
  }
};

TEST_F(ChargeShotTest, APressStartsBothGlowsAndSlowsTheWalk) {
  Hold({Key::RButton});
  Updates(1);
  EXPECT_TRUE(player().charging);
  EXPECT_EQ(player().baseSpeed, 0.25f);
  EXPECT_EQ(Glows("C_EnergyCharge"), 1);
  EXPECT_EQ(Glows("C_BulletCharge"), 1);
  EXPECT_EQ(Count(Played(Op::Play), "Data/Sound/EnergyCharge.wav"), 1);
  Updates(10);
  EXPECT_EQ(Glows("C_EnergyCharge"), 1);
  // While charging the left button fires nothing.
  Hold({Key::RButton, Key::LButton});
  Updates(5);
  EXPECT_TRUE(game->playerShots->shots.empty());
  EXPECT_EQ(player().GetAmmo(), 30);
}

TEST_F(ChargeShotTest, ReleasedOnThe45thFrameNothingFires) {
  ChargeAndRelease(45);
  EXPECT_TRUE(game->playerShots->shots.empty());
  EXPECT_EQ(Count(Played(Op::PlayLoop), kHum), 0);
  EXPECT_FALSE(player().chargeCooldownActive);
  EXPECT_FALSE(player().charging);
  EXPECT_EQ(player().baseSpeed, 0.5f);
  // The glow winds its animation back down and goes.
  Updates(43);
  EXPECT_EQ(Glows("C_EnergyCharge"), 1);
  Updates(1);
  EXPECT_EQ(Glows("C_EnergyCharge"), 0);
  EXPECT_TRUE(game->playerShots->shots.empty());
}

TEST_F(ChargeShotTest, The46thFrameChargesAndTheReleaseFiresOnceAndStopsTheHum) {
  Hold({Key::RButton});
  Updates(45);
  EXPECT_EQ(Count(Played(Op::PlayLoop), kHum), 0);
  Updates(1);
  EXPECT_EQ(Count(Played(Op::PlayLoop), kHum), 1);
  Updates(100);  // the hum starts once however long the button is held
  EXPECT_EQ(Count(Played(Op::PlayLoop), kHum), 1);

  VelSoundEngine::GetInstance().ClearRecord();
  Hold({});
  Updates(1);
  EXPECT_EQ(Count(Played(Op::StopLoop), kHum), 1);
  EXPECT_EQ(Count(Played(Op::Play), kRelease), 1);
  EXPECT_EQ(Shots("C_Charge"), 1);
  EXPECT_EQ(Flashes("C_ChargeFlash"), 1);
  EXPECT_EQ(Glows("C_EnergyCharge"), 0);
  EXPECT_TRUE(player().chargeCooldownActive);
  EXPECT_EQ(player().GetChargeCooldown(), 240);
  EXPECT_TRUE(game->hudIndicators.ChargeCooldownOn());
  EXPECT_EQ(player().GetAmmo(), 30);
  Updates(1);
  EXPECT_EQ(player().GetChargeCooldown(), 239);
}

TEST_F(ChargeShotTest, TheCooldownOnlySlowsANewPressUntilItRunsOut) {
  ChargeAndRelease(46);
  ASSERT_EQ(Shots("C_Charge"), 1);
  Hold({Key::RButton});
  Updates(238);
  EXPECT_EQ(player().baseSpeed, 0.25f);
  EXPECT_EQ(Glows("C_EnergyCharge"), 0);
  EXPECT_TRUE(game->hudIndicators.ChargeCooldownOn());
  EXPECT_EQ(player().GetChargeCooldown(), 2);
  Updates(1);
  EXPECT_EQ(player().GetChargeCooldown(), 1);
  // The 240th frame after the shot ends the cooldown after the input step...
  Updates(1);
  EXPECT_FALSE(player().chargeCooldownActive);
  EXPECT_FALSE(game->hudIndicators.ChargeCooldownOn());
  EXPECT_EQ(Glows("C_EnergyCharge"), 0);
  // ...so the held button starts a new charge on the next one.
  Updates(1);
  EXPECT_EQ(Glows("C_EnergyCharge"), 1);
  EXPECT_TRUE(player().charging);
}

TEST_F(ChargeShotTest, TheRateAttachmentHalvesTheCooldown) {
  player().SetChargeCooldownLength(120);
  ChargeAndRelease(46);
  EXPECT_EQ(player().GetChargeCooldown(), 120);
  Updates(120);
  EXPECT_FALSE(player().chargeCooldownActive);
}

TEST_F(ChargeShotTest, AnEmptyMagazineClicksOnceButStillChargesAndFires) {
  player().SetMagazine(30, 0);
  Hold({Key::RButton});
  Updates(60);
  EXPECT_EQ(Count(Played(Op::Play), "Data/Sound/blankGun.wav"), 1);
  Hold({});
  Updates(1);
  EXPECT_EQ(Shots("C_Charge"), 1);
  EXPECT_EQ(player().GetAmmo(), 0);
}

TEST_F(ChargeShotTest, AReloadStartedDuringTheChargeDoesNotCancelIt) {
  player().SetMagazine(30, 12);
  Hold({Key::RButton});
  Updates(10);
  Hold({Key::RButton, Key::R});
  Updates(1);
  ASSERT_TRUE(player().reloading);
  Hold({Key::RButton});
  Updates(40);
  EXPECT_TRUE(player().charging);
  Hold({});
  Updates(1);
  EXPECT_EQ(Shots("C_Charge"), 1);
  EXPECT_TRUE(player().reloading);
}
