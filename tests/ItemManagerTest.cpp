#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "GameTestWorld.h"
#include "game/enemy/C_EnemyBlue.h"
#include "game/item/C_Heal.h"
#include "game/item/C_Magazine.h"

namespace {
using Op = VelSoundEngine::Call::Op;

const float3 kMagazineSpot{15.0f, 2.5f, -3.5f};
const float3 kHealSpot{38.5f, 8.0f, 465.5f};
const float3 kAttachmentSpot{-65.0f, -5.0f, 277.0f};
}  // namespace

class ItemManagerTest : public GameTestWorld {
 protected:
  ItemManager& manager() { return *game->items; }

  std::vector<std::string> ItemClasses() {
    std::vector<std::string> names;
    for (const auto& item : manager().items) names.push_back(item->ClassName());
    return names;
  }
  std::vector<std::string> EffectClasses() {
    std::vector<std::string> names;
    for (const auto& effect : game->effects->effects) names.push_back(effect->ClassName());
    return names;
  }
  std::vector<VelSoundEngine::Call> Calls(Op op) {
    std::vector<VelSoundEngine::Call> calls;
    for (const auto& call : VelSoundEngine::GetInstance().GetRecord()) {
      if (call.op == op) calls.push_back(call);
    }
    return calls;
  }
};

TEST_F(ItemManagerTest, TheMagazineDropsOnceAfterTheFourthDefeatWithItsAnnouncement) {
  game->killCount = 3;
  manager().Update();
  EXPECT_TRUE(manager().items.empty());

  game->killCount = 4;
  manager().Update();
  manager().Update();
  ASSERT_EQ(ItemClasses(), (std::vector<std::string>{"C_Magazine"}));
  EXPECT_EQ(manager().items[0]->world.Translation(), kMagazineSpot);
  EXPECT_EQ(EffectClasses(), (std::vector<std::string>{"C_ItemDrop", "C_ItemFlash"}));
  for (const auto& effect : game->effects->effects) EXPECT_EQ(effect->position, kMagazineSpot);
  auto drops = Calls(Op::Play3D);
  ASSERT_EQ(drops.size(), 1u);
  EXPECT_EQ(drops[0].file, "Data/Sound/ItemDrop.wav");
  EXPECT_EQ(drops[0].position, kMagazineSpot);
  EXPECT_FALSE(drops[0].loop);
}

TEST_F(ItemManagerTest, TheSecondDropAnnouncesTheHealButNotTheAttachment) {
  game->killCount = 16;
  manager().Update();
  // Both drops are due at once: the first one still comes first.
  EXPECT_EQ(ItemClasses(), (std::vector<std::string>{"C_Magazine", "C_Heal", "C_RateAttachment"}));
  EXPECT_EQ(manager().items[1]->world.Translation(), kHealSpot);
  EXPECT_EQ(manager().items[2]->world.Translation(), kAttachmentSpot);
  auto drops = Calls(Op::Play3D);
  ASSERT_EQ(drops.size(), 2u);
  EXPECT_EQ(drops[1].position, kHealSpot);
  EXPECT_EQ(EffectClasses().size(), 4u);
  EXPECT_EQ(game->effects->effects[3]->position, kHealSpot);
}

TEST_F(ItemManagerTest, TheDropComesInTheFrameAfterTheFourthDefeat) {
  Settle();
  game->killCount = 3;
  // Far from the player, so that nothing but its hit points decides.
  game->enemies->enemies.push_back(std::make_unique<C_EnemyBlue>(float3{200.0f, 2.0f, 300.0f}));
  game->enemies->enemies.back()->SetHp(0);
  // The enemy is removed in the enemies' step, after the items have run.
  Updates(1);
  EXPECT_EQ(game->killCount, 4);
  EXPECT_TRUE(manager().items.empty());
  Updates(1);
  EXPECT_EQ(ItemClasses(), (std::vector<std::string>{"C_Magazine"}));
}

TEST_F(ItemManagerTest, ItemsSpinFiveDegreesAFrameOnTheirSpot) {
  game->killCount = 4;
  manager().Update();
  manager().Update();
  const C_Item& item = *manager().items[0];
  // Two updates: created and turned in the first, turned again in the second.
  float expected = 2 * 5.0f * kDegToRad;
  EXPECT_NEAR(item.world.m[0][0], std::cos(expected), 1e-5f);
  EXPECT_NEAR(item.world.m[0][2], -std::sin(expected), 1e-5f);
  EXPECT_EQ(item.world.Translation(), kMagazineSpot);
}

