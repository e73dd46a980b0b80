#include <gtest/gtest.h>

#include <algorithm>

#include "GameTestWorld.h"

namespace {
using Op = VelSoundEngine::Call::Op;
constexpr char kShot[] = "Data/Sound/playerBullet.wav";
constexpr char kClick[] = "Data/Sound/blankGun.wav";
constexpr char kReload[] = "Data/Sound/reload.wav";
constexpr char kReloaded[] = "Data/Sound/FinishReload.wav";

int Count(const std::vector<std::string>& files, const std::string& file) {
  return static_cast<int>(std::count(files.begin(), files.end(), file));
}
}  // namespace

class PlayerWeaponTest : public GameTestWorld {
 protected:
  void SetUp() override {
    GameTestWorld::SetUp();
    Settle();
    VelSoundEngine::GetInstance().ClearRecord();
  }
  Player& player() { return *game->player; }

  // The frames, counted from 0, on which one of `frames` updates holding the
  // keys played the file.
  std::vector<int> FramesPlaying(const std::vector<int>& keys, int frames, const std::string& file) {
    Hold(keys);
    std::vector<int> out;
    for (int i = 0; i < frames; ++i) {
      VelSoundEngine::GetInstance().ClearRecord();
      Updates(1);
      if (Count(Played(Op::Play), file) > 0) out.push_back(i);
    }
    return out;
  }
  int Plays(const std::string& file) { return Count(Played(Op::Play), file); }
};

TEST_F(PlayerWeaponTest, HoldingFireShootsEveryIntervalWithABulletAndTwoFlashes) {
  Hold({Key::LButton});
  Updates(1);
  ASSERT_EQ(game->playerShots->shots.size(), 1u);
  EXPECT_STREQ(game->playerShots->shots[0]->ClassName(), "C_PlayerBullet");
  ASSERT_EQ(game->playerShots->flashes.size(), 2u);
  EXPECT_STREQ(game->playerShots->flashes[0]->ClassName(), "C_MuzzleFlash");
  EXPECT_STREQ(game->playerShots->flashes[1]->ClassName(), "C_BarrelFlash");
  EXPECT_EQ(player().GetAmmo(), 29);
  EXPECT_TRUE(player().fireCooldownActive);
  EXPECT_EQ(player().fireCooldown, 11);

  EXPECT_EQ(FramesPlaying({Key::LButton}, 36, kShot), (std::vector<int>{11, 23, 35}));
  EXPECT_EQ(player().GetAmmo(), 26);

  // The rate attachment shortens the interval.
  Hold({});
  Updates(20);
  player().SetFireInterval(8);
  EXPECT_EQ(FramesPlaying({Key::LButton}, 20, kShot), (std::vector<int>{0, 8, 16}));
}

TEST_F(PlayerWeaponTest, NeitherRunningNorReloadingCanFire) {
  Hold({Key::W});
  Updates(60);
  ASSERT_TRUE(player().running);
  EXPECT_TRUE(FramesPlaying({Key::W, Key::LButton}, 30, kShot).empty());
  EXPECT_EQ(player().GetAmmo(), 30);
  // Running ends in the movement step of the first frame W is up, after the
  // button was read; the next frame fires.
  EXPECT_EQ(FramesPlaying({Key::LButton}, 2, kShot), (std::vector<int>{1}));

  Hold({});
  Updates(20);
  Hold({Key::R});
  Updates(1);
  ASSERT_TRUE(player().reloading);
  EXPECT_TRUE(FramesPlaying({Key::LButton}, 30, kShot).empty());
  EXPECT_TRUE(player().reloading);
}

TEST_F(PlayerWeaponTest, AFullMagazineIsNotReloaded) {
  Hold({Key::R});
  Updates(5);
  EXPECT_FALSE(player().reloading);
  EXPECT_TRUE(Played(Op::Play).empty());
  EXPECT_FALSE(game->hudIndicators.ReloadOn());
}

TEST_F(PlayerWeaponTest, AnEmptyMagazineClicksOnceAndAReloadReArmsTheClick) {
  player().SetMagazine(30, 1);
  Hold({Key::LButton});
  Updates(1);
  EXPECT_EQ(player().GetAmmo(), 0);
  // The shot's frame already finds the magazine empty.
  EXPECT_EQ(Plays(kClick), 1);
  EXPECT_TRUE(FramesPlaying({Key::LButton, Key::RButton}, 30, kClick).empty());
  EXPECT_EQ(player().GetAmmo(), 0);

  Hold({});
  Updates(40);  // the unfinished charge winds down
  VelSoundEngine::GetInstance().ClearRecord();
  Hold({Key::R});
  Updates(1);
  EXPECT_EQ(Plays(kReload), 1);
  EXPECT_TRUE(player().reloading);
  EXPECT_FALSE(player().blankPlayed);
  EXPECT_TRUE(game->hudIndicators.ReloadOn());
  // While the magazine is still empty a press clicks again, once.
  EXPECT_EQ(FramesPlaying({Key::LButton}, 30, kClick), (std::vector<int>{0}));
}

TEST_F(PlayerWeaponTest, AReloadWaitsForRAndRefillsOnThe60thFrameAfterRelease) {
  player().SetMagazine(30, 29);
  Hold({Key::R});
  Updates(200);
  EXPECT_TRUE(player().reloading);
  EXPECT_EQ(player().GetReloadCounter(), 60);
  EXPECT_EQ(player().GetAmmo(), 29);
  EXPECT_EQ(Plays(kReload), 1);

  std::vector<int> refilled = FramesPlaying({}, 70, kReloaded);
  EXPECT_EQ(refilled, (std::vector<int>{59}));
  EXPECT_EQ(player().GetAmmo(), 30);
  EXPECT_FALSE(player().reloading);
  EXPECT_EQ(player().GetReloadCounter(), 0);
  EXPECT_FALSE(game->hudIndicators.ReloadOn());
}

TEST_F(PlayerWeaponTest, TheMagazineItemMidReloadRaisesWhatTheReloadRefills) {
  player().SetMagazine(30, 10);
  Hold({Key::R});
  Updates(1);
  Hold({});
  Updates(20);
  player().SetMagazine(45, 45);
  EXPECT_EQ(player().GetAmmo(), 45);
  Updates(39);
  EXPECT_TRUE(player().reloading);
  Updates(1);
  EXPECT_FALSE(player().reloading);
  EXPECT_EQ(player().GetAmmo(), 45);
  EXPECT_EQ(player().GetMagazineCapacity(), 45);
}
