#include <gtest/gtest.h>

#include <string>

#include "GameTestWorld.h"
#include "game/player/C_MuzzleFlash.h"

class PlayerShotsTest : public GameTestWorld {
 protected:
  void SetUp() override {
    GameTestWorld::SetUp();
    Settle();
  }
  PlayerShots& shots() { return *game->playerShots; }
  std::vector<std::string> Classes() {
    std::vector<std::string> out;
    for (const auto& shot : shots().shots) out.push_back(shot->ClassName());
    for (const auto& flash : shots().flashes) out.push_back(flash->ClassName());
    return out;
  }
};

TEST_F(PlayerShotsTest, EachKindJoinsItsListAndOtherKindsCreateNothing) {
  for (int kind : {-1, 4, 3, 2, 1, 0, 5, 99}) shots().Spawn(kind);
  EXPECT_EQ(Classes(), (std::vector<std::string>{"C_Charge", "C_PlayerBullet", "C_ChargeFlash",
                                                 "C_BarrelFlash", "C_MuzzleFlash"}));
}

TEST_F(PlayerShotsTest, FinishedObjectsGoAtOnceAndEveryOtherIsUpdatedOncePerFrame) {
  // Three muzzle flashes, the first two finishing on the same frame.
  shots().Spawn(PlayerShots::kMuzzleFlash);
  shots().Spawn(PlayerShots::kMuzzleFlash);
  shots().Update();
  shots().Update();
  shots().Spawn(PlayerShots::kMuzzleFlash);
  shots().Update();
  ASSERT_EQ(shots().flashes.size(), 3u);
  shots().Update();
  ASSERT_EQ(shots().flashes.size(), 1u);
  EXPECT_EQ(static_cast<const C_MuzzleFlash&>(*shots().flashes[0]).life, 2);
}

TEST_F(PlayerShotsTest, DrawsBulletsThenFlashesInTheBillboardPass) {
  shots().Spawn(PlayerShots::kMuzzleFlash);
  shots().Spawn(PlayerShots::kBullet);
  shots().Update();
  VelGraphicsDevice& device = VelGraphicsDevice::GetInstance();
  device.ClearDrawRecords();
  game->SetCamera();
  game->Draw();
  std::vector<std::string> drawn;
  for (const VelDrawRecord& record : device.GetDrawRecords()) {
    const std::string& name = record.textureNames[0];
    if (record.shader != VelShaderPath::Effect || name.find("Data/Player/") == std::string::npos) continue;
    EXPECT_EQ(record.blendMode, 2);
    EXPECT_FALSE(record.depthWrite);
    EXPECT_EQ(record.topology, VelTopology::TriangleStrip);
    EXPECT_EQ(record.count, 4u);
    drawn.push_back(name);
  }
  EXPECT_EQ(drawn, (std::vector<std::string>{"Data/Player/Bullet.png", "Data/Player/flash.png"}));
}
