// The generated models: they parse cleanly, keep their budgets and sizes, and the
// stage holds together when probed the way the game probes it: loaded with
// VelModel and queried with RayToModel.

#include <gtest/gtest.h>
#include <tiny_gltf.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/VelCollision.h"
#include "framework/VelGraphicsDevice.h"
#include "framework/VelMath.h"
#include "framework/VelModel.h"

namespace {

namespace fs = std::filesystem;

struct Triangle {
  float3 p0, p1, p2;
  int material;
};

// A model as the file states it (for its structure) and as the game loads it.
struct LoadedModel {
  bool ok = false;
  std::string warnings;
  tinygltf::Model gltf;
  VelModel model;
  // The loaded faces placed by their nodes, in the game's space.
  std::vector<Triangle> triangles;
};

const std::string kData = std::string(HALVANE_BUILD_DIR) + "/Data/";

std::unique_ptr<LoadedModel> Load(const std::string& file) {
  auto loaded = std::make_unique<LoadedModel>();
  tinygltf::TinyGLTF loader;
  std::string err, warn;
  loaded->ok = loader.LoadASCIIFromFile(&loaded->gltf, &err, &warn, kData + file);
  loaded->warnings = err + warn;
  testing::internal::CaptureStdout();
  loaded->ok = loaded->model.Load(kData + file) && loaded->ok;
  testing::internal::GetCapturedStdout();
  for (const VelModelNode& node : loaded->model.Nodes) {
    if (!node.Mesh) continue;
    const VelMesh& mesh = *node.Mesh;
    for (const VelSubset& subset : mesh.Subsets)
      for (uint32_t f = subset.faceStart; f < subset.faceStart + subset.faceCount && f < mesh.Faces.size();
           ++f) {
        const auto& i = mesh.Faces[f].indices;
        auto at = [&](uint32_t k) { return TransformCoord(mesh.Positions[k], node.Transform); };
        loaded->triangles.push_back({at(i[0]), at(i[1]), at(i[2]), int(subset.material)});
      }
  }
  return loaded;
}

// The game's loader needs a device for its buffers and white texture: the
// headless one, for every test of these suites.
class AssetModelsTest : public testing::Test {
 public:
  static void SetUpTestSuite() {
    std::string error;
    ASSERT_TRUE(VelGraphicsDevice::GetInstance().Init(nullptr, 1280, 720, false, error)) << error;
  }
  static void TearDownTestSuite() {
    Cache().clear();
    VelGraphicsDevice::GetInstance().Release();
  }
  static std::map<std::string, std::unique_ptr<LoadedModel>>& Cache() {
    static std::map<std::string, std::unique_ptr<LoadedModel>> cache;
    return cache;
  }
};
class AssetModelsStageTest : public AssetModelsTest {};

const LoadedModel& Cached(const std::string& file) {
  auto& cache = AssetModelsTest::Cache();
  auto it = cache.find(file);
  if (it == cache.end()) it = cache.emplace(file, Load(file)).first;
  return *it->second;
}

struct Hit {
  bool hit = false;
  float distance = 0;
  float3 normal;
};

Hit Ray(const LoadedModel& model, const float4x4& world, float3 origin, float3 dir) {
  Hit h;
  h.hit = RayToModel(model.model, world, origin, dir, h.distance, h.normal);
  return h;
}

const float4x4 kIdentity;
const float4x4 kAirplaneWorld = MatrixScaling(5) * MatrixTranslation(-80, 0, -210);

// The collision set of the game world, in its fixed order, with the doors closed
// or moved by their full travel.
struct World {
  bool open = false;
  Hit Nearest(float3 origin, float3 dir) const {
    Hit best;
    float4x4 door = open ? MatrixTranslation(0, 40, 0) : kIdentity;
    float4x4 left = open ? MatrixTranslation(-40, 0, 0) : kIdentity;
    float4x4 right = open ? MatrixTranslation(40, 0, 0) : kIdentity;
    const std::pair<const char*, float4x4> parts[] = {{"Ground/Stage.gltf", kIdentity},
                                                      {"Ground/collisionAirplane.gltf", kAirplaneWorld},
                                                      {"Ground/Door.gltf", door},
                                                      {"Ground/LeftBossDoor.gltf", left},
                                                      {"Ground/RightBossDoor.gltf", right}};
    for (const auto& [file, world] : parts) {
      Hit h = Ray(Cached(file), world, origin, dir);
      if (h.hit && (!best.hit || h.distance < best.distance)) best = h;
    }
    return best;
  }
};

const char* const kModels[] = {
    "Player/Player.gltf",
    "Player/Hand.gltf",
    "Player/Leg.gltf",
    "Player/Gun.gltf",
    "Enemy/EnemyBlue.gltf",
    "Enemy/EnemyRed.gltf",
    "Enemy/EnemyYellow.gltf",
    "Enemy/DoomShield.gltf",
    "Item/Heal.gltf",
    "Item/Magazine.gltf",
    "Item/ModelGun.gltf",
    "Ground/Stage.gltf",
    "Ground/airplane.gltf",
    "Ground/collisionAirplane.gltf",
    "Ground/Door.gltf",
    "Ground/LeftBossDoor.gltf",
    "Ground/RightBossDoor.gltf",
    "Ground/Ground.gltf",
    "Sky/Sky.gltf",
    "Effect/PushAttack.gltf",
};

// Every enemy of the three waves, where the game creates it.
const float3 kSpawns[] = {
    {75, 2, -25},   {50, 2, -25},  {30, 2, -25},  {5, 2, -25},    {-24, 2, 136}, {102, 2, 203},
    {23, 2, 136},   {145, 2, 185}, {90, 2, 380},  {10, 2, 393},   {145, 2, 440}, {-36.8f, 10, 155},
    {135, 10, 175}, {9, 10, 350},  {86, 10, 426}, {-35, 10, 429}, {53, 2, 600},  {-65, 2, 556},
    {0, 2, 600},    {0, 12, 617},  {0, 25, 658},
};

const float3 kDown{0, -1, 0};

float3 Horizontal(int i, int n) {
  float a = 2 * kPi * i / n;
  return {std::sin(a), 0, std::cos(a)};
}

TEST_F(AssetModelsTest, EveryModelParsesCleanlyAsFlatTriangleMeshes) {
  for (const char* file : kModels) {
    SCOPED_TRACE(file);
    const LoadedModel& m = Cached(file);
    ASSERT_TRUE(m.ok) << m.warnings;
    EXPECT_EQ(m.warnings, "");
    ASSERT_FALSE(m.gltf.nodes.empty());
    ASSERT_EQ(m.gltf.scenes.size(), 1u);
    EXPECT_EQ(m.gltf.scenes[0].nodes.size(), m.gltf.nodes.size());
    for (const auto& node : m.gltf.nodes) {
      EXPECT_TRUE(node.children.empty());
      EXPECT_TRUE(node.matrix.empty() && node.translation.empty() && node.rotation.empty() &&
                  node.scale.empty());
      ASSERT_GE(node.mesh, 0);
      for (const auto& prim : m.gltf.meshes[node.mesh].primitives) {
        EXPECT_EQ(prim.mode, TINYGLTF_MODE_TRIANGLES);
        for (const char* attribute : {"POSITION", "NORMAL", "TEXCOORD_0", "COLOR_0"})
          EXPECT_EQ(prim.attributes.count(attribute), 1u) << attribute;
        EXPECT_GE(prim.material, 0);
      }
    }
    for (const auto& image : m.gltf.images) {
      EXPECT_TRUE(fs::exists(kData + fs::path(file).parent_path().string() + "/" + image.uri)) << image.uri;
      EXPECT_GT(image.width, 0);
    }
    EXPECT_FALSE(m.triangles.empty());
  }
}

TEST_F(AssetModelsTest, TriangleBudgets) {
  for (const char* file : kModels) {
    std::string name = file;
    size_t budget = name == "Ground/Stage.gltf" ? 3000 : name.rfind("Enemy/Enemy", 0) == 0 ? 400 : 2000;
    EXPECT_LE(Cached(file).triangles.size(), budget) << file;
  }
}

struct Bounds {
  float3 lo{1e30f, 1e30f, 1e30f}, hi{-1e30f, -1e30f, -1e30f};
  void Add(const float3& p) {
    lo = {std::fmin(lo.x, p.x), std::fmin(lo.y, p.y), std::fmin(lo.z, p.z)};
    hi = {std::fmax(hi.x, p.x), std::fmax(hi.y, p.y), std::fmax(hi.z, p.z)};
  }
};

Bounds BoundsOf(const LoadedModel& m, const float4x4& world = kIdentity, int material = -1) {
  Bounds b;
  for (const auto& t : m.triangles)
    if (material < 0 || t.material == material)
      for (const float3& p : {t.p0, t.p1, t.p2}) b.Add(TransformCoord(p, world));
  return b;
}

int MaterialNamed(const LoadedModel& m, const std::string& name) {
  for (size_t i = 0; i < m.gltf.materials.size(); ++i)
    if (m.gltf.materials[i].name == name) return static_cast<int>(i);
  return -1;
}

TEST_F(AssetModelsTest, FiguresFitTheGameOffsets) {
  // Legs hang 0.4 below the body centre and reach the floor 3 below it.
  EXPECT_NEAR(BoundsOf(Cached("Player/Leg.gltf")).lo.y, -2.6f, 0.01f);
  Bounds body = BoundsOf(Cached("Player/Player.gltf"));
  EXPECT_GT(body.hi.y, 2.4f);
  EXPECT_LT(body.hi.y, 3.2f);
  // The muzzle: the barrel's tip at (-0.2, -0.2, 3.5) of gun space.
  const LoadedModel& gun = Cached("Player/Gun.gltf");
  Bounds tip;
  for (const auto& t : gun.triangles)
    for (const float3& p : {t.p0, t.p1, t.p2})
      if (p.z > 3.49f) tip.Add(p);
  EXPECT_NEAR(BoundsOf(gun).hi.z, 3.5f, 0.01f);
  EXPECT_NEAR((tip.lo.x + tip.hi.x) / 2, -0.2f, 0.01f);
  EXPECT_NEAR((tip.lo.y + tip.hi.y) / 2, -0.2f, 0.01f);
  // Enemies and the player look toward +z: their glowing eyes and visor are in front.
  for (const char* file : {"Enemy/EnemyBlue.gltf", "Enemy/EnemyRed.gltf", "Enemy/EnemyYellow.gltf"}) {
    const LoadedModel& m = Cached(file);
    Bounds eye = BoundsOf(m, kIdentity, MaterialNamed(m, "Eye"));
    EXPECT_GT(eye.lo.z, 1.5f) << file;
    Bounds all = BoundsOf(m);
    float radius = std::fmax(std::fmax(-all.lo.x, all.hi.x), std::fmax(-all.lo.z, all.hi.z));
    float expected = std::string(file) == "Enemy/EnemyRed.gltf" ? 3.5f : 3.0f;
    EXPECT_NEAR(radius, expected, 0.7f) << file;
  }
  const LoadedModel& player = Cached("Player/Player.gltf");
  EXPECT_GT(BoundsOf(player, kIdentity, MaterialNamed(player, "Visor")).hi.z, 0.5f);
  // The shield is a sphere of radius 14; the push wave a crescent ahead of its
  // origin, in front of the bodies of the enemies that push, which would hide it.
  for (const auto& t : Cached("Enemy/DoomShield.gltf").triangles) ASSERT_NEAR(Length(t.p0), 14.0f, 0.01f);
  Bounds wave = BoundsOf(Cached("Effect/PushAttack.gltf"));
  EXPECT_GT(wave.lo.z, 0.4f);
  EXPECT_NEAR(wave.hi.x - wave.lo.x, 5.0f, 0.2f);
  Bounds middle;
  for (const auto& t : Cached("Effect/PushAttack.gltf").triangles)
    for (const float3& p : {t.p0, t.p1, t.p2})
      if (std::fabs(p.x) < 1.0f) middle.Add(p);
  for (const char* pusher : {"Enemy/EnemyBlue.gltf", "Enemy/EnemyRed.gltf"}) {
    EXPECT_GT(middle.lo.z, BoundsOf(Cached(pusher)).hi.z) << pusher;
  }
  for (const char* item : {"Item/Heal.gltf", "Item/Magazine.gltf", "Item/ModelGun.gltf"}) {
    Bounds b = BoundsOf(Cached(item));
    float size = std::fmax(std::fmax(b.hi.x - b.lo.x, b.hi.y - b.lo.y), b.hi.z - b.lo.z);
    EXPECT_GT(size, 1.2f) << item;
    EXPECT_LT(size, 1.9f) << item;
  }
}

TEST_F(AssetModelsTest, TheGunIsAHandgunInTheGunHand) {
  const LoadedModel& gun = Cached("Player/Gun.gltf");
  EXPECT_GT(BoundsOf(gun).lo.z, -0.7f) << "nothing reaches back past the hand like a stock";
  // Everything but the slim barrel (within 0.15 of its axis) is a handgun's
  // length: slide, frame, grip and sights end well short of the muzzle.
  Bounds body;
  for (const auto& t : gun.triangles)
    for (const float3& p : {t.p0, t.p1, t.p2})
      if (std::fmax(std::fabs(p.x + 0.2f), std::fabs(p.y + 0.2f)) > 0.15f) body.Add(p);
  EXPECT_LT(body.hi.z, 1.5f);
  EXPECT_LT(body.hi.z - body.lo.z, 2.0f);
  // The grip drops through the gun hand's fist, at about (-0.15, -0.8, -0.13)
  // of gun space at the game's fixed offsets.
  Bounds grip = BoundsOf(gun, kIdentity, MaterialNamed(gun, "Grip"));
  EXPECT_LT(grip.lo.y, -0.8f);
  EXPECT_GT(grip.hi.y, -0.8f);
  EXPECT_LT(grip.lo.z, -0.13f);
  EXPECT_GT(grip.hi.z, -0.13f);
  EXPECT_LT(grip.lo.x, -0.15f);
  EXPECT_GT(grip.hi.x, -0.15f);
}

TEST_F(AssetModelsTest, SkyIsAnOpenDomeSeenFromInside) {
  for (const auto& t : Cached("Sky/Sky.gltf").triangles) {
    float3 centroid = (t.p0 + t.p1 + t.p2) / 3;
    ASSERT_GE(std::fmin(std::fmin(t.p0.y, t.p1.y), t.p2.y), 0.0f);
    ASSERT_NEAR(Length(t.p0), 1500, 1);
    ASSERT_LT(Dot(Cross(t.p0 - t.p2, t.p1 - t.p2), centroid), 0);
  }
}

TEST_F(AssetModelsTest, TitleGroundMeetsTheFiguresFeet) {
  const LoadedModel& ground = Cached("Ground/Ground.gltf");
  float4x4 world = MatrixTranslation(0, 0, -255);
  for (float3 at :
       {float3{-1.5f, 0, 2}, float3{2, 0, -4}, float3{13, 0, 40}, float3{1.7f, 0, 55}, float3{0, 0, 900}}) {
    Hit h = Ray(ground, world, at, kDown);
    ASSERT_TRUE(h.hit);
    EXPECT_NEAR(at.y - h.distance, -3.5f, 1e-3f);
    EXPECT_GT(h.normal.y, 0.99f);
  }
}

TEST_F(AssetModelsTest, AirplaneStandsOnItsStand) {
  for (const char* file : {"Ground/airplane.gltf", "Ground/collisionAirplane.gltf"}) {
    Bounds b = BoundsOf(Cached(file), kAirplaneWorld);
    EXPECT_GT(b.lo.x, -127);
    EXPECT_LT(b.hi.x, -33);
    EXPECT_GT(b.lo.z, -262);
    EXPECT_LT(b.hi.z, -158);
    EXPECT_NEAR(b.lo.y, 0, 0.01f) << file;
  }
}

TEST_F(AssetModelsStageTest, FloorsLieWhereThePointsExpectThem) {
  const LoadedModel& stage = Cached("Ground/Stage.gltf");
  // The player starts with its centre on the surface: the first ray begins there.
  Hit start = Ray(stage, kIdentity, {0, 0, -240}, kDown);
  ASSERT_TRUE(start.hit);
  EXPECT_EQ(start.distance, 0.0f);
  EXPECT_GT(start.normal.y, 0.99f);
  for (const float3& s : kSpawns) {
    Hit h = Ray(stage, kIdentity, s, kDown);
    ASSERT_TRUE(h.hit) << s.x << ", " << s.z;
    EXPECT_NEAR(h.distance, s.y, 1e-3f) << s.x << ", " << s.z;
    EXPECT_GT(h.normal.y, 0.99f);
  }
  const struct {
    float3 at;
    float floor;
  } items[] = {{{15, 2.5f, -3.5f}, 0}, {{38.5f, 8, 465.5f}, 5}, {{-65, -5, 277}, -6}};
  for (const auto& item : items) {
    Hit h = Ray(stage, kIdentity, item.at, kDown);
    ASSERT_TRUE(h.hit);
    EXPECT_NEAR(item.at.y - h.distance, item.floor, 1e-3f) << item.at.x << ", " << item.at.z;
    // The player's centre there (3 above the floor) comes within pick-up reach.
    EXPECT_LE(std::fabs(item.floor + 3 - item.at.y), 4.0f);
  }
}

TEST_F(AssetModelsStageTest, SpawnPointsHaveClearanceAndFaceFrontSides) {
  for (bool open : {false, true}) {
    World world{open};
    for (const float3& s : kSpawns) {
      float floor = s.y - Ray(Cached("Ground/Stage.gltf"), kIdentity, s, kDown).distance;
      for (float y : {s.y, floor + 3}) {
        for (int i = 0; i < 48; ++i) {
          float3 dir = Horizontal(i, 48);
          Hit h = world.Nearest({s.x, y, s.z}, dir);
          if (!h.hit) continue;
          EXPECT_GE(h.distance, 4.0f) << s.x << ", " << y << ", " << s.z;
          EXPECT_GT(Dot(h.normal, -dir), 0.0f) << "back face seen from " << s.x << ", " << y << ", " << s.z;
        }
      }
    }
  }
}

TEST_F(AssetModelsStageTest, AreasAreClosedUpToWallHeight) {
  // From inside each area, every horizontal ray at the body centre and at 20 meets
  // a front face: nothing leaks out, whichever way the doors stand.
  const float3 inside[] = {{0, 0, -240},  {-150, 0, -20}, {150, 0, -280}, {40, 0, 240},
                           {-70, 0, 440}, {150, 0, 20},   {0, 0, 600},    {-90, 0, 690}};
  for (bool open : {false, true})
    for (const float3& p : inside)
      for (float y : {3.0f, 20.0f})
        for (int i = 0; i < 36; ++i) {
          float3 dir = Horizontal(i, 36);
          Hit h = World{open}.Nearest({p.x, y, p.z}, dir);
          ASSERT_TRUE(h.hit) << p.x << ", " << y << ", " << p.z << " toward " << dir.x << ", " << dir.z;
          EXPECT_GT(Dot(h.normal, -dir), 0.0f)
              << p.x << ", " << y << ", " << p.z << " hit at " << p.x + dir.x * h.distance << ", "
              << p.z + dir.z * h.distance;
        }
}

TEST_F(AssetModelsStageTest, DoorsBlockTheGapsUntilMovedByTheirTravel) {
  const LoadedModel& stage = Cached("Ground/Stage.gltf");
  struct Gap {
    const char* file;
    float4x4 travel;
    float x;
    float z0, z1;  // the two sides of the gap
  };
  const Gap gaps[] = {
      {"Ground/Door.gltf", MatrixTranslation(0, 40, 0), -20, -10, 16},
      {"Ground/Door.gltf", MatrixTranslation(0, 40, 0), 0, -10, 16},
      {"Ground/Door.gltf", MatrixTranslation(0, 40, 0), 20, -10, 16},
      {"Ground/LeftBossDoor.gltf", MatrixTranslation(-40, 0, 0), -30, 460, 490},
      {"Ground/LeftBossDoor.gltf", MatrixTranslation(-40, 0, 0), -5, 460, 490},
      {"Ground/RightBossDoor.gltf", MatrixTranslation(40, 0, 0), 5, 460, 490},
      {"Ground/RightBossDoor.gltf", MatrixTranslation(40, 0, 0), 24, 460, 490},
  };
  for (const auto& g : gaps) {
    float length = g.z1 - g.z0;
    for (float y : {3.0f, 10.6f, 30.0f}) {
      for (float sign : {1.0f, -1.0f}) {
        float3 from{g.x, y, sign > 0 ? g.z0 : g.z1}, dir{0, 0, sign};
        SCOPED_TRACE(std::string(g.file) + " x " + std::to_string(g.x) + " y " + std::to_string(y));
        Hit wall = Ray(stage, kIdentity, from, dir);
        EXPECT_FALSE(wall.hit && wall.distance < length);
        Hit closed = Ray(Cached(g.file), kIdentity, from, dir);
        ASSERT_TRUE(closed.hit);
        EXPECT_LT(closed.distance, length);
        EXPECT_GT(Dot(closed.normal, -dir), 0.0f);
        Hit open = Ray(Cached(g.file), g.travel, from, dir);
        EXPECT_FALSE(open.hit && open.distance < length);
      }
    }
  }
}

std::map<std::string, std::string> ReadTree(const fs::path& root) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    if (entry.is_regular_file()) {
      std::ifstream in(entry.path(), std::ios::binary);
      files[fs::relative(entry.path(), root).string()] =
          std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
  return files;
}

TEST_F(AssetModelsTest, GenerationIsByteIdentical) {
  fs::path base = fs::temp_directory_path() / ("halvane-models-" + std::to_string(::getpid()));
  std::vector<std::map<std::string, std::string>> runs;
  for (const char* run : {"a", "b"}) {
    fs::path dir = base / run;
    std::string command = std::string("\"") + HALVANE_ASSETGEN + "\" \"" + dir.string() + "\" models";
    ASSERT_EQ(std::system(command.c_str()), 0);
    runs.push_back(ReadTree(dir));
  }
  fs::remove_all(base);
  ASSERT_EQ(runs[0].size(), runs[1].size());
  size_t bytes = 0;
  for (const auto& [name, content] : runs[0]) {
    ASSERT_EQ(runs[1].count(name), 1u) << name;
    EXPECT_TRUE(content == runs[1].at(name)) << name;
    bytes += content.size();
  }
  for (const char* file : kModels) EXPECT_EQ(runs[0].count(fs::path(file).string()), 1u) << file;
  EXPECT_LT(bytes, 20u << 20);
}

}  // namespace
