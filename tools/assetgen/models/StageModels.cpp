// The stage and its world objects: an airbase at dusk in three walled areas.
//
//   Apron (start)   x -190..183, z -290..0, floor y 0, walls 24 high; the parked
//                   transport stands at x -125..-35, z -260..-160.
//   Gatehouse       z 0..6, a tower 85 high over x -35..35 with the door gap
//                   x -25..25, y 0..40; the raised door hides in the lintel above.
//   Base            x -90..165, z 6..471, floor y 0, walls 24 high; sunken yard
//                   x -85..-45, z 255..300 at y -6 with ramps from the south and
//                   the east; platform x 28..50, z 452..471, top y 5, steps south.
//   Boss wall       z 471..479, x -100..100, 55 high, gap x -40..40, y 0..40,
//                   leaves at z 473..477 slide into pockets up to x -80 and 80.
//   Arena           x -100..100, z 479..700, floor y 0, walls 30 high.
//
// Every face fronts the side where the player and the enemies move; undersides
// that rest on the floor are left out.

#include <cmath>
#include <string>

#include "models/GltfWriter.h"
#include "models/ModelFamily.h"
#include "models/SurfaceTextures.h"

namespace models {
namespace {

struct StageLook {
  int apron, slab, wall, metal, hazard, plates, lamp, glass, beacon, glow, dark;
};

StageLook AddStageMaterials(Model& model) {
  StageLook look;
  auto textured = [&](const char* name, const char* texture, float metallic, float roughness) {
    Material m;
    m.name = name;
    m.baseTexture = texture;
    m.metallic = metallic;
    m.roughness = roughness;
    return model.AddMaterial(m);
  };
  auto glowing = [&](const char* name, float4 base, float3 emissive) {
    Material m;
    m.name = name;
    m.baseColor = base;
    m.emissive = emissive;
    m.roughness = 0.4f;
    return model.AddMaterial(m);
  };
  look.apron = textured("Apron", "airfield.png", 0.0f, 0.9f);
  look.slab = textured("Slab", "slab.png", 0.0f, 0.9f);
  look.wall = textured("Wall", "wall.png", 0.0f, 0.85f);
  look.metal = textured("Metal", "metal.png", 0.6f, 0.5f);
  look.hazard = textured("Hazard", "hazard.png", 0.1f, 0.7f);
  look.plates = textured("Plates", "plates.png", 0.7f, 0.45f);
  look.lamp = glowing("Lamp", {1.0f, 0.9f, 0.7f, 1}, {2.2f, 1.8f, 1.2f});
  look.glass = glowing("Window", {0.2f, 0.3f, 0.35f, 1}, {0.45f, 0.75f, 0.8f});
  look.beacon = glowing("Beacon", {1.0f, 0.2f, 0.1f, 1}, {2.5f, 0.25f, 0.1f});
  look.glow = glowing("Conduit", {0.3f, 0.8f, 1.0f, 1}, {0.4f, 1.4f, 1.8f});
  look.dark = textured("DarkMetal", "metal.png", 0.7f, 0.4f);
  return look;
}

void Use(Mesh& m, int material, float uvScale, float4 color = {1, 1, 1, 1}, float bottomShade = 0) {
  m.material = material;
  m.uvScale = uvScale;
  m.color = color;
  m.bottomShade = bottomShade;
}

// Axis-aligned rectangles: a vertical one in the plane x = const or z = const, or a
// horizontal one; `sign` picks which way along the axis it fronts.
void RectX(Mesh& m, float x, float z0, float z1, float y0, float y1, float sign) {
  m.Quad({x, y0, z0}, {x, y0, z1}, {x, y1, z1}, {x, y1, z0}, {sign, 0, 0});
}
void RectZ(Mesh& m, float z, float x0, float x1, float y0, float y1, float sign) {
  m.Quad({x0, y0, z}, {x1, y0, z}, {x1, y1, z}, {x0, y1, z}, {0, 0, sign});
}
void RectY(Mesh& m, float y, float x0, float z0, float x1, float z1, float sign = 1) {
  m.Quad({x0, y, z0}, {x1, y, z0}, {x1, y, z1}, {x0, y, z1}, {0, sign, 0});
}
void Block(Mesh& m, float x0, float y0, float z0, float x1, float y1, float z1, unsigned faces) {
  m.Box({x0, y0, z0}, {x1, y1, z1}, Xf{}, faces);
}

// A floodlight on a wall: bracket and housing with a glowing underside.
void WallLamp(Mesh& m, const StageLook& look, float3 at, float3 outward) {
  Xf xf;
  xf.z = outward;
  xf.x = Cross({0, 1, 0}, outward);
  xf.origin = at;
  Use(m, look.dark, 4, {0.35f, 0.36f, 0.38f, 1});
  m.Box({-0.3f, -0.3f, 0}, {0.3f, 0.3f, 1.2f}, xf, kAllFaces & ~kNegZ);
  m.Box({-1.2f, -0.6f, 1.2f}, {1.2f, 0.5f, 2.6f}, xf, kAllFaces & ~kNegY);
  Use(m, look.lamp, 4);
  m.Box({-1.0f, -0.65f, 1.35f}, {1.0f, -0.6f, 2.45f}, xf, kNegY);
}

// A low concrete barrier, 4 high (too high to walk over, low enough to jump),
// running along local z from 0 to length.
void Barrier(Mesh& m, const StageLook& look, const Xf& xf, float length, float shade) {
  Use(m, look.wall, 8, {0.8f * shade, 0.79f * shade, 0.75f * shade, 1}, 0.3f);
  m.Prism({{-1.1f, 0}, {1.1f, 0}, {0.55f, 0.9f}, {0.35f, 4.0f}, {-0.35f, 4.0f}, {-0.55f, 0.9f}}, 0, length,
          xf, true, false);
  Use(m, look.hazard, 2);
  m.Box({-0.36f, 4.0f, 0.0f}, {0.36f, 4.05f, length}, xf, kPosY);
}

void Container(Mesh& m, const StageLook& look, float x0, float y0, float z0, float x1, float z1,
               float4 color) {
  Use(m, look.metal, 8.5f, color, 0.25f);
  Block(m, x0, y0, z0, x1, y0 + 8.5f, z1, kNoBottom);
}

void Crate(Mesh& m, const StageLook& look, float x, float z, float y, float size, float4 color) {
  Use(m, look.metal, size, color, 0.2f);
  Block(m, x - size / 2, y, z - size / 2, x + size / 2, y + size, z + size / 2, kNoBottom);
}

// A fuel tank lying along x on two saddles.
void FuelTank(Mesh& m, const StageLook& look, float x0, float x1, float z) {
  Use(m, look.metal, 8, {0.75f, 0.76f, 0.7f, 1});
  m.Cylinder(4, 4, 0, x1 - x0, 12, RotZ(-90).Then(Translate(x0, 4.3f, z)), true);
  Use(m, look.wall, 8, {0.55f, 0.55f, 0.52f, 1}, 0.2f);
  for (float x : {x0 + 3, x1 - 5}) Block(m, x, 0, z - 3.5f, x + 2, 2.0f, z + 3.5f, kNoBottom);
  Use(m, look.hazard, 4);
  m.Cylinder(4.05f, 4.05f, 0, 1.0f, 12, RotZ(-90).Then(Translate((x0 + x1) / 2, 4.3f, z)), true, false,
             false);
}

// A square column from the floor to the given height.
void Column(Mesh& m, const StageLook& look, float x, float z, float half, float height) {
  Use(m, look.wall, 12, {0.75f, 0.74f, 0.7f, 1}, 0.35f);
  Block(m, x - half, 0, z - half, x + half, height, z + half, kNoBottom);
  Use(m, look.hazard, 3);
  Block(m, x - half - 0.05f, 0, z - half - 0.05f, x + half + 0.05f, 2.0f, z + half + 0.05f,
        kNegX | kPosX | kNegZ | kPosZ);
}

void Floors(Mesh& m, const StageLook& look) {
  // Apron, extended under its walls; tile edges avoid every point the game probes.
  Use(m, look.apron, 384);
  const float ax[] = {-194, -60, 60, 187}, az[] = {-294, -150, 0};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 2; ++j) RectY(m, 0, ax[i], az[j], ax[i + 1], az[j + 1]);
  Use(m, look.slab, 16, {0.9f, 0.9f, 0.88f, 1});
  RectY(m, 0, -25, 0, 25, 6);  // door gap
  // Base floor around the sunken yard and its two ramp trenches.
  struct R {
    float x0, z0, x1, z1;
  };
  const R base[] = {
      {-90, 6, 40, 120},    {40, 6, 165, 120},    {-90, 120, 40, 235},  {40, 120, 165, 235},
      {-90, 235, -75, 255}, {-55, 235, 165, 255}, {-90, 255, -85, 267}, {-45, 255, 165, 267},
      {-90, 267, -85, 287}, {-25, 267, 165, 287}, {-90, 287, -85, 300}, {-45, 287, 165, 300},
      {-90, 300, 40, 471},  {40, 300, 165, 471},
  };
  for (const auto& r : base) RectY(m, 0, r.x0, r.z0, r.x1, r.z1);
  RectY(m, 0, -40, 471, 40, 479);  // boss gap
  // Sunken yard floor and ramps (slope 0.3, walkable).
  Use(m, look.slab, 16, {0.72f, 0.72f, 0.7f, 1});
  RectY(m, -6, -85, 255, -45, 300);
  m.Quad({-75, 0, 235}, {-55, 0, 235}, {-55, -6, 255}, {-75, -6, 255}, {0, 1, 0.3f});
  m.Quad({-25, 0, 267}, {-25, 0, 287}, {-45, -6, 287}, {-45, -6, 267}, {-0.3f, 1, 0});
  // Arena.
  Use(m, look.plates, 12);
  RectY(m, 0, -104, 479, 104, 590);
  RectY(m, 0, -104, 590, 104, 704);
}

void YardWalls(Mesh& m, const StageLook& look) {
  // Each wall of the yard: concrete below, a hazard band along the rim.
  auto wallX = [&](float x, float z0, float z1, float sign) {
    Use(m, look.wall, 12, {0.7f, 0.69f, 0.66f, 1}, 0.35f);
    RectX(m, x, z0, z1, -6, -1, sign);
    Use(m, look.hazard, 2);
    RectX(m, x, z0, z1, -1, 0, sign);
  };
  auto wallZ = [&](float z, float x0, float x1, float sign) {
    Use(m, look.wall, 12, {0.7f, 0.69f, 0.66f, 1}, 0.35f);
    RectZ(m, z, x0, x1, -6, -1, sign);
    Use(m, look.hazard, 2);
    RectZ(m, z, x0, x1, -1, 0, sign);
  };
  wallX(-85, 255, 300, 1);
  wallX(-45, 255, 267, -1);
  wallX(-45, 287, 300, -1);
  wallZ(255, -85, -75, 1);
  wallZ(255, -55, -45, 1);
  wallZ(300, -85, -45, -1);
  // Trench sides: triangles between the floor level and the ramp surface.
  Use(m, look.wall, 12, {0.7f, 0.69f, 0.66f, 1}, 0.35f);
  m.Polygon({{-75, 0, 235}, {-75, 0, 255}, {-75, -6, 255}}, {1, 0, 0});
  m.Polygon({{-55, 0, 235}, {-55, 0, 255}, {-55, -6, 255}}, {-1, 0, 0});
  m.Polygon({{-25, 0, 267}, {-45, 0, 267}, {-45, -6, 267}}, {0, 0, 1});
  m.Polygon({{-25, 0, 287}, {-45, 0, 287}, {-45, -6, 287}}, {0, 0, -1});
}

void Walls(Mesh& m, const StageLook& look) {
  const float4 concrete{0.86f, 0.84f, 0.8f, 1};
  Use(m, look.wall, 24, concrete, 0.35f);
  // Apron: west, east, south, and the north wall either side of the gatehouse.
  Block(m, -194, 0, -294, -190, 24, 0, kPosX | kPosY);
  Block(m, 183, 0, -294, 187, 24, 0, kNegX | kPosY);
  Block(m, -194, 0, -294, 187, 24, -290, kPosZ | kPosY);
  Block(m, -194, 0, 0, -90, 24, 6, kNegZ | kPosY);
  Block(m, -90, 0, 0, -35, 24, 6, kNegZ | kPosZ | kPosY);
  Block(m, 35, 0, 0, 165, 24, 6, kNegZ | kPosZ | kPosY);
  Block(m, 165, 0, 0, 187, 24, 6, kNegZ | kPosY);
  // Gatehouse: two towers and the lintel the door rises into.
  Use(m, look.wall, 24, {0.78f, 0.76f, 0.72f, 1}, 0.4f);
  Block(m, -35, 0, 0, -25, 85, 6, kAllFaces & ~kNegY);
  Block(m, 25, 0, 0, 35, 85, 6, kAllFaces & ~kNegY);
  Block(m, -25, 40, 0, 25, 85, 6, kNegZ | kPosZ | kPosY | kNegY);
  Use(m, look.dark, 6, {0.4f, 0.4f, 0.42f, 1});
  Block(m, -37, 85, -2, 37, 87, 8, kAllFaces);  // cornice
  Use(m, look.hazard, 3);
  RectX(m, -25.05f, 0, 6, 0, 40, 1);  // jamb edges in stripes
  RectX(m, 25.05f, 0, 6, 0, 40, -1);
  // Base: west and east walls; north side east of the boss wall.
  Use(m, look.wall, 24, concrete, 0.35f);
  Block(m, -94, 0, 6, -90, 24, 471, kPosX | kPosY);
  Block(m, 165, 0, 6, 169, 24, 471, kNegX | kPosY);
  Block(m, 100, 0, 471, 169, 24, 475, kNegZ | kPosY);
  // Boss wall with the pockets the leaves slide into, and its lintel.
  Use(m, look.wall, 24, {0.7f, 0.66f, 0.66f, 1}, 0.4f);
  Block(m, -100, 0, 471, -40, 55, 479, kAllFaces & ~kNegY);
  Block(m, 40, 0, 471, 100, 55, 479, kAllFaces & ~kNegY);
  Block(m, -40, 40, 471, 40, 55, 479, kNegZ | kPosZ | kPosY | kNegY);
  Use(m, look.hazard, 3);
  RectX(m, -39.95f, 471, 479, 0, 40, 1);
  RectX(m, 39.95f, 471, 479, 0, 40, -1);
  // Arena.
  Use(m, look.wall, 24, {0.66f, 0.66f, 0.72f, 1}, 0.4f);
  Block(m, -104, 0, 479, -100, 30, 704, kPosX | kPosY);
  Block(m, 100, 0, 479, 104, 30, 704, kNegX | kPosY);
  Block(m, -104, 0, 700, 104, 30, 704, kNegZ | kPosY);
}

void Buildings(Mesh& m, const StageLook& look) {
  // West hangar against the base's west wall, doors facing east.
  Use(m, look.metal, 12, {0.62f, 0.66f, 0.62f, 1}, 0.3f);
  Block(m, -90, 0, 30, -50, 20, 100, kPosX | kNegZ | kPosZ);
  Use(m, look.dark, 12, {0.5f, 0.5f, 0.52f, 1});
  m.Prism({{-92, 19.5f}, {-48, 19.5f}, {-70, 30}}, 29, 101);
  Use(m, look.dark, 10, {0.38f, 0.4f, 0.4f, 1}, 0.2f);
  RectX(m, -49.95f, 42, 88, 0, 16, 1);
  Use(m, look.hazard, 2);
  RectX(m, -49.9f, 42, 88, 0, 1.2f, 1);
  WallLamp(m, look, {-50, 17.5f, 65}, {1, 0, 0});
  // East hangar against the east wall, doors facing west.
  Use(m, look.metal, 12, {0.6f, 0.62f, 0.68f, 1}, 0.3f);
  Block(m, 120, 0, 30, 165, 22, 110, kNegX | kNegZ | kPosZ);
  Use(m, look.dark, 12, {0.5f, 0.5f, 0.52f, 1});
  m.Prism({{118, 21.5f}, {167, 21.5f}, {142.5f, 33}}, 29, 111);
  Use(m, look.dark, 10, {0.38f, 0.4f, 0.4f, 1}, 0.2f);
  RectX(m, 119.95f, 45, 95, 0, 18, -1);
  Use(m, look.hazard, 2);
  RectX(m, 119.9f, 45, 95, 0, 1.2f, -1);
  WallLamp(m, look, {120, 19.5f, 70}, {-1, 0, 0});
  // Control tower with a glazed cab and a beacon.
  Use(m, look.wall, 12, {0.8f, 0.78f, 0.72f, 1}, 0.35f);
  Block(m, 40, 0, 250, 58, 30, 268, kNoBottom);
  Use(m, look.dark, 8, {0.45f, 0.46f, 0.5f, 1});
  Block(m, 37, 30, 247, 61, 40, 271, kAllFaces);
  Block(m, 36, 40, 246, 62, 41.5f, 272, kAllFaces);
  Block(m, 48.7f, 41.5f, 258.7f, 49.3f, 52, 259.3f, kAllFaces & ~kNegY);
  Use(m, look.glass, 8);
  RectZ(m, 246.95f, 38, 60, 32, 38.5f, -1);
  RectZ(m, 271.05f, 38, 60, 32, 38.5f, 1);
  RectX(m, 36.95f, 248, 270, 32, 38.5f, -1);
  RectX(m, 61.05f, 248, 270, 32, 38.5f, 1);
  RectZ(m, 249.95f, 46, 52, 0, 6, -1);  // lit doorway
  Use(m, look.beacon, 2);
  Block(m, 48.4f, 52, 258.4f, 49.6f, 53.2f, 259.6f, kAllFaces);
  // Barracks with lit windows.
  Use(m, look.wall, 12, {0.74f, 0.72f, 0.66f, 1}, 0.3f);
  Block(m, 60, 0, 320, 100, 10, 345, kNoBottom);
  Use(m, look.dark, 8, {0.4f, 0.4f, 0.42f, 1});
  Block(m, 58, 10, 318, 102, 11, 347, kAllFaces);
  Use(m, look.glass, 4);
  for (float x = 64; x < 98; x += 8) {
    RectZ(m, 319.95f, x, x + 4, 4, 7.5f, -1);
    RectZ(m, 345.05f, x, x + 4, 4, 7.5f, 1);
  }
  // Loading canopy on four columns by the yard.
  for (float x : {-10.0f, 22.0f})
    for (float z : {248.0f, 302.0f}) Column(m, look, x, z, 1.5f, 18);
  Use(m, look.dark, 12, {0.46f, 0.47f, 0.5f, 1});
  Block(m, -14, 18, 244, 26, 19.5f, 306, kAllFaces);
  Use(m, look.lamp, 4);
  RectY(m, 17.95f, 2, 270, 10, 280, -1);
  // Raised platform by the boss wall, with steps up from the south.
  Use(m, look.slab, 8, {0.8f, 0.8f, 0.78f, 1});
  Block(m, 28, 0, 452, 50, 5, 471, kPosY | kNegX | kPosX);
  RectZ(m, 471, 28, 40, 0, 5, 1);  // the part that looks into the boss doors' gap
  Block(m, 28, 0, 449, 50, 3.4f, 452, kPosY | kNegX | kPosX | kNegZ);
  Block(m, 28, 0, 446, 50, 1.7f, 449, kPosY | kNegX | kPosX | kNegZ);
  Use(m, look.hazard, 2);
  RectZ(m, 452, 28, 50, 3.4f, 5, -1);
}

void Cover(Mesh& m, const StageLook& look) {
  // Apron: barrier lines facing the first wave, crates, fuel tanks, a hut.
  for (float x : {10.0f, 40.0f, 70.0f}) Barrier(m, look, RotY(90).Then(Translate(x, 0, -80)), 12, 1.0f);
  Barrier(m, look, RotY(90).Then(Translate(-22, 0, -200)), 12, 0.95f);
  Barrier(m, look, RotY(90).Then(Translate(12, 0, -196)), 12, 0.95f);
  Barrier(m, look, Translate(-150, 0, -120), 14, 0.9f);
  const float4 olive{0.55f, 0.58f, 0.42f, 1}, rust{0.62f, 0.42f, 0.32f, 1}, navy{0.35f, 0.42f, 0.55f, 1};
  Crate(m, look, 120, -232, 0, 6, olive);
  Crate(m, look, 126.5f, -232, 0, 6, olive);
  Crate(m, look, 123, -232, 6, 6, olive);
  Crate(m, look, 123, -225, 0, 5, rust);
  Crate(m, look, 100, -140, 0, 6, olive);
  Crate(m, look, -160, -40, 0, 6, olive);
  Crate(m, look, -153.5f, -40, 0, 6, rust);
  FuelTank(m, look, 118, 142, -50);
  FuelTank(m, look, 118, 142, -68);
  Use(m, look.wall, 12, {0.78f, 0.76f, 0.7f, 1}, 0.3f);
  Block(m, 140, 0, -270, 170, 12, -248, kNoBottom);
  Use(m, look.dark, 8, {0.42f, 0.42f, 0.44f, 1});
  Block(m, 138, 12, -272, 172, 13, -246, kAllFaces);
  Use(m, look.glass, 4);
  RectX(m, 139.95f, -266, -252, 5, 9, -1);
  RectZ(m, -247.95f, 144, 166, 5, 9, 1);
  // Base: containers, barriers and crates; none closer than 8 to a spawn point.
  Container(m, look, 30, 0, 60, 54, 68, rust);
  Container(m, look, 32, 8.5f, 60, 56, 68, navy);
  Container(m, look, -10, 0, 180, -2, 204, olive);
  Container(m, look, 60, 0, 150, 84, 158, navy);
  Container(m, look, 100, 0, 300, 124, 308, rust);
  Container(m, look, 100, 0, 308, 124, 316, olive);
  Container(m, look, 102, 8.5f, 304, 126, 312, navy);
  Container(m, look, -60, 0, 380, -36, 388, olive);
  Container(m, look, 110, 0, 400, 118, 424, rust);
  for (float x : {-22.0f, 10.0f}) Barrier(m, look, RotY(90).Then(Translate(x, 0, 40)), 12, 1.0f);
  Barrier(m, look, RotY(90).Then(Translate(30, 0, 215)), 12, 1.0f);
  Barrier(m, look, Translate(-52, 0, 190), 14, 1.0f);
  Barrier(m, look, RotY(90).Then(Translate(-20, 0, 420)), 12, 1.0f);
  Crate(m, look, 0, 100, 0, 5, olive);
  Crate(m, look, 6, 100, 0, 5, rust);
  Crate(m, look, 60, 430, 0, 6, olive);
  Crate(m, look, 60, 430, 6, 5, olive);
  // Arena: four pylons with glowing conduit rings.
  for (float x : {-55.0f, 55.0f})
    for (float z : {530.0f, 650.0f}) {
      Use(m, look.dark, 10, {0.5f, 0.5f, 0.56f, 1}, 0.3f);
      m.Cylinder(4, 3.2f, 0, 30, 8, Translate(x, 0, z), false, false, true);
      Use(m, look.glow, 4);
      m.Cylinder(4.35f, 4.2f, 12, 13, 8, Translate(x, 0, z), false, true, true);
      m.Cylinder(3.9f, 3.8f, 24, 25, 8, Translate(x, 0, z), false, true, true);
    }
}

void Lights(Mesh& m, const StageLook& look) {
  // Floodlights along the walls, about 16 up.
  for (float x : {-150.0f, -90.0f, 60.0f, 130.0f}) WallLamp(m, look, {x, 16, -290}, {0, 0, 1});
  for (float z : {-230.0f, -120.0f, -40.0f}) {
    WallLamp(m, look, {-190, 16, z}, {1, 0, 0});
    WallLamp(m, look, {183, 16, z}, {-1, 0, 0});
  }
  for (float x : {-60.0f, 60.0f, 120.0f}) WallLamp(m, look, {x, 18, 0}, {0, 0, -1});
  for (float z : {160.0f, 230.0f, 340.0f, 420.0f}) {
    WallLamp(m, look, {-90, 16, z}, {1, 0, 0});
    WallLamp(m, look, {165, 16, z}, {-1, 0, 0});
  }
  for (float x : {-70.0f, 70.0f}) {
    WallLamp(m, look, {x, 46, 471}, {0, 0, -1});
    WallLamp(m, look, {x, 46, 479}, {0, 0, 1});
  }
  WallLamp(m, look, {0, 48, 0}, {0, 0, -1});
  WallLamp(m, look, {0, 48, 6}, {0, 0, 1});
  // Beacons on the gatehouse and the boss wall; conduits along the arena walls.
  Use(m, look.beacon, 2);
  for (float x : {-32.0f, 32.0f}) Block(m, x - 0.8f, 87, 2.2f, x + 0.8f, 88.6f, 3.8f, kAllFaces & ~kNegY);
  for (float x : {-90.0f, -45.0f, 45.0f, 90.0f})
    Block(m, x - 0.8f, 55, 474.2f, x + 0.8f, 56.6f, 475.8f, kAllFaces & ~kNegY);
  Use(m, look.glow, 4);
  RectX(m, -99.95f, 479, 700, 20, 21, 1);
  RectX(m, 99.95f, 479, 700, 20, 21, -1);
  RectZ(m, 699.95f, -100, 100, 20, 21, -1);
  RectZ(m, 479.05f, -100, -40, 20, 21, 1);
  RectZ(m, 479.05f, 40, 100, 20, 21, 1);
}

Model Stage() {
  Model model;
  StageLook look = AddStageMaterials(model);
  Floors(model.AddMesh("Floors"), look);
  Mesh& walls = model.AddMesh("Walls");
  Walls(walls, look);
  YardWalls(walls, look);
  Buildings(model.AddMesh("Buildings"), look);
  Cover(model.AddMesh("Cover"), look);
  Lights(model.AddMesh("Lights"), look);
  return model;
}

// The parked transport in its own units: the game scales it by 5 and moves it to
// (-80, 0, -210), so x -9..9 and z -9.8..9 cover x -125..-35, z -259..-165.
// High wing, four engines, raised tail; the nose points north (+z).
Model Airplane() {
  Model model;
  Material camo;
  camo.name = "Hull";
  camo.baseTexture = "camo.png";
  camo.metallic = 0.3f;
  camo.roughness = 0.6f;
  int hull = model.AddMaterial(camo);
  Material dark = camo;
  dark.name = "Engine";
  dark.baseTexture = "metal.png";
  dark.baseColor = {0.35f, 0.36f, 0.38f, 1};
  int engine = model.AddMaterial(dark);
  Material glass;
  glass.name = "Canopy";
  glass.baseColor = {0.15f, 0.2f, 0.25f, 1};
  glass.emissive = {0.1f, 0.25f, 0.3f};
  glass.metallic = 0.8f;
  glass.roughness = 0.1f;
  int canopy = model.AddMaterial(glass);
  Material red;
  red.name = "LightRed";
  red.baseColor = {1, 0.2f, 0.1f, 1};
  red.emissive = {2.5f, 0.2f, 0.1f};
  int lightRed = model.AddMaterial(red);
  Material green = red;
  green.name = "LightGreen";
  green.baseColor = {0.2f, 1, 0.3f, 1};
  green.emissive = {0.2f, 2.2f, 0.4f};
  int lightGreen = model.AddMaterial(green);

  Mesh& m = model.AddMesh("Transport");
  const Xf alongZ = RotX(90);  // a cylinder's local y becomes +z
  Use(m, hull, 3, {0.85f, 0.88f, 0.85f, 1});
  m.Cylinder(1.4f, 1.4f, -5.5f, 6.0f, 12, alongZ.Then(Translate(0, 2.2f, 0)), true, false, false);
  m.Cylinder(1.4f, 0.5f, 6.0f, 8.4f, 12, alongZ.Then(Translate(0, 2.2f, 0)), true, false, false);
  m.Sphere(0.5f, 12, 4, Scale(1, 1, 1.2f).Then(Translate(0, 2.2f, 8.4f)));
  // The tail rises toward the loading ramp.
  m.Cylinder(1.4f, 0.45f, 0, 4.3f, 12, alongZ.Then(Scale(1, 1, -1)).Then(Translate(0, 2.2f, -5.5f)), true,
             false, false);
  m.Box({-0.45f, 2.5f, -10.0f}, {0.45f, 3.2f, -9.6f});
  Use(m, hull, 3, {0.78f, 0.8f, 0.76f, 1});
  // Wheel sponsons and the nose gear.
  m.Box({-1.75f, 0.5f, -1.5f}, {1.75f, 1.7f, 2.5f}, Xf{}, kAllFaces);
  Use(m, engine, 1, {0.25f, 0.25f, 0.26f, 1});
  for (float x : {-1.5f, 1.5f})
    for (float z : {-0.8f, 1.8f})
      m.Cylinder(0.5f, 0.5f, -0.3f, 0.3f, 10, RotZ(-90).Then(Translate(x, 0.5f, z)));
  m.Box({-0.1f, 0.4f, 6.3f}, {0.1f, 1.2f, 6.5f});
  m.Cylinder(0.4f, 0.4f, -0.25f, 0.25f, 10, RotZ(-90).Then(Translate(0, 0.4f, 6.4f)));
  // Cockpit glazing on the nose's upper slope, its lower edge sunk into the skin.
  const Xf side{{0, 0, 1}, {0, 1, 0}, {1, 0, 0}, {0, 0, 0}};  // profile in z-y, thickness along x
  Use(m, canopy, 1);
  m.Prism({{5.0f, 3.35f}, {7.3f, 2.75f}, {6.5f, 3.75f}, {5.4f, 3.85f}}, -0.7f, 0.7f, side);
  // High wing with a little taper, and the fin and tailplane.
  const Xf flat{{1, 0, 0}, {0, 0, 1}, {0, 1, 0}, {0, 0, 0}};  // profile in x-z, thickness along y
  Use(m, hull, 3, {0.82f, 0.85f, 0.8f, 1});
  m.Prism({{-9, -1.0f}, {9, -1.0f}, {9, 0.9f}, {1.4f, 1.6f}, {-1.4f, 1.6f}, {-9, 0.9f}}, 3.4f, 3.75f, flat);
  m.Prism({{-3.6f, -9.9f}, {3.6f, -9.9f}, {3.6f, -8.9f}, {0.5f, -8.2f}, {-0.5f, -8.2f}, {-3.6f, -8.9f}},
          3.15f, 3.35f, flat);
  m.Prism({{-10.0f, 3.0f}, {-6.8f, 3.0f}, {-8.6f, 5.7f}, {-9.9f, 5.7f}}, -0.15f, 0.15f, side);
  // Engines under the wing, each with a spinner and four propeller blades at rest.
  for (float x : {-6.4f, -3.4f, 3.4f, 6.4f}) {
    Use(m, hull, 2, {0.7f, 0.72f, 0.7f, 1});
    m.Cylinder(0.5f, 0.42f, -1.0f, 2.2f, 10, alongZ.Then(Translate(x, 3.15f, 0)), true, true, false);
    Use(m, engine, 1, {0.3f, 0.3f, 0.32f, 1});
    m.Cylinder(0.42f, 0.15f, 2.2f, 2.7f, 10, alongZ.Then(Translate(x, 3.15f, 0)), true, false, false);
    Use(m, engine, 1, {0.55f, 0.56f, 0.58f, 1});
    for (float angle : {30.0f, 120.0f, 210.0f, 300.0f})
      m.Box({-0.1f, 0.2f, -0.03f}, {0.1f, 1.25f, 0.03f}, RotZ(angle).Then(Translate(x, 3.15f, 2.4f)));
  }
  Use(m, lightRed, 1);
  m.Box({-9.1f, 3.4f, -0.1f}, {-8.95f, 3.75f, 0.2f});
  m.Box({-0.12f, 5.7f, -9.4f}, {0.12f, 5.9f, -9.1f});
  Use(m, lightGreen, 1);
  m.Box({8.95f, 3.4f, -0.1f}, {9.1f, 3.75f, 0.2f});
  return model;
}

// Boxes that follow the transport's fuselage (down to the ground, so nothing walks
// under its belly), wing, engines, fin and tailplane, in the same units.
Model AirplaneCollision() {
  Model model;
  Material m;
  m.name = "Collision";
  model.AddMaterial(m);
  Mesh& mesh = model.AddMesh("TransportCollision");
  mesh.Box({-1.75f, 0, -9.9f}, {1.75f, 3.6f, 9.0f}, Xf{}, kNoBottom);
  mesh.Box({-9, 3.4f, -1.0f}, {9, 3.75f, 1.6f});
  mesh.Box({-7.0f, 2.6f, -1.0f}, {-2.8f, 3.4f, 2.7f});
  mesh.Box({2.8f, 2.6f, -1.0f}, {7.0f, 3.4f, 2.7f});
  mesh.Box({-0.15f, 3.0f, -10.0f}, {0.15f, 5.7f, -6.8f});
  mesh.Box({-3.6f, 3.15f, -9.9f}, {3.6f, 3.35f, -8.2f});
  return model;
}

Material DoorMaterial(const char* name, float4 tint) {
  Material m;
  m.name = name;
  m.baseTexture = "door.png";
  m.baseColor = tint;
  m.metallic = 0.6f;
  m.roughness = 0.45f;
  return m;
}

// The blast door in world space: x -25..25, y 0..40, z 1..5, in the gatehouse gap.
Model Door() {
  Model model;
  int face = model.AddMaterial(DoorMaterial("DoorFace", {1, 1, 1, 1}));
  Material edge = DoorMaterial("DoorEdge", {0.7f, 0.7f, 0.72f, 1});
  edge.baseTexture = "metal.png";
  int rim = model.AddMaterial(edge);
  Material amber;
  amber.name = "WarningLamp";
  amber.baseColor = {1, 0.6f, 0.1f, 1};
  amber.emissive = {2.4f, 1.2f, 0.1f};
  int lamp = model.AddMaterial(amber);
  Mesh& m = model.AddMesh("Door");
  Use(m, face, 1);
  m.uvMode = UvMode::Unit;
  m.Quad({-25, 0, 1}, {25, 0, 1}, {25, 40, 1}, {-25, 40, 1}, {0, 0, -1});
  m.Quad({25, 0, 5}, {-25, 0, 5}, {-25, 40, 5}, {25, 40, 5}, {0, 0, 1});
  m.uvMode = UvMode::Planar;
  Use(m, rim, 4);
  RectY(m, 40, -25, 1, 25, 5);
  // Reinforcing ribs across both faces.
  for (float y : {13.0f, 27.0f}) {
    m.Box({-24, y - 0.8f, 0.4f}, {24, y + 0.8f, 1}, Xf{}, kAllFaces & ~kPosZ);
    m.Box({-24, y - 0.8f, 5}, {24, y + 0.8f, 5.6f}, Xf{}, kAllFaces & ~kNegZ);
  }
  Use(m, lamp, 1);
  for (float x : {-20.0f, 20.0f}) m.Box({x - 1, 36, 0.5f}, {x + 1, 38, 1}, Xf{}, kAllFaces & ~kPosZ);
  return model;
}

// One leaf of the boss doors in world space: y 0..40, z 473..477, x from x0 to x1;
// the meeting edge is at x = 0.
Model BossLeaf(float x0, float x1, const char* name) {
  Model model;
  int face = model.AddMaterial(DoorMaterial("BossDoorFace", {0.85f, 0.55f, 0.52f, 1}));
  Material edge = DoorMaterial("BossDoorEdge", {0.5f, 0.42f, 0.42f, 1});
  edge.baseTexture = "metal.png";
  int rim = model.AddMaterial(edge);
  Material stripes;
  stripes.name = "Stripes";
  stripes.baseTexture = "hazard.png";
  int hazard = model.AddMaterial(stripes);
  Material glow;
  glow.name = "Seal";
  glow.baseColor = {1, 0.25f, 0.2f, 1};
  glow.emissive = {2.4f, 0.3f, 0.2f};
  int seal = model.AddMaterial(glow);
  Mesh& m = model.AddMesh(name);
  float lo = std::fmin(x0, x1), hi = std::fmax(x0, x1);
  // `into` points from the meeting edge into the leaf.
  float inner = std::fabs(x0) < std::fabs(x1) ? x0 : x1, into = (lo + hi) / 2 < inner ? -1.0f : 1.0f;
  Use(m, face, 1);
  m.uvMode = UvMode::Unit;
  m.Quad({lo, 0, 473}, {hi, 0, 473}, {hi, 40, 473}, {lo, 40, 473}, {0, 0, -1});
  m.Quad({hi, 0, 477}, {lo, 0, 477}, {lo, 40, 477}, {hi, 40, 477}, {0, 0, 1});
  m.uvMode = UvMode::Planar;
  Use(m, rim, 4);
  RectY(m, 40, lo, 473, hi, 477);
  RectX(m, inner, 473, 477, 0, 40, -into);
  // Hazard bands beside the meeting edge and a glowing seal line.
  Use(m, hazard, 4);
  float a = inner + into * 0.5f, b = inner + into * 4.5f;
  RectZ(m, 472.95f, std::fmin(a, b), std::fmax(a, b), 0, 40, -1);
  RectZ(m, 477.05f, std::fmin(a, b), std::fmax(a, b), 0, 40, 1);
  Use(m, seal, 1);
  float c = inner + into * 0.05f, d = inner + into * 0.45f;
  RectZ(m, 472.95f, std::fmin(c, d), std::fmax(c, d), 2, 38, -1);
  RectZ(m, 477.05f, std::fmin(c, d), std::fmax(c, d), 2, 38, 1);
  return model;
}

// The title's ground, placed by the title scene at (0, 0, -255): its surface at
// y -3.5 meets the feet of the title's player; it runs from behind the camera far
// out under the enemies, with runway edge lights leading away.
Model Ground() {
  Model model;
  Material apron;
  apron.name = "Apron";
  apron.baseTexture = "airfield.png";
  apron.roughness = 0.9f;
  int floor = model.AddMaterial(apron);
  Material lamp;
  lamp.name = "RunwayLight";
  lamp.baseColor = {1, 0.85f, 0.6f, 1};
  lamp.emissive = {2.5f, 1.9f, 1.0f};
  int light = model.AddMaterial(lamp);
  Mesh& m = model.AddMesh("Ground");
  const float y = -3.5f;
  Use(m, floor, 384);
  for (int i = 0; i < 12; ++i)
    for (int j = 0; j < 10; ++j) {
      float x0 = -1500 + 250.0f * i, z0 = 155 + 130.0f * j;
      // Patches of lighter and darker tarmac break up the distance.
      float k = 0.85f + 0.15f * std::sin(i * 2.3f + j * 1.7f);
      m.color = {k, k, k * 0.98f, 1};
      RectY(m, y, x0, z0, x0 + 250, z0 + 130);
    }
  Use(m, light, 1);
  for (float z = 275; z < 1300; z += 40)
    for (float x : {-30.0f, 30.0f})
      m.Box({x - 0.4f, y, z - 0.4f}, {x + 0.4f, y + 0.5f, z + 0.4f}, Xf{}, kNoBottom);
  return model;
}

// A hemisphere of radius 1500 seen from inside, open at its rim; the game draws it
// unlit at (0, -100, 300) and once more mirrored below the horizon.
Model Sky() {
  Model model;
  Material sky;
  sky.name = "Dusk";
  sky.baseTexture = "sky.png";
  sky.roughness = 1.0f;
  model.AddMaterial(sky);
  Mesh& m = model.AddMesh("Sky");
  m.SphereBand(1500, 0, 90, 32, 12, Xf{}, true);
  return model;
}

bool Write(const Model& model, const std::string& path) {
  return WriteGltf(model, path);
}

}  // namespace

bool WriteStageModels(const std::string& root) {
  const std::string ground = root + "/Ground", sky = root + "/Sky";
  bool ok = true;
  for (const char* texture : {"airfield", "slab", "wall", "metal", "hazard", "door", "plates", "camo"})
    ok = WriteSurfaceTexture(ground, texture) && ok;
  ok = WriteSurfaceTexture(sky, "sky") && ok;
  ok = Write(Stage(), ground + "/Stage.gltf") && ok;
  ok = Write(Airplane(), ground + "/airplane.gltf") && ok;
  ok = Write(AirplaneCollision(), ground + "/collisionAirplane.gltf") && ok;
  ok = Write(Door(), ground + "/Door.gltf") && ok;
  ok = Write(BossLeaf(-40, 0, "LeftBossDoor"), ground + "/LeftBossDoor.gltf") && ok;
  ok = Write(BossLeaf(40, 0, "RightBossDoor"), ground + "/RightBossDoor.gltf") && ok;
  ok = Write(Ground(), ground + "/Ground.gltf") && ok;
  ok = Write(Sky(), sky + "/Sky.gltf") && ok;
  return ok;
}

}  // namespace models
