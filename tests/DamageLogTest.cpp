#include "game/effect/C_DamageLog.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "EffectTestWorld.h"
#include "framework/VelSprite.h"

namespace {

class DamageLogTest : public EffectTestWorld {
 protected:
  // Draws the number in a sprite pass and returns what it drew.
  std::vector<VelDrawRecord> Draw2D(C_DamageLog& log) {
    ClearDraws();
    BeginSprite(false, true);
    log.Draw2D();
    EndSprite();
    return Draws();
  }

  // The sprite vertices of a draw, while its temporary buffer still holds them.
  static std::vector<VelSpriteVertex> SpriteQuad(const VelDrawRecord& draw) {
    auto* buffer = dynamic_cast<const VelHeadlessBuffer*>(draw.vertexBuffer);
    std::vector<VelSpriteVertex> quad(4);
    if (!buffer || buffer->data.size() < sizeof(VelSpriteVertex) * 4) return {};
    std::memcpy(quad.data(), buffer->data.data(), sizeof(VelSpriteVertex) * 4);
    return quad;
  }
};

TEST_F(DamageLogTest, DigitsGoFromTheLastToTheFirstTwentyPixelsApart) {
  C_DamageLog log(105);
  ASSERT_TRUE(log.texture.IsValid());
  std::vector<VelDrawRecord> draws = Draw2D(log);
  ASSERT_EQ(draws.size(), 3u);
  const float xs[] = {50, 30, 10};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(draws[i].shader, VelShaderPath::Sprite);
    EXPECT_EQ(draws[i].textureNames[0], "Data/Effect/dmgNum2.png");
    EXPECT_FLOAT_EQ(draws[i].world.m[3][0], xs[i]) << i;
    EXPECT_FLOAT_EQ(draws[i].world.m[3][1], 30) << i;
    EXPECT_FLOAT_EQ(draws[i].color.w, 1.0f);
  }
  // The last one drawn is the leading "1": glyph x 21..41 of the 200-pixel sheet,
  // its top-right corner at the transform's origin.
  std::vector<VelSpriteVertex> quad = SpriteQuad(draws[2]);
  ASSERT_EQ(quad.size(), 4u);
  EXPECT_FLOAT_EQ(quad[0].uv.x, 21.0f / 200);
  EXPECT_FLOAT_EQ(quad[3].uv.x, 41.0f / 200);
  EXPECT_FLOAT_EQ(quad[0].pos.x, -20);
  EXPECT_FLOAT_EQ(quad[0].pos.y, -25);
  EXPECT_FLOAT_EQ(quad[3].pos.x, 0);
  EXPECT_FLOAT_EQ(quad[3].pos.y, 0);
}

TEST_F(DamageLogTest, EachDigitUsesItsGlyph) {
  const int starts[] = {0, 21, 42, 63, 84, 105, 126, 147, 168, 179};
  for (int digit = 0; digit <= 9; ++digit) {
    C_DamageLog log(digit);
    std::vector<VelDrawRecord> draws = Draw2D(log);
    ASSERT_EQ(draws.size(), 1u) << digit;
    std::vector<VelSpriteVertex> quad = SpriteQuad(draws[0]);
    ASSERT_EQ(quad.size(), 4u);
    EXPECT_FLOAT_EQ(quad[0].uv.x, starts[digit] / 200.0f) << digit;
    EXPECT_FLOAT_EQ(quad[3].uv.x, (starts[digit] + 20) / 200.0f) << digit;
  }
}

TEST_F(DamageLogTest, MinusSignIsSkippedButKeepsItsPlace) {
  C_DamageLog log(-7);
  std::vector<VelDrawRecord> draws = Draw2D(log);
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_FLOAT_EQ(draws[0].world.m[3][0], 50);
  EXPECT_FLOAT_EQ(VelShaderManager::GetInstance().spriteShader.cbSprite.View().g_mTransform.m[3][0], 30);
}

TEST_F(DamageLogTest, DriftsUpAndRightWhileFadingAndDrawsNothingIn3D) {
  C_DamageLog log(42);
  EXPECT_FALSE(log.vertexBuffer.IsValid());
  for (int update = 1; update < 20; ++update) ASSERT_TRUE(log.Update()) << update;
  EXPECT_NEAR(log.world.m[3][0], 50 + 19 * 0.5f, 1e-3f);
  EXPECT_NEAR(log.world.m[3][1], 30 + 19 * 0.9f, 1e-3f);
  EXPECT_NEAR(log.color.w, 0.05f, 1e-5f);
  std::vector<VelDrawRecord> draws = Draw2D(log);
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_NEAR(draws[0].color.w, 0.05f, 1e-5f);

  ClearDraws();
  log.Draw();
  EXPECT_TRUE(Draws().empty());

  EXPECT_FALSE(log.Update());
  EXPECT_EQ(log.color.w, 0.0f);
}

}  // namespace
