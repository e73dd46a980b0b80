#include <gtest/gtest.h>

#include "EnemyTestWorld.h"
#include "game/enemy/C_DoomShield.h"

class ShieldTest : public EnemyTestWorld {
 protected:
  const float3 place{10.0f, 3.0f, 600.0f};

  // Updates until the shield reports it is gone; the number of that update.
  int UpdatesUntilGone(C_Shield& shield, int limit = 500) {
    for (int i = 1; i <= limit; ++i) {
      if (!shield.Update(place)) return i;
    }
    return -1;
  }
};

TEST_F(ShieldTest, StartsClearAndReachesFullOpacityAfter27Updates) {
  C_DoomShield shield;
  EXPECT_EQ(shield.GetHp(), 30);
  EXPECT_EQ(shield.GetMaxHp(), 30);
  EXPECT_EQ(shield.GetRadius(), 14.0f);
  EXPECT_EQ(shield.opacity, 0.0f);
  EXPECT_FALSE(shield.GetModel().Nodes.empty());
  for (int i = 0; i < 26; ++i) ASSERT_TRUE(shield.Update(place));
  EXPECT_LT(shield.opacity, 0.8f);
  shield.Update(place);
  EXPECT_EQ(shield.opacity, 0.8f);
  shield.Update(place);
  EXPECT_EQ(shield.opacity, 0.8f);
  EXPECT_EQ(shield.GetMatrix().Translation(), (float3{10.0f, -1.5f, 600.0f}));
}

TEST_F(ShieldTest, BrokenAtFullOpacityItIsGoneOnThe81stUpdate) {
  C_DoomShield shield;
  shield.opacity = 0.8f;
  shield.SetHp(0);
  EXPECT_EQ(UpdatesUntilGone(shield), 81);
  EXPECT_TRUE(shield.broken);
  EXPECT_EQ(CountPlayed(Op::Play3D, "Data/Sound/breakShield.wav"), 1);
  for (const auto& call : VelSoundEngine::GetInstance().GetRecord()) {
    if (call.file == "Data/Sound/breakShield.wav") {
      EXPECT_EQ(call.position, shield.GetMatrix().Translation());
    }
  }
}

TEST_F(ShieldTest, AHitLeavesOpacityBelowZeroAndItFadesBackIn) {
  C_DoomShield shield;
  shield.opacity = 0.3f;
  shield.AddOpacity(-0.7f);
  EXPECT_NEAR(shield.opacity, -0.4f, 1e-6f);
  EXPECT_TRUE(shield.Update(place));
  EXPECT_NEAR(shield.opacity, -0.37f, 1e-6f);
}

TEST_F(ShieldTest, BrokenByTheShotThatDimmedItItFadesFromTheLowValue) {
  C_DoomShield shield;
  shield.opacity = 0.8f;
  shield.AddOpacity(-0.7f);
  shield.SetHp(-10);
  // 0.1 + 0.03 on the breaking update, then 0.01 a frame.
  const int frames = UpdatesUntilGone(shield);
  EXPECT_GE(frames, 13);
  EXPECT_LE(frames, 14);

  // So dim that the breaking update's own fade-out ends it.
  C_DoomShield dim;
  dim.opacity = -0.025f;
  dim.SetHp(0);
  EXPECT_FALSE(dim.Update(place));
}

TEST_F(ShieldTest, TheManagerRemovesAFadedShieldAndStillUpdatesTheNext) {
  manager().AddShield();
  manager().AddShield();
  C_Shield& second = *manager().shields[1];
  auto& first = static_cast<C_DoomShield&>(*manager().shields[0]);
  first.opacity = 0.005f;
  first.broken = true;
  manager().UpdateShields(place);
  ASSERT_EQ(manager().shields.size(), 1u);
  EXPECT_EQ(manager().shields[0].get(), &second);
  EXPECT_NEAR(second.opacity, 0.03f, 1e-6f);
}

TEST_F(ShieldTest, ShieldsDrawTranslucentInTheAdditivePass) {
  manager().AddShield();
  manager().UpdateShields(place);
  VelGraphicsDevice& device = VelGraphicsDevice::GetInstance();
  device.ClearDrawRecords();
  game->SetCamera();
  game->Draw();
  // Nothing else draws models additively while no push wave is alive.
  int draws = 0;
  for (const VelDrawRecord& draw : device.GetDrawRecords()) {
    if (draw.shader != VelShaderPath::Model || draw.blendMode != 2) continue;
    ++draws;
    EXPECT_FALSE(draw.depthWrite);
    EXPECT_GT(draw.material.BaseColor.w, 0.0f);
    EXPECT_LE(draw.material.BaseColor.w, 0.03f + 1e-6f);
  }
  EXPECT_GT(draws, 0);
}