TEST_F(ItemManagerTest, AnItemTouchedOnTheFrameOfItsDropIsPickedUpAtOnce) {
  game->player->position = kMagazineSpot + float3{4.0f, 0.0f, 0.0f};  // just within reach
  game->player->SetMagazine(30, 0);
  game->killCount = 4;
  manager().Update();
  EXPECT_TRUE(manager().items.empty());
  EXPECT_EQ(game->player->GetMagazineCapacity(), 45);
  EXPECT_EQ(game->player->GetAmmo(), 45);
  EXPECT_TRUE(game->hud->itemSlots->magazineCollected);
  auto pickups = Calls(Op::Play);
  ASSERT_EQ(pickups.size(), 1u);
  EXPECT_EQ(pickups[0].file, "Data/Sound/Magazine.wav");
  EXPECT_NEAR(pickups[0].volume, 0.3f, 1e-6f);
}

TEST_F(ItemManagerTest, AnItemJustOutOfReachStays) {
  game->player->position = kMagazineSpot + float3{4.01f, 0.0f, 0.0f};
  game->killCount = 4;
  manager().Update();
  EXPECT_EQ(manager().items.size(), 1u);
  EXPECT_EQ(game->player->GetMagazineCapacity(), 30);
}

TEST_F(ItemManagerTest, TheHealAtFullHealthStillPlaysAndShowsItsEffect) {
  game->player->position = kHealSpot;
  game->killCount = 16;
  manager().Update();
  EXPECT_EQ(ItemClasses(), (std::vector<std::string>{"C_Magazine", "C_RateAttachment"}));
  EXPECT_EQ(game->player->GetHP(), 20);
  EXPECT_EQ(EffectClasses().back(), "C_HealPlayer");
  auto pickups = Calls(Op::Play);
  ASSERT_EQ(pickups.size(), 1u);
  EXPECT_EQ(pickups[0].file, "Data/Sound/heal.wav");
}

TEST_F(ItemManagerTest, TheHealRestoresFullHealth) {
  game->player->SetHP(3);
  game->player->position = kHealSpot;
  game->killCount = 16;
  manager().Update();
  EXPECT_EQ(game->player->GetHP(), 20);
}

TEST_F(ItemManagerTest, TheAttachmentShortensTheShotIntervalAndTheChargeCooldown) {
  game->player->position = kAttachmentSpot;
  game->killCount = 16;
  manager().Update();
  EXPECT_EQ(ItemClasses(), (std::vector<std::string>{"C_Magazine", "C_Heal"}));
  EXPECT_EQ(game->player->fireInterval, 8);
  EXPECT_EQ(game->player->GetChargeCooldownLength(), 120);
  EXPECT_TRUE(game->hud->itemSlots->attachmentCollected);
  EXPECT_FALSE(game->hud->itemSlots->magazineCollected);
  auto pickups = Calls(Op::Play);
  ASSERT_EQ(pickups.size(), 1u);
  EXPECT_EQ(pickups[0].file, "Data/Sound/Attachment.wav");
}

TEST_F(ItemManagerTest, ItemsPickedUpTogetherAreAllRemovedInOnePass) {
  game->player->position = {0.0f, 0.0f, 0.0f};
  manager().items.push_back(std::make_unique<C_Magazine>(float3{0.0f, 0.0f, 1.0f}));
  manager().items.push_back(std::make_unique<C_Heal>(float3{0.0f, 0.0f, 2.0f}));
  manager().items.push_back(std::make_unique<C_Magazine>(float3{0.0f, 0.0f, 50.0f}));
  manager().Update();
  ASSERT_EQ(manager().items.size(), 1u);
  EXPECT_EQ(manager().items[0]->world.Translation(), (float3{0.0f, 0.0f, 50.0f}));
  EXPECT_EQ(Played(Op::Play), (std::vector<std::string>{"Data/Sound/Magazine.wav", "Data/Sound/heal.wav"}));
}

TEST_F(ItemManagerTest, ItemsAreDrawnWithTheirModelAtTheirWorld) {
  game->killCount = 4;
  manager().Update();
  VelGraphicsDevice::GetInstance().ClearDrawRecords();
  VelShaderManager::GetInstance().BeginModel();
  manager().Draw();
  const C_Item& item = *manager().items[0];
  std::vector<float4x4> expected;
  for (const VelModelNode& node : item.model.Nodes) {
    if (!node.Mesh) continue;
    for (const VelSubset& subset : node.Mesh->Subsets) {
      if (subset.faceCount > 0) expected.push_back(node.Transform * item.world);
    }
  }
  ASSERT_FALSE(expected.empty()) << "the magazine model loads";
  const auto& records = VelGraphicsDevice::GetInstance().GetDrawRecords();
  ASSERT_EQ(records.size(), expected.size());
  for (size_t i = 0; i < records.size(); ++i) {
    EXPECT_EQ(records[i].shader, VelShaderPath::Model);
    for (int r = 0; r < 4; ++r) {
      for (int c = 0; c < 4; ++c) EXPECT_NEAR(records[i].world.m[r][c], expected[i].m[r][c], 1e-4f);
    }
  }
}
