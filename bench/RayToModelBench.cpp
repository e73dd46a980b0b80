// Ray queries against the real stage, face by face and through the meshes'
// hierarchies, and what loading the stage costs with and without the model
// cache. Run from the build folder, where Data/ is generated.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include "framework/VelCollision.h"
#include "framework/VelGraphicsDevice.h"
#include "framework/VelImageCache.h"
#include "framework/VelModel.h"
#include "framework/VelModelCache.h"

namespace {

const char* const kStage = "Data/Ground/Stage.gltf";

struct Ray {
  float3 origin, direction;
};

// The stage, loaded once for all ray benchmarks.
const VelModel& Stage() {
  static VelModel model = [] {
    VelModel m;
    if (!m.Load(kStage)) std::fprintf(stderr, "cannot load %s (run from the build folder)\n", kStage);
    return m;
  }();
  return model;
}

// The kinds of rays the game casts: floor probes straight down, wall probes
// level in any heading, bullets and the camera's centre ray in any direction,
// all from places inside the stage's bounds at body height.
const std::vector<Ray>& Rays() {
  static std::vector<Ray> rays = [] {
    float3 lo{1e30f, 1e30f, 1e30f}, hi{-1e30f, -1e30f, -1e30f};
    for (const VelModelNode& node : Stage().Nodes) {
      if (!node.Mesh) continue;
      for (const float3& local : node.Mesh->Positions) {
        const float3 p = TransformCoord(local, node.Transform);
        lo = {std::fmin(lo.x, p.x), std::fmin(lo.y, p.y), std::fmin(lo.z, p.z)};
        hi = {std::fmax(hi.x, p.x), std::fmax(hi.y, p.y), std::fmax(hi.z, p.z)};
      }
    }
    std::mt19937 rng(2024);
    std::uniform_real_distribution<float> unit(0, 1), signedUnit(-1, 1);
    std::vector<Ray> out;
    for (int i = 0; i < 4096; ++i) {
      Ray r;
      r.origin = {lo.x + unit(rng) * (hi.x - lo.x), lo.y + 1 + unit(rng) * 15,
                  lo.z + unit(rng) * (hi.z - lo.z)};
      switch (i % 3) {
        case 0:
          r.direction = {0, -1, 0};
          break;
        case 1: {
          const float yaw = unit(rng) * 6.2831853f;
          r.direction = {std::sin(yaw), 0, std::cos(yaw)};
          break;
        }
        default:
          r.direction = Normalize(float3{signedUnit(rng), signedUnit(rng) * 0.3f, signedUnit(rng)});
          break;
      }
      out.push_back(r);
    }
    return out;
  }();
  return rays;
}

template <bool (*Cast)(const VelModel&, const float4x4&, const float3&, const float3&, float&, float3&)>
void RayBench(benchmark::State& state) {
  const VelModel& stage = Stage();
  const std::vector<Ray>& rays = Rays();
  const float4x4 world = MatrixIdentity();
  size_t i = 0, hits = 0;
  for (auto _ : state) {
    const Ray& r = rays[i++ % rays.size()];
    float distance;
    float3 normal;
    hits += Cast(stage, world, r.origin, r.direction, distance, normal);
    benchmark::DoNotOptimize(distance);
  }
  state.SetItemsProcessed(int64_t(state.iterations()));
  state.counters["hit_share"] = benchmark::Counter(double(hits) / double(state.iterations()));
}

void BM_StageRayEveryFace(benchmark::State& state) {
  RayBench<RayToModelBruteForce>(state);
}
void BM_StageRayHierarchy(benchmark::State& state) {
  RayBench<RayToModel>(state);
}
BENCHMARK(BM_StageRayEveryFace);
BENCHMARK(BM_StageRayHierarchy);

// One model load as a game object's constructor does it: uncached the file is
// read, parsed, its hierarchies built and its textures decoded; cached only
// the object's own meshes and textures are made.
void LoadBench(benchmark::State& state, bool cached) {
  std::string error;
  VelGraphicsDevice::GetInstance().Init(nullptr, 1280, 720, false, error);
  // The loader's progress lines would drown the figures.
  std::fflush(stdout);
  const int saved = dup(1);
  const int null = open("/dev/null", O_WRONLY);
  dup2(null, 1);
  for (auto _ : state) {
    if (!cached) {
      VelModelCache::GetInstance().Clear();
      VelImageCache::GetInstance().Clear();
    }
    VelModel model;
    benchmark::DoNotOptimize(model.Load(kStage));
  }
  std::fflush(stdout);
  dup2(saved, 1);
  close(saved);
  close(null);
  VelGraphicsDevice::GetInstance().Release();
}

void BM_StageLoadUncached(benchmark::State& state) {
  LoadBench(state, false);
}
void BM_StageLoadCached(benchmark::State& state) {
  LoadBench(state, true);
}
BENCHMARK(BM_StageLoadUncached)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StageLoadCached)->Unit(benchmark::kMillisecond);

}  // namespace
