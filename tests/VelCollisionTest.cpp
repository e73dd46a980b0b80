#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "framework/VelCollision.h"
#include "framework/VelModel.h"
#include "tests/AllocationCounter.h"
#include "tests/GltfTestFiles.h"

namespace {

using Triangle = std::array<float3, 3>;

// A model built directly: one mesh node per entry, each with its triangles and transform.
VelModel MakeModel(const std::vector<std::vector<Triangle>>& nodes,
                   const std::vector<float4x4>& transforms = {}) {
  VelModel model;
  for (size_t n = 0; n < nodes.size(); ++n) {
    std::vector<VelModelVertex> vertices;
    std::vector<VelFace> faces;
    for (const Triangle& t : nodes[n]) {
      VelFace f;
      for (int k = 0; k < 3; ++k) {
        f.indices[k] = uint32_t(vertices.size());
        VelModelVertex v;
        v.position = t[size_t(k)];
        vertices.push_back(v);
      }
      faces.push_back(f);
    }
    VelModelNode node;
    node.NodeIndex = int(n);
    if (n < transforms.size()) node.Transform = transforms[n];
    node.Mesh = std::make_shared<VelMesh>();
    node.Mesh->Create(vertices, faces, {VelSubset{0, 0, uint32_t(faces.size())}});
    model.Nodes.push_back(node);
  }
  return model;
}

const Triangle kWallAt5 = {float3{5, -1, -1}, float3{5, 1, -1}, float3{5, 0, 1}};

void ExpectNear(const float3& a, const float3& b, float eps = 1e-5f) {
  EXPECT_NEAR(a.x, b.x, eps);
  EXPECT_NEAR(a.y, b.y, eps);
  EXPECT_NEAR(a.z, b.z, eps);
}

TEST(VelCollisionTest, RayHitsTheTriangleAtItsDistance) {
  VelModel model = MakeModel({{kWallAt5}});
  float distance = 0;
  float3 normal;
  ASSERT_TRUE(RayToModel(model, MatrixIdentity(), {0, 0, 0}, {1, 0, 0}, distance, normal));
  EXPECT_FLOAT_EQ(distance, 5);
  // normalise((p0 - p2) x (p1 - p2))
  ExpectNear(normal, {1, 0, 0});

  // The distance counts in multiples of the direction's length.
  ASSERT_TRUE(RayToModel(model, MatrixIdentity(), {0, 0, 0}, {2, 0, 0}, distance, normal));
  EXPECT_FLOAT_EQ(distance, 2.5f);
}

TEST(VelCollisionTest, RaysBehindMissBackFacesHit) {
  VelModel model = MakeModel({{kWallAt5}});
  float distance = -7;
  float3 normal{9, 9, 9};
  EXPECT_FALSE(RayToModel(model, MatrixIdentity(), {6, 0, 0}, {1, 0, 0}, distance, normal));
  EXPECT_FALSE(RayToModel(model, MatrixIdentity(), {0, 0, 0}, {0, 1, 0}, distance, normal));
  EXPECT_FALSE(RayToModel(model, MatrixIdentity(), {0, 0, 0}, {0, 0, 0}, distance, normal));
  // A miss leaves the outputs as they were.
  EXPECT_EQ(distance, -7);
  EXPECT_EQ(normal, (float3{9, 9, 9}));

  ASSERT_TRUE(RayToModel(model, MatrixIdentity(), {10, 0.2f, 0}, {-1, 0, 0}, distance, normal));
  EXPECT_FLOAT_EQ(distance, 5);
}

TEST(VelCollisionTest, WorldAndNodeTransformsPlaceTheGeometry) {
  VelModel model = MakeModel({{kWallAt5}});
  float distance = 0;
  float3 normal;
  ASSERT_TRUE(RayToModel(model, MatrixScaling(2), {0, 0, 0}, {1, 0, 0}, distance, normal));
  EXPECT_FLOAT_EQ(distance, 10);
  ExpectNear(normal, {1, 0, 0});

  // The node's transform comes first, then the world: rotated to face +z, then moved.
  VelModel turned = MakeModel({{kWallAt5}}, {MatrixRotationY(-kPi / 2)});
  ASSERT_TRUE(RayToModel(turned, MatrixTranslation(0, 0, 1), {0, 0, 0}, {0, 0, 1}, distance, normal));
  EXPECT_NEAR(distance, 6, 1e-5f);
  ExpectNear(normal, {0, 0, 1});

  // A node scaled to nothing has no surface.
  VelModel flat = MakeModel({{kWallAt5}}, {MatrixScaling(0)});
  EXPECT_FALSE(RayToModel(flat, MatrixIdentity(), {0, 0, 0}, {1, 0, 0}, distance, normal));
}

TEST(VelCollisionTest, NearestHitWinsAndTiesGoToTheFirst) {
  const Triangle near = {float3{3, -1, -1}, float3{3, 1, -1}, float3{3, 0, 1}};
  // The same wall wound the other way: its normal points the other way.
  const Triangle flipped = {kWallAt5[1], kWallAt5[0], kWallAt5[2]};
  float distance = 0;
  float3 normal;

  VelModel nearest = MakeModel({{kWallAt5, near}});
  ASSERT_TRUE(RayToModel(nearest, MatrixIdentity(), {0, 0, 0}, {1, 0, 0}, distance, normal));
  EXPECT_FLOAT_EQ(distance, 3);

  VelModel faces = MakeModel({{flipped, kWallAt5}});
  ASSERT_TRUE(RayToModel(faces, MatrixIdentity(), {0, 0, 0}, {1, 0, 0}, distance, normal));
  ExpectNear(normal, {-1, 0, 0});

  VelModel nodes = MakeModel({{kWallAt5}, {flipped}});
  ASSERT_TRUE(RayToModel(nodes, MatrixIdentity(), {0, 0, 0}, {1, 0, 0}, distance, normal));
  ExpectNear(normal, {1, 0, 0});
}

TEST(VelCollisionTest, EmptyAndFailedModelsNeverHit) {
  VelModel model;
  EXPECT_FALSE(model.Load("no/such/model.gltf"));
  float distance = 0;
  float3 normal;
  EXPECT_FALSE(RayToModel(model, MatrixIdentity(), {0, 0, 0}, {1, 0, 0}, distance, normal));
  VelModel noFaces = MakeModel({{}});
  EXPECT_FALSE(RayToModel(noFaces, MatrixIdentity(), {0, 0, 0}, {1, 0, 0}, distance, normal));
}

TEST(VelCollisionTest, RayQueriesAllocateNothing) {
  VelModel model = MakeModel({{kWallAt5, kWallAt5}, {kWallAt5}});
  float distance = 0;
  float3 normal, push;
  StartCountingAllocations();
  bool hit = RayToModel(model, MatrixIdentity(), {0, 0, 0}, {1, 0, 0}, distance, normal);
  bool pushed = RayPushOut(model, MatrixIdentity(), {0, 0, 0}, {1, 0, 0}, distance, push);
  const int allocations = StopCountingAllocations();
  EXPECT_TRUE(hit);
  EXPECT_FALSE(pushed);
  EXPECT_EQ(allocations, 0);
}

// A wall loaded from a file, facing the ray: the mirror and the rewinding
// together must leave its normal pointing back at the ray.
TEST(VelCollisionTest, PushOutKeepsThreeUnitsFromALoadedWall) {
  gltftest::TempDir dir;
  gltftest::GltfBuilder b;
  // File space: a wall at z = -2 seen from +z (counter-clockwise front face).
  b.AddTriangleNode({-10, -10, -2, 10, -10, -2, 0, 10, -2}, {0, 1, 2});
  VelModel model;
  ASSERT_TRUE(model.Load(b.WriteGltf(dir.File("wall.gltf"))));

  float distance = 0;
  float3 normal;
  ASSERT_TRUE(RayToModel(model, MatrixIdentity(), {0, 0, 0}, {0, 0, 1}, distance, normal));
  EXPECT_FLOAT_EQ(distance, 2);
  ExpectNear(normal, {0, 0, -1});

  float3 push;
  ASSERT_TRUE(RayPushOut(model, MatrixIdentity(), {0, 0, 0}, {0, 0, 1}, distance, push));
  ExpectNear(push, {0, 0, -1});
  // Not zeroed again: the earlier correction is added again.
  ASSERT_TRUE(RayPushOut(model, MatrixIdentity(), {0, 0, 0}, {0, 0, 1}, distance, push));
  ExpectNear(push, {0, 0, -2});

  float3 far{0.5f, 0, 0};
  EXPECT_FALSE(RayPushOut(model, MatrixIdentity(), {0, 0, -1.5f}, {0, 0, 1}, distance, far));
  EXPECT_FLOAT_EQ(distance, 3.5f);
  EXPECT_EQ(far, (float3{0.5f, 0, 0}));

  // At 45 degrees: 3 units along the normal is 3 / cos along the ray.
  const float h = std::sqrt(0.5f);
  float3 slanted;
  ASSERT_TRUE(RayPushOut(model, MatrixIdentity(), {0, 0, 0}, {h, 0, h}, distance, slanted));
  EXPECT_NEAR(distance, 2 / h, 1e-4f);
  ExpectNear(slanted, {0, 0, -1}, 1e-4f);

  float3 none;
  EXPECT_FALSE(RayPushOut(model, MatrixIdentity(), {0, 0, 0}, {0, 0, -1}, distance, none));
  EXPECT_EQ(none, (float3{0, 0, 0}));
}

TEST(VelCollisionTest, SpheresOverlapAndSeparate) {
  EXPECT_TRUE(SpheresOverlap({0, 0, 0}, 1, {3, 0, 0}, 2));
  EXPECT_FALSE(SpheresOverlap({0, 0, 0}, 1, {3.001f, 0, 0}, 2));
  EXPECT_TRUE(SpheresOverlap({1, 1, 1}, 0, {1, 1, 1}, 0));

  ExpectNear(SphereSeparation({0, 0, 0}, 1, {1, 0, 0}, 1), {-0.5f, 0, 0});
  ExpectNear(SphereSeparation({0, 4, 0}, 1, {0, 0, 0}, 1), {0, -1, 0});
  EXPECT_EQ(SphereSeparation({2, 2, 2}, 1, {2, 2, 2}, 1), (float3{0, 0, 0}));
}

TEST(VelCollisionTest, PointInRectExcludesTheEdges) {
  EXPECT_TRUE(PointInRect(0, 0, 100, 50, 0, 0));
  EXPECT_TRUE(PointInRect(10, 20, 100, 50, 59.9f, 44.9f));
  EXPECT_FALSE(PointInRect(10, 20, 100, 50, 60, 20));
  EXPECT_FALSE(PointInRect(10, 20, 100, 50, -40, 20));
  EXPECT_FALSE(PointInRect(10, 20, 100, 50, 10, 45));
  EXPECT_FALSE(PointInRect(10, 20, 100, 50, 10, -5));
}

TEST(VelCollisionTest, YawFromDirection) {
  EXPECT_FLOAT_EQ(YawFromDirection(1, 0, 0), 90);
  EXPECT_FLOAT_EQ(YawFromDirection(-1, 0, 0), -90);
  EXPECT_FLOAT_EQ(YawFromDirection(0, 0, -1), 180);
  EXPECT_FLOAT_EQ(YawFromDirection(0, 5, 1), 0);
  EXPECT_NEAR(YawFromDirection(-3, 9, 3), -45, 1e-4f);
  EXPECT_FLOAT_EQ(YawFromDirection(0, 0, 0), 90);
}

TEST(VelCollisionTest, TurnTowardsYawTakesTheShortWay) {
  float4x4 m = MatrixRotationY(170 * kDegToRad) * MatrixTranslation(1, 2, 3);
  EXPECT_NEAR(TurnTowardsYaw(m, -170, 5), 15, 1e-3f);
  EXPECT_NEAR(YawFromDirection(m.m[2][0], 0, m.m[2][2]), 175, 1e-3f);
  // The turn happens in the object's own frame: the position stays.
  EXPECT_EQ(m.Translation(), (float3{1, 2, 3}));

  EXPECT_NEAR(TurnTowardsYaw(m, -179, 5), 1, 1e-3f);
  EXPECT_FLOAT_EQ(TurnTowardsYaw(m, -179, 5), 0);
  EXPECT_NEAR(YawFromDirection(m.m[2][0], 0, m.m[2][2]), -179, 1e-3f);

  float4x4 r;
  EXPECT_NEAR(TurnTowardsYaw(r, -90, 30), -60, 1e-4f);
  EXPECT_NEAR(YawFromDirection(r.m[2][0], 0, r.m[2][2]), -30, 1e-4f);
  // Far-off targets still end.
  float4x4 s;
  EXPECT_NEAR(TurnTowardsYaw(s, 36000 + 10, 90), 0, 1e-2f);
  TurnTowardsYaw(s, 1e30f, 5);
}

TEST(VelCollisionTest, MatrixLerpBlendsRotationAndTranslation) {
  const float4x4 a = MatrixTranslation(0, 0, 0);
  const float4x4 b = MatrixScaling(3) * MatrixRotationY(kPi / 2) * MatrixTranslation(10, 4, 0);
  float4x4 out;
  MatrixLerp(a, b, 0.5f, out);
  const float4x4 expected = MatrixRotationY(kPi / 4);
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(out.m[r][c], expected.m[r][c], 1e-5f) << r << "," << c;
  ExpectNear(out.Translation(), {5, 2, 0});
  EXPECT_EQ(out.m[0][3], 0);
  EXPECT_EQ(out.m[3][3], 1);

  // The shorter arc: -170 to 170 degrees passes through 180.
  MatrixLerp(MatrixRotationY(-170 * kDegToRad), MatrixRotationY(170 * kDegToRad), 0.5f, out);
  EXPECT_NEAR(std::fabs(YawFromDirection(out.m[2][0], 0, out.m[2][2])), 180, 1e-3f);

  MatrixLerp(a, b, 1, out);
  ExpectNear(out.Row(0), {0, 0, -1});
  MatrixLerp(a, a, 0.3f, out);
  EXPECT_NEAR(out.m[1][1], 1, 1e-6f);
}

}  // namespace
