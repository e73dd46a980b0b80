#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "framework/VelCollision.h"
#include "framework/VelModel.h"

namespace {

using Triangle = std::array<float3, 3>;

VelModel MakeModel(const std::vector<Triangle>& triangles) {
  std::vector<VelModelVertex> vertices;
  std::vector<VelFace> faces;
  for (const Triangle& t : triangles) {
    VelFace f;
    for (int k = 0; k < 3; ++k) {
      f.indices[k] = uint32_t(vertices.size());
      VelModelVertex v;
      v.position = t[size_t(k)];
      vertices.push_back(v);
    }
    faces.push_back(f);
  }
  VelModel model;
  VelModelNode node;
  node.Mesh = std::make_shared<VelMesh>();
  node.Mesh->Create(vertices, faces, {VelSubset{0, 0, uint32_t(faces.size())}});
  model.Nodes.push_back(node);
  return model;
}

bool SameBits(float a, float b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

struct Ray {
  float3 origin, direction;
};

// Both answers for one ray; empty when they agree to the bit, else a description.
std::string Disagreement(const VelModel& model, const float4x4& world, const Ray& ray) {
  float d1 = -1, d2 = -1;
  float3 n1{-9, -9, -9}, n2{-9, -9, -9};
  const bool h1 = RayToModel(model, world, ray.origin, ray.direction, d1, n1);
  const bool h2 = RayToModelBruteForce(model, world, ray.origin, ray.direction, d2, n2);
  if (h1 == h2 && SameBits(d1, d2) && SameBits(n1.x, n2.x) && SameBits(n1.y, n2.y) && SameBits(n1.z, n2.z))
    return "";
  char text[320];
  std::snprintf(text, sizeof text, "ray (%a, %a, %a) dir (%a, %a, %a): hierarchy %s %.9g, every face %s %.9g",
                ray.origin.x, ray.origin.y, ray.origin.z, ray.direction.x, ray.direction.y, ray.direction.z,
                h1 ? "hit" : "miss", d1, h2 ? "hit" : "miss", d2);
  return text;
}

struct Bounds {
  float3 lo{1e30f, 1e30f, 1e30f}, hi{-1e30f, -1e30f, -1e30f};
};

Bounds ModelBounds(const VelModel& model) {
  Bounds b;
  for (const VelModelNode& node : model.Nodes) {
    if (!node.Mesh) continue;
    for (const float3& local : node.Mesh->Positions) {
      const float3 p = TransformCoord(local, node.Transform);
      b.lo = {std::fmin(b.lo.x, p.x), std::fmin(b.lo.y, p.y), std::fmin(b.lo.z, p.z)};
      b.hi = {std::fmax(b.hi.x, p.x), std::fmax(b.hi.y, p.y), std::fmax(b.hi.z, p.z)};
    }
  }
  return b;
}

// Rays of the kinds the game casts and the kinds that stress a hierarchy:
// from anywhere in and around the model in any direction, along the axes (the
// game's floor and wall probes), and aimed exactly at vertices and edge
// midpoints, where neighbouring faces tie.
std::vector<Ray> RandomRays(const VelModel& model, size_t count, uint32_t seed) {
  std::mt19937 rng(seed);
  const Bounds b = ModelBounds(model);
  const float3 size = b.hi - b.lo;
  const float3 margin = size * 0.25f + float3{1, 1, 1};
  std::uniform_real_distribution<float> unit(0, 1), signedUnit(-1, 1);
  auto point = [&] {
    return float3{b.lo.x - margin.x + unit(rng) * (size.x + 2 * margin.x),
                  b.lo.y - margin.y + unit(rng) * (size.y + 2 * margin.y),
                  b.lo.z - margin.z + unit(rng) * (size.z + 2 * margin.z)};
  };
  std::vector<std::pair<float3, const VelModelNode*>> corners;
  for (const VelModelNode& node : model.Nodes) {
    if (!node.Mesh) continue;
    for (const VelFace& f : node.Mesh->Faces) {
      const float3 p0 = TransformCoord(node.Mesh->Positions[f.indices[0]], node.Transform);
      const float3 p1 = TransformCoord(node.Mesh->Positions[f.indices[1]], node.Transform);
      corners.push_back({p0, &node});
      corners.push_back({(p0 + p1) * 0.5f, &node});
    }
  }
  const float3 axes[6] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
  std::vector<Ray> rays;
  rays.reserve(count);
  while (rays.size() < count) {
    Ray r;
    r.origin = point();
    switch (rays.size() % 4) {
      case 0:
        r.direction = Normalize(float3{signedUnit(rng), signedUnit(rng), signedUnit(rng)});
        break;
      case 1:
        r.direction = axes[rng() % 6];
        break;
      case 2: {
        const float3 target = corners.empty() ? point() : corners[rng() % corners.size()].first;
        r.direction = Normalize(target - r.origin);
        break;
      }
      default:
        // Unnormalised: distances then count in multiples of the direction.
        r.direction = float3{signedUnit(rng), signedUnit(rng), signedUnit(rng)} * (0.1f + 3 * unit(rng));
        break;
    }
    rays.push_back(r);
  }
  return rays;
}

size_t CountDisagreements(const VelModel& model, const float4x4& world, const std::vector<Ray>& rays,
                          size_t* hits) {
  size_t bad = 0;
  *hits = 0;
  for (const Ray& r : rays) {
    float d;
    float3 n;
    if (RayToModelBruteForce(model, world, r.origin, r.direction, d, n)) ++*hits;
    const std::string why = Disagreement(model, world, r);
    if (why.empty()) continue;
    if (bad < 5) ADD_FAILURE() << why;
    ++bad;
  }
  return bad;
}

TEST(RayToModelBvhTest, GeneratedModelsAnswerExactlyAsEveryFaceDoes) {
  struct Case {
    const char* file;
    size_t rays;
    float4x4 world;
  };
  // The enemies stand, turned and scaled, where the game places them; the
  // stage sits at the origin.
  const float4x4 placed = MatrixScaling(1.5f) * MatrixRotationY(0.7f) * MatrixTranslation(12, 0, -30);
  const Case cases[] = {{"Data/Ground/Stage.gltf", 70000, MatrixIdentity()},
                        {"Data/Enemy/EnemyBlue.gltf", 10000, placed},
                        {"Data/Enemy/EnemyRed.gltf", 10000, MatrixIdentity()},
                        {"Data/Enemy/EnemyYellow.gltf", 10000, placed}};
  for (const Case& c : cases) {
    VelModel model;
    ASSERT_TRUE(model.Load(c.file)) << c.file;
    const std::vector<Ray> rays = RandomRays(model, c.rays, 1234);
    std::vector<Ray> placedRays = rays;
    for (Ray& r : placedRays) {
      r.origin = TransformCoord(r.origin, c.world);
      r.direction = TransformNormal(r.direction, c.world);
    }
    size_t hits = 0;
    EXPECT_EQ(CountDisagreements(model, c.world, placedRays, &hits), 0u) << c.file;
    // The rays must actually find the surfaces for the comparison to mean much.
    EXPECT_GT(hits, c.rays / 4) << c.file;
  }
}

// Two faces meet the ray at exactly 5 (small integers keep the arithmetic
// exact) with different normals; the lower face index must win wherever the
// hierarchy happens to put each, so both orders are tried among many others.
TEST(RayToModelBvhTest, EqualDistancesGoToTheFirstFace) {
  const Triangle wall = {float3{5, -1, -1}, float3{5, 1, -1}, float3{5, 0, 1}};
  const Triangle slanted = {float3{4, 1, -1}, float3{6, -1, -1}, float3{5, 0, 2}};
  for (int order = 0; order < 2; ++order) {
    for (size_t at : {size_t(0), size_t(37), size_t(199)}) {
      std::vector<Triangle> triangles;
      for (int i = 0; i < 200; ++i) {
        const float x = float(i % 20) * 3 - 30, z = float(i / 20) * 3 + 10;
        triangles.push_back({float3{x, 0, z}, float3{x + 1, 0, z}, float3{x, 1, z}});
      }
      triangles[at] = order == 0 ? wall : slanted;
      triangles[(at + 101) % 200] = order == 0 ? slanted : wall;
      const VelModel model = MakeModel(triangles);
      float distance = 0;
      float3 normal;
      ASSERT_TRUE(RayToModel(model, MatrixIdentity(), {0, 0, 0}, {1, 0, 0}, distance, normal));
      EXPECT_EQ(distance, 5);
      const bool wallFirst = (order == 0) == (at < (at + 101) % 200);
      if (wallFirst) {
        EXPECT_NEAR(std::fabs(normal.x), 1, 1e-6) << at;
      } else {
        EXPECT_NEAR(std::fabs(normal.x), std::sqrt(0.5f), 1e-6) << at;
      }
      EXPECT_EQ(Disagreement(model, MatrixIdentity(), {{0, 0, 0}, {1, 0, 0}}), "");
    }
  }
}

// Broken geometry a hostile file can carry: the hierarchy must not lose what
// the face walk would report, nor report what it would not.
TEST(RayToModelBvhTest, DegenerateAndNonFiniteFacesAgree) {
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  std::vector<Triangle> triangles;
  std::mt19937 rng(7);
  std::uniform_real_distribution<float> coord(-20, 20);
  for (int i = 0; i < 300; ++i) {
    const float3 a{coord(rng), coord(rng), coord(rng)};
    triangles.push_back({a, a + float3{coord(rng), coord(rng), coord(rng)} * 0.2f,
                         a + float3{coord(rng), coord(rng), coord(rng)} * 0.2f});
  }
  triangles[10] = {float3{1, 1, 1}, float3{1, 1, 1}, float3{1, 1, 1}};
  triangles[20] = {float3{0, 0, 0}, float3{1, 1, 1}, float3{2, 2, 2}};
  triangles[30] = {float3{inf, 0, 0}, float3{0, 1, 0}, float3{0, 0, 1}};
  triangles[40] = {float3{nan, 0, 0}, float3{0, 1, 0}, float3{0, 0, 1}};
  // A sliver like those at the generated models' apexes: two corners a rounding apart.
  triangles[60] = {float3{1.365f, 2.139f, 0}, float3{-1.19e-7f, 2.47f, 5e-15f},
                   float3{-8.4e-8f, 2.47f, 8e-8f}};
  // Thousands of copies of one face: the build must stop splitting them.
  for (int i = 0; i < 3000; ++i) triangles.push_back({float3{3, -1, -1}, float3{3, 1, -1}, float3{3, 0, 1}});
  // The rays are aimed at the ordinary faces; a huge one then spans them all.
  const std::vector<Ray> rays = RandomRays(MakeModel(triangles), 6000, 99);
  triangles[50] = {float3{-1e30f, 0, 0}, float3{1e30f, 0, 1}, float3{0, 1e30f, 0}};
  const VelModel model = MakeModel(triangles);
  size_t hits = 0;
  EXPECT_EQ(CountDisagreements(model, MatrixIdentity(), rays, &hits), 0u);
  EXPECT_GT(hits, 300u);
  const Ray odd[] = {{{0, 0, 0}, {0, 0, 0}},         {{nan, 0, 0}, {1, 0, 0}},
                     {{0, 0, 0}, {inf, 0, 0}},       {{-inf, 0, 0}, {1, 0, 0}},
                     {{0, 0.5f, 0}, {1e-30f, 0, 0}}, {{0, 0.2f, 0}, {1e30f, 0, 0}}};
  for (const Ray& r : odd) EXPECT_EQ(Disagreement(model, MatrixIdentity(), r), "");
}

}  // namespace
