#include "game/effect/C_EffectManager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EffectTestWorld.h"
#include "GameTestWorld.h"
#include "game/effect/C_DamageLog.h"
#include "game/effect/C_Explosion.h"

namespace {

class EffectManagerTest : public EffectTestWorld {
 protected:
  // A manager without a scene serves every effect that does not follow one.
  C_EffectManager manager{nullptr};
  const float3 where{1, 2, 3};

  std::vector<std::string> Classes() const {
    std::vector<std::string> names;
    for (const auto& effect : manager.effects) names.push_back(effect->ClassName());
    return names;
  }
};

struct FixedKind {
  int kind;
  const char* className;
  int drawnFrames;  // -1: shrinks instead of counting frames
};

const FixedKind kFixedKinds[] = {
    {0, "C_EnemySpawn", 22},       {1, "C_Discovery", 29},         {2, "C_ChargeBluePower", -1},
    {3, "C_ChargeYellowPower", -1}, {4, "C_ChargeRedPower", -1},    {6, "C_Explosion", 63},
    {7, "C_ItemDrop", 50},          {8, "C_ItemFlash", 50},         {11, "C_HitBullet", 15},
    {12, "C_HitChargeBullet", 15},  {13, "C_ShieldDamage", 30},     {14, "C_PlayerBulletLost", 32},
    {15, "C_ChargeBulletLost", 40},
};

TEST_F(EffectManagerTest, EachPositionedKindMakesItsClassAtThePosition) {
  for (const FixedKind& fixed : kFixedKinds) {
    manager.Clear();
    manager.AddEffect(where, fixed.kind);
    ASSERT_EQ(manager.effects.size(), 1u) << fixed.kind;
    EXPECT_STREQ(manager.effects[0]->ClassName(), fixed.className);
    EXPECT_EQ(manager.effects[0]->position, where);
    EXPECT_TRUE(manager.effects[0]->texture.IsValid()) << fixed.className << " sheet did not load";
  }
}

TEST_F(EffectManagerTest, KindsAnOperationDoesNotListCreateNothing) {
  for (int kind : {5, 9, 10, 16, 17, -1, 100}) manager.AddEffect(where, kind);
  for (int kind : {0, 1, 5, 6, 11, 15, 17, -1}) manager.AddEffect(kind);
  for (int kind : {0, 3, 4, 6, 9, 16, -5}) manager.AddModelEffect(MatrixIdentity(), where, kind);
  EXPECT_TRUE(manager.effects.empty());
  EXPECT_TRUE(manager.modelEffects.empty());

  manager.AddModelEffect(MatrixIdentity(), where, EffectKind::PushAttack);
  EXPECT_EQ(manager.modelEffects.size(), 1u);
  EXPECT_TRUE(manager.effects.empty());
}

TEST_F(EffectManagerTest, CountedEffectsAreDrawnOnExactlyTheirLifetime) {
  for (const FixedKind& fixed : kFixedKinds) {
    if (fixed.drawnFrames < 0) continue;
    manager.Clear();
    manager.AddEffect(where, fixed.kind);
    int drawn = 0;
    for (int update = 1; update <= fixed.drawnFrames + 1; ++update) {
      manager.Update();
      ClearDraws();
      manager.Draw();
      drawn += static_cast<int>(Draws().size());
      if (update <= fixed.drawnFrames) {
        ASSERT_EQ(manager.effects.size(), 1u) << fixed.className << " gone early, on update " << update;
      }
    }
    EXPECT_TRUE(manager.effects.empty()) << fixed.className << " still there after its lifetime";
    EXPECT_EQ(drawn, fixed.drawnFrames) << fixed.className;
  }
}

TEST_F(EffectManagerTest, NeighboursFinishingTogetherGoInOneFrame) {
  // A pair that finishes together, a longer effect right behind it, and a
  // later pair at the end of the list.
  manager.AddEffect(where, EffectKind::HitBullet);
  manager.AddEffect(where, EffectKind::HitChargeBullet);
  manager.AddEffect(where, EffectKind::Explosion);
  for (int i = 0; i < 14; ++i) manager.Update();
  manager.AddEffect(where, EffectKind::HitBullet);
  manager.AddEffect(where, EffectKind::HitBullet);
  manager.Update();
  ASSERT_EQ(manager.effects.size(), 5u);

  manager.Update();  // the 16th update of the first pair
  EXPECT_EQ(Classes(), (std::vector<std::string>{"C_Explosion", "C_HitBullet", "C_HitBullet"}));
  // The explosion slid into the first slot and was still updated this frame.
  EXPECT_EQ(manager.effects[0]->counter, 16);
  EXPECT_EQ(manager.effects[1]->counter, 2);

  for (int i = 0; i < 14; ++i) manager.Update();
  EXPECT_EQ(Classes(), (std::vector<std::string>{"C_Explosion"}));
}

TEST_F(EffectManagerTest, SceneFollowingEffectsLeaveInTheSecondPass) {
  manager.AddEffect(where, EffectKind::ShieldDamage);
  manager.AddEffect(where, EffectKind::ShieldDamage);
  manager.AddEffect(where, EffectKind::PlayerBulletLost);
  for (int i = 0; i < 30; ++i) manager.Update();
  ASSERT_EQ(manager.effects.size(), 3u);
  manager.Update();
  EXPECT_EQ(Classes(), (std::vector<std::string>{"C_PlayerBulletLost"}));
}

TEST_F(EffectManagerTest, DrawKeepsListOrderAndTheDamageNumbersDrawOnlyIn2D) {
  manager.AddEffect(where, EffectKind::Explosion);
  manager.AddDamageLog(7);
  manager.AddEffect(where, EffectKind::HitBullet);
  manager.Update();

  VelShaderManager::GetInstance().BeginEffect();
  ClearDraws();
  manager.Draw();
  ASSERT_EQ(Draws().size(), 2u);
  EXPECT_EQ(Draws()[0].textureNames[0], "Data/Effect/smoke.png");
  EXPECT_EQ(Draws()[1].textureNames[0], "Data/Effect/hitBullet2.png");
  for (const VelDrawRecord& draw : Draws()) {
    EXPECT_EQ(draw.topology, VelTopology::TriangleStrip);
    EXPECT_EQ(draw.count, 4u);
    EXPECT_EQ(draw.vertexStride, 36u);
  }
  EXPECT_EQ(Draws()[1].world, manager.effects[2]->world);

  ClearDraws();
  manager.Draw2D();
  ASSERT_EQ(Draws().size(), 1u);
  EXPECT_EQ(Draws()[0].textureNames[0], "Data/Effect/dmgNum2.png");
  EXPECT_EQ(Draws()[0].shader, VelShaderPath::Sprite);
}

TEST_F(EffectManagerTest, ClearEmptiesBothLists) {
  manager.AddEffect(where, EffectKind::Explosion);
  manager.AddDamageLog(3);
  manager.AddModelEffect(MatrixIdentity(), where, EffectKind::PushAttack);
  manager.Clear();
  EXPECT_TRUE(manager.effects.empty());
  EXPECT_TRUE(manager.modelEffects.empty());
}

// In the game scene: the passes the effects draw in, and the frozen world.
class EffectManagerInSceneTest : public GameTestWorld {};

TEST_F(EffectManagerInSceneTest, EachListDrawsInItsPass) {
  C_EffectManager& effects = *game->effects;
  effects.AddModelEffect(MatrixIdentity(), {0, 5, -200}, EffectKind::PushAttack);
  effects.AddEffect({0, 5, -200}, EffectKind::Explosion);
  effects.AddDamageLog(12);
  Updates(1);

  VelGraphicsDevice& device = VelGraphicsDevice::GetInstance();
  device.ClearDrawRecords();
  game->Draw();
  int sprites = 0, billboards = 0, waves = 0;
  for (const VelDrawRecord& draw : device.GetDrawRecords()) {
    if (draw.textureNames[0] == "Data/Effect/smoke.png") {
      ++billboards;
      EXPECT_EQ(draw.shader, VelShaderPath::Effect);
      EXPECT_EQ(draw.blendMode, 2);
      EXPECT_TRUE(draw.depthTest);
      EXPECT_FALSE(draw.depthWrite);
    } else if (draw.textureNames[0] == "Data/Effect/dmgNum2.png") {
      ++sprites;
      EXPECT_EQ(draw.shader, VelShaderPath::Sprite);
      EXPECT_EQ(draw.blendMode, 1);
      EXPECT_FALSE(draw.depthTest);
    } else if (draw.shader == VelShaderPath::Model && draw.blendMode == 2) {
      ++waves;
      EXPECT_FALSE(draw.depthWrite);
      EXPECT_FLOAT_EQ(draw.material.BaseColor.w, 0.97f);
    }
  }
  EXPECT_EQ(billboards, 1);
  EXPECT_EQ(sprites, 2);
  EXPECT_GT(waves, 0) << "the push-attack model drew nothing";
}

TEST_F(EffectManagerInSceneTest, EffectsWaitWhileTheWindowIsInactive) {
  game->effects->AddEffect({0, 5, -200}, EffectKind::HitBullet);
  Updates(3);
  platform->SetActive(false);
  Updates(20);
  ASSERT_EQ(game->effects->effects.size(), 1u);
  EXPECT_EQ(game->effects->effects[0]->counter, 3);
  platform->SetActive(true);
  Updates(13);
  EXPECT_TRUE(game->effects->effects.empty());
}

}  // namespace
