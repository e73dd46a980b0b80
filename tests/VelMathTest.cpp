#include <gtest/gtest.h>

#include "framework/VelMath.h"

namespace {

void ExpectNear(const float3& a, const float3& b, float eps = 1e-5f) {
  EXPECT_NEAR(a.x, b.x, eps);
  EXPECT_NEAR(a.y, b.y, eps);
  EXPECT_NEAR(a.z, b.z, eps);
}

void ExpectNear(const float4& a, const float4& b, float eps = 1e-5f) {
  EXPECT_NEAR(a.x, b.x, eps);
  EXPECT_NEAR(a.y, b.y, eps);
  EXPECT_NEAR(a.z, b.z, eps);
  EXPECT_NEAR(a.w, b.w, eps);
}

void ExpectNear(const float4x4& a, const float4x4& b, float eps = 1e-5f) {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(a.m[r][c], b.m[r][c], eps) << "row " << r << " column " << c;
}

TEST(VelMathTest, TransformsComposeLeftToRight) {
  // Scale first, then move: (1, 1, 1) -> (2, 2, 2) -> (3, 2, 2).
  ExpectNear(TransformCoord({1, 1, 1}, MatrixScaling(2) * MatrixTranslation(1, 0, 0)), {3, 2, 2});
  // Move first, then scale: (2, 1, 1) -> (4, 2, 2).
  ExpectNear(TransformCoord({1, 1, 1}, MatrixTranslation(1, 0, 0) * MatrixScaling(2)), {4, 2, 2});
  EXPECT_TRUE(MatrixTranslation(1, 2, 3) * MatrixTranslation(4, 5, 6) == MatrixTranslation(5, 7, 9));
  float4x4 t = MatrixTranslation(7, 8, 9);
  EXPECT_EQ(t.m[3][0], 7);
  EXPECT_EQ(t.m[3][2], 9);
  ExpectNear(t.Translation(), {7, 8, 9});
}

TEST(VelMathTest, RotationsTurnTheWayTheGameExpects) {
  const float quarter = 90 * kDegToRad;
  // A positive yaw turns +z (the yaw-0 facing) toward +x.
  ExpectNear(TransformNormal({0, 0, 1}, MatrixRotationY(quarter)), {1, 0, 0});
  ExpectNear(TransformNormal({0, 1, 0}, MatrixRotationX(quarter)), {0, 0, 1});
  ExpectNear(TransformNormal({1, 0, 0}, MatrixRotationZ(quarter)), {0, 1, 0});
  // Roll, then pitch, then yaw: +x rolls to +y, pitches to +z, yaws to +x.
  ExpectNear(TransformNormal({1, 0, 0}, MatrixRotationRollPitchYaw(quarter, quarter, quarter)), {1, 0, 0});
  ExpectNear(TransformNormal({0, 0, 1}, MatrixRotationRollPitchYaw(0, 30 * kDegToRad, 0)),
             {0.5f, 0, 0.8660254f});
}

TEST(VelMathTest, PointsDivideByWAndDirectionsIgnoreTranslation) {
  float4x4 m = MatrixTranslation(10, 0, 0);
  m.m[3][3] = 2;  // w = 2 for every point
  ExpectNear(TransformCoord({2, 4, 6}, m), {6, 2, 3});
  ExpectNear(TransformNormal({2, 4, 6}, MatrixTranslation(10, 20, 30)), {2, 4, 6});
  ExpectNear(Transform({1, 2, 3, 1}, MatrixTranslation(1, 1, 1)), {2, 3, 4, 1});
}

TEST(VelMathTest, InverseUndoesAndSingularGivesIdentity) {
  ExpectNear(MatrixInverse(MatrixTranslation(1, 2, 3)), MatrixTranslation(-1, -2, -3));
  ExpectNear(MatrixInverse(MatrixScaling(2, 4, 8)), MatrixScaling(0.5f, 0.25f, 0.125f));
  float4x4 m =
      MatrixScaling(2, 3, 4) * MatrixRotationX(0.3f) * MatrixRotationY(-1.1f) * MatrixTranslation(5, -6, 7);
  ExpectNear(m * MatrixInverse(m), MatrixIdentity(), 1e-4f);
  EXPECT_NEAR(MatrixDeterminant(MatrixScaling(2, 3, 4)), 24, 1e-5f);
  EXPECT_TRUE(MatrixInverse(MatrixScaling(1, 0, 1)) == MatrixIdentity());
  float4x4 t = MatrixTranspose(MatrixTranslation(1, 2, 3));
  EXPECT_EQ(t.m[0][3], 1);
  EXPECT_EQ(t.m[2][3], 3);
}

TEST(VelMathTest, LookAtLeftHanded) {
  // A camera at (0, 0, -5) looking at the origin moves the world 5 along +z.
  ExpectNear(MatrixLookAtLH({0, 0, -5}, {0, 0, 0}, {0, 1, 0}), MatrixTranslation(0, 0, 5));
  // Looking along +x from the origin: ahead is +z in view space, +z of the world is to the left (-x).
  float4x4 v = MatrixLookAtLH({0, 0, 0}, {1, 0, 0}, {0, 1, 0});
  ExpectNear(TransformCoord({3, 0, 0}, v), {0, 0, 3});
  ExpectNear(TransformCoord({0, 0, 1}, v), {-1, 0, 0});
  ExpectNear(TransformCoord({0, 2, 0}, v), {0, 2, 0});
}

TEST(VelMathTest, PerspectiveMapsNearToZeroAndFarToOne) {
  float4x4 p = MatrixPerspectiveFovLH(60 * kDegToRad, 16.0f / 9.0f, 0.01f, 1000.0f);
  EXPECT_NEAR(p.m[1][1], 1.7320508f, 1e-6f);
  EXPECT_NEAR(p.m[0][0], 1.7320508f / (16.0f / 9.0f), 1e-6f);
  EXPECT_NEAR(p.m[2][2], 1.00001f, 1e-6f);
  EXPECT_EQ(p.m[2][3], 1);
  EXPECT_NEAR(p.m[3][2], -0.0100001f, 1e-8f);
  EXPECT_EQ(p.m[3][3], 0);
  EXPECT_NEAR(TransformCoord({0, 0, 0.01f}, p).z, 0, 1e-5f);
  EXPECT_NEAR(TransformCoord({0, 0, 1000}, p).z, 1, 1e-5f);
  // The top edge of the 60-degree view at distance 10 is y = 10 tan 30.
  EXPECT_NEAR(TransformCoord({0, 10 * 0.57735027f, 10}, p).y, 1, 1e-5f);
}

TEST(VelMathTest, QuaternionsMatchTheRotationMatrices) {
  const float s = 0.70710678f;
  float4 q = QuaternionFromMatrix(MatrixRotationY(90 * kDegToRad));
  ExpectNear(q, {0, s, 0, s});
  ExpectNear(MatrixFromQuaternion({0, s, 0, s}), MatrixRotationY(90 * kDegToRad));
  ExpectNear(MatrixFromQuaternion({s, 0, 0, s}), MatrixRotationX(90 * kDegToRad));
  // A half turn about Z takes the branch without a positive trace.
  float4 half = QuaternionFromMatrix(MatrixRotationZ(kPi));
  EXPECT_NEAR(std::fabs(half.z), 1, 1e-5f);
  ExpectNear(MatrixFromQuaternion(half), MatrixRotationZ(kPi));
  float4x4 any = MatrixRotationX(0.4f) * MatrixRotationY(2.5f) * MatrixRotationZ(-1.2f);
  ExpectNear(MatrixFromQuaternion(QuaternionFromMatrix(any)), any, 1e-5f);
  // The translation does not leak into the rotation.
  ExpectNear(QuaternionFromMatrix(MatrixRotationY(90 * kDegToRad) * MatrixTranslation(4, 5, 6)),
             {0, s, 0, s});
}

TEST(VelMathTest, SlerpTakesTheShorterArc) {
  const float4 identity{0, 0, 0, 1};
  const float4 quarterY = QuaternionFromMatrix(MatrixRotationY(90 * kDegToRad));
  ExpectNear(QuaternionSlerp(identity, quarterY, 0.5f),
             QuaternionFromMatrix(MatrixRotationY(45 * kDegToRad)));
  ExpectNear(QuaternionSlerp(identity, quarterY, 0), identity);
  ExpectNear(QuaternionSlerp(identity, quarterY, 1), quarterY);
  // -q is the same rotation; the blend must not swing the long way round.
  float4 viaNegated = QuaternionSlerp(identity, quarterY * -1.0f, 0.5f);
  ExpectNear(MatrixFromQuaternion(viaNegated), MatrixRotationY(45 * kDegToRad));
  ExpectNear(QuaternionNormalize({0, 0, 0, 0}), identity);
}

TEST(VelMathTest, VectorHelpers) {
  ExpectNear(Cross({1, 0, 0}, {0, 1, 0}), {0, 0, 1});
  EXPECT_FLOAT_EQ(Dot(float3{1, 2, 3}, float3{4, 5, 6}), 32);
  EXPECT_FLOAT_EQ(Length({3, 4, 0}), 5);
  ExpectNear(Normalize({0, 0, 0}), {0, 0, 0});
  ExpectNear(Normalize({0, 3, 4}), {0, 0.6f, 0.8f});
  ExpectNear(Lerp({0, 0, 0}, {2, 4, 6}, 0.25f), {0.5f, 1, 1.5f});
}

}  // namespace
