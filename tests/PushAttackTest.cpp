#include "game/effect/C_PushAttack.h"

#include <gtest/gtest.h>

#include "EffectTestWorld.h"

namespace {

class PushAttackTest : public EffectTestWorld {};

float4x4 Facing(const float3& forward) {
  float4x4 m;
  m.m[2][0] = forward.x;
  m.m[2][1] = forward.y;
  m.m[2][2] = forward.z;
  m.SetTranslation({100, 100, 100});  // only the forward axis counts
  return m;
}

void ExpectNear(const float4x4& a, const float4x4& b) {
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(a.m[r][c], b.m[r][c], 1e-4f) << r << "," << c;
  }
}

TEST_F(PushAttackTest, WaveTurnsToTheAttackersForwardAxis) {
  C_PushAttack east(Facing({1, 0, 0}), {0, 0, 0});
  ExpectNear(east.rotation, MatrixRotationY(90 * kDegToRad));
  EXPECT_NEAR(east.rotation.m[2][0], 1, 1e-6f);  // its own z now points along +x

  C_PushAttack ahead(Facing({0, 0, 1}), {0, 0, 0});
  ExpectNear(ahead.rotation, MatrixIdentity());
  C_PushAttack back(Facing({0, 0, -1}), {0, 0, 0});
  EXPECT_NEAR(back.rotation.m[2][2], -1, 1e-5f);

  // No horizontal part: the yaw helper answers 90 degrees.
  for (float y : {1.0f, -1.0f}) {
    C_PushAttack vertical(Facing({0, y, 0}), {0, 0, 0});
    ExpectNear(vertical.rotation, MatrixRotationY(90 * kDegToRad));
  }
}

TEST_F(PushAttackTest, GrowsAndFadesUntilGone) {
  const float3 at{4, 1, -30};
  C_PushAttack wave(Facing({1, 0, 0}), at);
  EXPECT_EQ(wave.world, MatrixTranslation(at));
  EXPECT_EQ(wave.alpha, 1.0f);

  for (int k = 1; k <= 33; ++k) {
    ASSERT_TRUE(wave.Update()) << k;
    if (k == 1 || k == 10 || k == 33) {
      const float s = 1 + 0.06f * k;
      ExpectNear(wave.world, MatrixRotationY(90 * kDegToRad) * MatrixScaling(s) * MatrixTranslation(at));
      EXPECT_NEAR(wave.alpha, 1 - 0.03f * k, 1e-5f);
    }
  }
  EXPECT_FALSE(wave.Update());
  EXPECT_EQ(wave.alpha, 0.0f);
}

}  // namespace
