// The figures: the player's body, arm, leg and gun; the three enemy machines and
// the boss shield; the three pickups; the push-attack shock wave. Every model is
// built around its own origin, facing +z.

#include <cmath>
#include <string>

#include "models/GltfWriter.h"
#include "models/ModelFamily.h"
#include "models/SurfaceTextures.h"

namespace models {
namespace {

Material Surface(const char* name, const char* texture, float4 base, float metallic, float roughness) {
  Material m;
  m.name = name;
  m.baseTexture = texture;
  m.baseColor = base;
  m.metallic = metallic;
  m.roughness = roughness;
  return m;
}

Material Glow(const char* name, float4 base, float3 emissive) {
  Material m;
  m.name = name;
  m.baseColor = base;
  m.emissive = emissive;
  m.roughness = 0.3f;
  return m;
}

void Use(Mesh& m, int material, float4 color = {1, 1, 1, 1}, float uvScale = 1.0f) {
  m.material = material;
  m.color = color;
  m.uvScale = uvScale;
}

// A box of the given half width (x) and half height (y) running from a to b.
void Segment(Mesh& m, const float3& a, const float3& b, float halfWidth, float halfHeight,
             unsigned faces = kAllFaces) {
  float3 z = b - a;
  float length = Length(z);
  z = z / length;
  float3 x = Normalize(Cross({0, 1, 0}, z));
  if (LengthSquared(x) == 0) x = {1, 0, 0};
  Xf xf{x, Cross(z, x), z, a};
  m.Box({-halfWidth, -halfHeight, 0}, {halfWidth, halfHeight, length}, xf, faces);
}

const Xf kAlongZ = RotX(90);  // a cylinder's local y becomes +z

// ---------------------------------------------------------------- player

struct Suit {
  int plate, accent, joint, visor;
};

Suit AddSuit(Model& model) {
  Suit s;
  s.plate = model.AddMaterial(Surface("Armor", "armor.png", {0.34f, 0.37f, 0.4f, 1}, 0.5f, 0.5f));
  s.accent = model.AddMaterial(Surface("Accent", "armor.png", {0.95f, 0.48f, 0.12f, 1}, 0.3f, 0.55f));
  s.joint = model.AddMaterial(Surface("Undersuit", "armor.png", {0.16f, 0.17f, 0.19f, 1}, 0.2f, 0.8f));
  s.visor = model.AddMaterial(Glow("Visor", {0.2f, 0.8f, 1.0f, 1}, {0.35f, 1.5f, 2.0f}));
  return s;
}

// The body from the hips (0.7 below the centre) to the helmet top (about 2.7 above);
// the legs hang from 0.4 below the centre, the arms from the shoulders.
Model Player() {
  Model model;
  Suit s = AddSuit(model);
  Mesh& m = model.AddMesh("Body");
  Use(m, s.joint);
  m.Box({-0.6f, -0.75f, -0.35f}, {0.6f, -0.2f, 0.35f});
  m.Box({-0.48f, -0.25f, -0.3f}, {0.48f, 0.45f, 0.3f});
  m.Cylinder(0.22f, 0.2f, 1.45f, 1.8f, 8, Xf{}, true, false, false);
  Use(m, s.plate);
  m.Prism({{-0.82f, 0.4f}, {0.82f, 0.4f}, {0.95f, 1.3f}, {0.7f, 1.55f}, {-0.7f, 1.55f}, {-0.95f, 1.3f}},
          -0.45f, 0.45f);
  m.Box({-0.55f, -0.7f, 0.34f}, {0.55f, -0.3f, 0.42f}, Xf{}, kAllFaces & ~kNegZ);
  Use(m, s.accent);
  m.Box({-0.62f, 0.62f, 0.44f}, {0.62f, 1.32f, 0.58f}, Xf{}, kAllFaces & ~kNegZ);
  for (float side : {-1.0f, 1.0f}) {
    m.Box({-0.24f, -0.14f, -0.4f}, {0.24f, 0.2f, 0.4f},
          RotZ(side * -18).Then(Translate(side * 1.02f, 1.42f, 0)));
  }
  // Backpack: what the camera sees most of the time.
  Use(m, s.plate, {0.8f, 0.82f, 0.85f, 1});
  m.Box({-0.58f, 0.3f, -0.95f}, {0.58f, 1.42f, -0.45f}, Xf{}, kAllFaces & ~kPosZ);
  Use(m, s.joint);
  for (float x : {-0.32f, 0.32f})
    m.Cylinder(0.16f, 0.2f, 0.0f, 0.25f, 8, Translate(x, 0.05f, -0.7f), true, true, false);
  Use(m, s.visor);
  m.Box({-0.42f, 0.55f, -0.97f}, {0.42f, 0.65f, -0.95f}, Xf{}, kNegZ);
  m.Box({-0.42f, 1.1f, -0.97f}, {-0.1f, 1.2f, -0.95f}, Xf{}, kNegZ);
  // Helmet with its visor toward +z and an antenna on the left.
  Use(m, s.plate);
  m.Sphere(0.5f, 10, 6, Scale(1.0f, 1.05f, 1.12f).Then(Translate(0, 2.15f, 0)));
  Use(m, s.accent);
  m.Box({-0.06f, 2.45f, -0.5f}, {0.06f, 2.72f, 0.35f}, Xf{}, kAllFaces & ~kNegY);
  Use(m, s.joint);
  m.Box({-0.6f, 2.0f, -0.15f}, {-0.45f, 2.35f, 0.15f});
  m.Box({-0.56f, 2.3f, -0.06f}, {-0.5f, 3.0f, 0.0f}, Xf{}, kAllFaces & ~kNegY);
  Use(m, s.visor);
  m.Box({-0.4f, -0.13f, 0.0f}, {0.4f, 0.13f, 0.16f}, RotX(-8).Then(Translate(0, 2.18f, 0.42f)));
  return model;
}

// An arm from the shoulder (the origin) to the fist, which sits about 1.7 ahead
// and 0.9 below it, where the fixed offsets put the gun's grip.
Model Hand() {
  Model model;
  Suit s = AddSuit(model);
  Mesh& m = model.AddMesh("Arm");
  const float3 shoulder{0, 0, 0}, elbow{0.02f, -0.55f, 0.75f}, wrist{-0.12f, -0.82f, 1.38f};
  Use(m, s.joint);
  m.Sphere(0.26f, 8, 5, Translate(shoulder));
  Segment(m, shoulder, elbow, 0.19f, 0.19f);
  Use(m, s.plate);
  m.Sphere(0.2f, 8, 4, Translate(elbow));
  Use(m, s.accent);
  Segment(m, elbow + float3{0, 0, 0.05f}, wrist, 0.2f, 0.21f);
  Use(m, s.joint);
  m.Box({-0.22f, -0.24f, -0.2f}, {0.22f, 0.22f, 0.24f}, Translate(-0.15f, -0.9f, 1.62f));
  Use(m, s.plate);
  m.Box({-0.23f, 0.02f, -0.12f}, {0.23f, 0.24f, 0.26f}, Translate(-0.15f, -0.9f, 1.62f), kAllFaces & ~kNegY);
  return model;
}

// A leg from the hip joint (the origin) to the sole, 2.6 below: the fixed offset
// hangs it 0.4 below the body centre, so the sole meets the floor 3 below it.
Model Leg() {
  Model model;
  Suit s = AddSuit(model);
  Mesh& m = model.AddMesh("Leg");
  Use(m, s.joint);
  m.Box({-0.24f, -1.25f, -0.27f}, {0.24f, 0.05f, 0.27f});
  Use(m, s.plate);
  m.Box({-0.26f, -1.0f, 0.1f}, {0.26f, -0.15f, 0.32f}, Xf{}, kAllFaces & ~kNegZ);
  Use(m, s.accent);
  m.Box({-0.22f, -1.5f, 0.15f}, {0.22f, -1.05f, 0.4f});
  Use(m, s.plate);
  m.Prism({{-0.2f, -2.25f}, {0.2f, -2.25f}, {0.24f, -1.3f}, {-0.24f, -1.3f}}, -0.24f, 0.26f);
  Use(m, s.joint);
  m.Box({-0.25f, -2.6f, -0.32f}, {0.25f, -2.2f, 0.42f});
  m.Prism({{-0.25f, -2.6f}, {0.25f, -2.6f}, {0.25f, -2.35f}, {-0.25f, -2.45f}}, 0.42f, 0.62f);
  return model;
}

struct GunLook {
  int body, grip, sight, cell;
};

// The sidearm, a handgun: a short slide and frame over the grip, which drops
// under z -0.45..0.2 into the gun hand's fist, and a slim exposed barrel that
// runs on to the muzzle brake, on the axis x -0.2, y -0.2 with the muzzle at
// z 3.5 where the shots and flashes leave. Nothing reaches behind the grip.
void BuildGun(Mesh& m, const GunLook& g, const Xf& xf) {
  auto box = [&](float3 lo, float3 hi, const Xf& local = Xf{}) { m.Box(lo, hi, local.Then(xf)); };
  const Xf barrelAxis = kAlongZ.Then(Translate(-0.2f, -0.2f, 0));
  Use(m, g.body, {0.32f, 0.33f, 0.36f, 1}, 1);
  box({-0.38f, -0.36f, -0.55f}, {-0.02f, 0.04f, 1.25f});  // slide
  box({-0.36f, -0.52f, -0.35f}, {-0.04f, -0.36f, 1.1f});  // frame
  m.Cylinder(0.09f, 0.09f, 1.25f, 3.3f, 10, barrelAxis.Then(xf), true, false, false);
  m.Cylinder(0.13f, 0.13f, 3.25f, 3.5f, 10, barrelAxis.Then(xf), true, true, true);
  // Trigger guard and trigger in front of the grip.
  box({-0.26f, -0.74f, 0.0f}, {-0.14f, -0.68f, 0.5f});
  box({-0.26f, -0.74f, 0.44f}, {-0.14f, -0.52f, 0.5f});
  box({-0.23f, -0.68f, 0.14f}, {-0.17f, -0.52f, 0.2f});
  Use(m, g.grip, {0.2f, 0.2f, 0.22f, 1}, 1);
  box({-0.35f, -0.95f, -0.22f}, {-0.05f, 0.0f, 0.24f}, RotX(-14).Then(Translate(0, -0.5f, -0.05f)));
  box({-0.37f, -1.0f, -0.26f}, {-0.03f, -0.92f, 0.28f}, RotX(-14).Then(Translate(0, -0.5f, -0.05f)));
  Use(m, g.sight);
  box({-0.24f, 0.04f, 1.1f}, {-0.16f, 0.12f, 1.2f});
  box({-0.32f, 0.04f, -0.52f}, {-0.25f, 0.14f, -0.42f});
  box({-0.15f, 0.04f, -0.52f}, {-0.08f, 0.14f, -0.42f});
  Use(m, g.cell);
  box({-0.02f, -0.26f, 0.25f}, {0.01f, -0.1f, 0.95f});
  box({-0.41f, -0.26f, 0.25f}, {-0.38f, -0.1f, 0.95f});
}

GunLook AddGunLook(Model& model) {
  GunLook g;
  g.body = model.AddMaterial(Surface("Gunmetal", "armor.png", {1, 1, 1, 1}, 0.85f, 0.35f));
  g.grip = model.AddMaterial(Surface("Grip", "armor.png", {1, 1, 1, 1}, 0.1f, 0.9f));
  g.sight = model.AddMaterial(Glow("Sight", {1.0f, 0.5f, 0.1f, 1}, {2.2f, 0.9f, 0.15f}));
  g.cell = model.AddMaterial(Glow("Cell", {0.2f, 0.8f, 1.0f, 1}, {0.3f, 1.4f, 2.0f}));
  return g;
}

Model Gun() {
  Model model;
  GunLook g = AddGunLook(model);
  BuildGun(model.AddMesh("Gun"), g, Xf{});
  return model;
}

// ---------------------------------------------------------------- enemies

struct Machine {
  int hull, trim, eye, thruster;
};

Machine AddMachine(Model& model, float4 hull, float4 trim, float3 eye) {
  Machine k;
  k.hull = model.AddMaterial(Surface("Hull", "plating.png", hull, 0.55f, 0.4f));
  k.trim = model.AddMaterial(Surface("Trim", "plating.png", trim, 0.7f, 0.35f));
  k.eye = model.AddMaterial(Glow("Eye", {eye.x * 0.4f, eye.y * 0.4f, eye.z * 0.4f, 1}, eye));
  k.thruster = model.AddMaterial(Glow("Thruster", {0.5f, 0.7f, 1.0f, 1}, {0.5f, 0.9f, 1.6f}));
  return k;
}

// Blue: a round hunter drone with one big eye and swept fins for its dash.
Model EnemyBlue() {
  Model model;
  Machine k = AddMachine(model, {0.22f, 0.42f, 0.95f, 1}, {0.14f, 0.16f, 0.22f, 1}, {0.4f, 1.6f, 2.4f});
  Mesh& m = model.AddMesh("EnemyBlue");
  Use(m, k.hull);
  m.Sphere(2.2f, 12, 8, Scale(1, 0.9f, 1));
  Use(m, k.trim);
  m.Cylinder(1.25f, 0.95f, 1.55f, 2.25f, 10, kAlongZ, true, false, false);
  for (float side : {-1.0f, 1.0f}) {
    const Xf fin{{0, 0, 1}, {0, 1, 0}, {side, 0, 0}, {side * 1.9f, 0, 0}};
    m.Prism({{0.9f, -0.2f}, {-2.6f, 0.2f}, {-2.4f, 1.6f}, {-0.2f, 0.6f}}, 0, 0.9f, fin);
  }
  m.Prism({{-0.3f, 0}, {0.3f, 0}, {0, 0.8f}}, -1.5f, 0.9f, Translate(0, 1.75f, 0), true, false);
  Use(m, k.eye);
  m.Cylinder(0.95f, 0.85f, 2.2f, 2.3f, 10, kAlongZ, true, false, true);
  Use(m, k.thruster);
  m.Cylinder(0.7f, 0.4f, -2.35f, -1.9f, 8, Xf{}, true, true, false);
  return model;
}

// Yellow: a squat hovering turret with a long cannon and a visor slit.
Model EnemyYellow() {
  Model model;
  Machine k = AddMachine(model, {0.98f, 0.76f, 0.16f, 1}, {0.2f, 0.19f, 0.17f, 1}, {2.4f, 0.6f, 0.15f});
  Mesh& m = model.AddMesh("EnemyYellow");
  Use(m, k.hull);
  m.Cylinder(2.7f, 2.3f, -0.9f, 0.7f, 8, RotY(22.5f), false);
  m.SphereBand(1.9f, 0, 90, 8, 3, Scale(1, 0.75f, 1).Then(Translate(0, 0.7f, 0)), false, false);
  Use(m, k.trim);
  m.Cylinder(2.0f, 1.2f, -1.9f, -0.9f, 8, RotY(22.5f), false, true, false);
  m.Box({-0.55f, 0.3f, 0.8f}, {0.55f, 1.2f, 2.4f});
  m.Cylinder(0.32f, 0.32f, 2.4f, 3.6f, 8, kAlongZ.Then(Translate(0, 0.75f, 0)), true, false, true);
  for (float side : {-1.0f, 1.0f}) {
    m.Box({-0.08f, 0, -0.08f}, {0.08f, 1.6f, 0.08f},
          RotZ(side * -20).Then(Translate(side * 1.2f, 1.6f, -0.8f)), kAllFaces & ~kNegY);
    m.Box({-0.5f, -0.35f, -0.6f}, {0.5f, 0.35f, 0.9f}, Translate(side * 2.75f, -0.1f, 0.3f));
  }
  Use(m, k.eye);
  m.Box({-1.5f, -0.25f, -0.2f}, {1.5f, 0.2f, 0.2f}, RotY(0).Then(Translate(0, 0.05f, 2.38f)), kAllFaces);
  m.Cylinder(0.22f, 0.22f, 3.6f, 3.65f, 8, kAlongZ.Then(Translate(0, 0.75f, 0)), true, false, true);
  Use(m, k.thruster);
  m.Cylinder(1.0f, 0.6f, -2.05f, -1.9f, 8, RotY(22.5f), false, true, false);
  return model;
}

// Red: the boss, larger (radius 3.5), faceted, horned, with a burning visor band
// and twin side cannons.
Model EnemyRed() {
  Model model;
  Machine k = AddMachine(model, {0.82f, 0.12f, 0.1f, 1}, {0.16f, 0.13f, 0.14f, 1}, {2.6f, 1.7f, 0.5f});
  Mesh& m = model.AddMesh("EnemyRed");
  Use(m, k.hull);
  m.Sphere(2.6f, 8, 6, Scale(1.05f, 0.95f, 1), false);
  Use(m, k.trim);
  m.Cylinder(2.75f, 2.75f, -0.5f, 0.5f, 8, RotY(22.5f), false, true, true);
  for (float side : {-1.0f, 1.0f}) {
    m.Cylinder(0.45f, 0.0f, 0, 1.9f, 6, RotZ(side * -30).Then(Translate(side * 1.3f, 1.9f, 0.3f)), false,
               true, false);
    m.Cylinder(0.35f, 0.0f, 0, 1.3f, 6, RotZ(side * -70).Then(Translate(side * 2.5f, 0.8f, -0.2f)), false,
               true, false);
    m.Box({-0.45f, -0.45f, -1.0f}, {0.45f, 0.45f, 1.4f}, Translate(side * 3.0f, -0.6f, 0.2f));
    m.Cylinder(0.22f, 0.22f, 1.4f, 2.6f, 6, kAlongZ.Then(Translate(side * 3.0f, -0.6f, 0)), false, false,
               true);
  }
  m.Cylinder(0.0f, 0.6f, -3.3f, -2.3f, 6, Xf{}, false, false, true);
  Use(m, k.eye);
  m.Box({-1.55f, -0.22f, -0.3f}, {1.55f, 0.26f, 0.3f}, RotX(-6).Then(Translate(0, 0.45f, 2.35f)));
  m.Box({-0.3f, -0.3f, -0.2f}, {0.3f, 0.3f, 0.2f}, Translate(0, -0.8f, 2.45f));
  Use(m, k.thruster);
  for (float side : {-1.0f, 1.0f})
    m.Box({-0.2f, -0.2f, -0.1f}, {0.2f, 0.2f, 0.1f}, Translate(side * 3.0f, -0.6f, 2.62f));
  return model;
}

// The boss shield: a sphere of radius 14 around its origin, drawn additively, so
// its dim cells read as clear and its bright rims as the field.
Model DoomShield() {
  Model model;
  Material field = Surface("Field", "shield.png", {0.75f, 0.3f, 0.9f, 1}, 0.0f, 0.2f);
  field.emissiveTexture = "shield.png";
  field.emissive = {0.7f, 0.25f, 0.85f};
  field.blend = true;
  field.doubleSided = true;
  model.AddMaterial(field);
  Mesh& m = model.AddMesh("DoomShield");
  m.Sphere(14.0f, 24, 16);
  return model;
}

// ---------------------------------------------------------------- items

Model Heal() {
  Model model;
  int shell = model.AddMaterial(Surface("Case", "armor.png", {0.92f, 0.93f, 0.9f, 1}, 0.2f, 0.5f));
  int trim = model.AddMaterial(Surface("Trim", "armor.png", {0.25f, 0.27f, 0.3f, 1}, 0.5f, 0.5f));
  int cross = model.AddMaterial(Glow("Cross", {0.3f, 1.0f, 0.45f, 1}, {0.4f, 2.2f, 0.7f}));
  Mesh& m = model.AddMesh("Heal");
  Use(m, shell);
  m.Box({-0.72f, -0.45f, -0.3f}, {0.72f, 0.45f, 0.3f});
  Use(m, trim);
  m.Box({-0.74f, -0.47f, -0.06f}, {0.74f, 0.47f, 0.06f});
  m.Box({-0.3f, 0.45f, -0.08f}, {-0.2f, 0.7f, 0.08f}, Xf{}, kAllFaces & ~kNegY);
  m.Box({0.2f, 0.45f, -0.08f}, {0.3f, 0.7f, 0.08f}, Xf{}, kAllFaces & ~kNegY);
  m.Box({-0.3f, 0.65f, -0.08f}, {0.3f, 0.75f, 0.08f});
  Use(m, cross);
  for (float z : {-1.0f, 1.0f}) {
    m.Box({-0.3f, -0.09f, -0.01f}, {0.3f, 0.09f, 0.01f}, Translate(0, 0, z * 0.31f));
    m.Box({-0.09f, -0.3f, -0.01f}, {0.09f, 0.3f, 0.01f}, Translate(0, 0, z * 0.31f));
  }
  return model;
}

Model Magazine() {
  Model model;
  int body = model.AddMaterial(Surface("Body", "armor.png", {0.3f, 0.32f, 0.35f, 1}, 0.8f, 0.35f));
  int band = model.AddMaterial(Surface("Band", "armor.png", {0.95f, 0.5f, 0.12f, 1}, 0.3f, 0.5f));
  int brass = model.AddMaterial(Surface("Brass", "armor.png", {0.95f, 0.75f, 0.35f, 1}, 0.9f, 0.3f));
  int glow = model.AddMaterial(Glow("Counter", {0.2f, 0.8f, 1.0f, 1}, {0.3f, 1.4f, 2.0f}));
  Mesh& m = model.AddMesh("Magazine");
  const Xf tilt = RotX(12);
  Use(m, body);
  m.Box({-0.26f, -0.75f, -0.42f}, {0.26f, 0.45f, 0.42f}, tilt);
  Use(m, band);
  m.Box({-0.28f, -0.82f, -0.46f}, {0.28f, -0.62f, 0.46f}, tilt);
  Use(m, brass);
  m.Cylinder(0.13f, 0.13f, -0.35f, 0.3f, 8, kAlongZ.Then(Translate(0, 0.56f, 0)).Then(tilt), true, false,
             true);
  m.Cylinder(0.13f, 0.05f, 0.3f, 0.45f, 8, kAlongZ.Then(Translate(0, 0.56f, 0)).Then(tilt), true, false,
             false);
  Use(m, glow);
  for (float x : {-1.0f, 1.0f})
    m.Box({-0.01f, -0.5f, -0.2f}, {0.01f, 0.3f, 0.2f}, Translate(x * 0.27f, 0, 0).Then(tilt));
  return model;
}

// The rate attachment: a miniature of the sidearm, 1.5 long, centred on its origin.
Model ModelGun() {
  Model model;
  GunLook g = AddGunLook(model);
  BuildGun(model.AddMesh("ModelGun"), g, Translate(0.2f, 0.2f, -1.45f).Then(Scale(0.37f)));
  return model;
}

// ---------------------------------------------------------------- effects

// A crescent shock wave ahead of its origin: an arc of radius 3.3 over +-50 degrees
// around +z, thickest in the middle and tapering to points, about 5 across. Its
// inner edge stays in front of the pushing enemies' bodies (2.7 at most), which
// would otherwise hide it.
Model PushAttack() {
  Model model;
  // Dim enough that, added over the floor, it reads as a cyan ripple and not a white sheet.
  Material wave = Glow("Wave", {0.1f, 0.45f, 0.8f, 1}, {0.05f, 0.35f, 0.7f});
  wave.blend = true;
  model.AddMaterial(wave);
  Mesh& m = model.AddMesh("PushAttack");
  const int steps = 16;
  const float radius = 3.3f;
  const float spread = 50.0f;
  auto section = [&](int i, int k) {
    float t = static_cast<float>(i) / steps;
    float angle = (-spread + 2 * spread * t) * kDegToRad;
    float taper = std::sin(t * kPi);
    float r = radius - 0.45f * taper * (k == 2 ? 1.0f : k == 0 ? 0.0f : 0.55f);
    float y = k == 1 ? 0.55f * taper : k == 3 ? -0.55f * taper : 0.0f;
    return float3{r * std::sin(angle), y, r * std::cos(angle)};
  };
  for (int i = 0; i < steps; ++i)
    for (int k = 0; k < 4; ++k) {
      float3 a = section(i, k), b = section(i + 1, k), c = section(i + 1, (k + 1) % 4),
             d = section(i, (k + 1) % 4);
      // Outward from the wave's core line.
      float t = (i + 0.5f) / steps, angle = (-spread + 2 * spread * t) * kDegToRad;
      float3 core{(radius - 0.15f) * std::sin(angle), 0, (radius - 0.15f) * std::cos(angle)};
      float3 facing = (a + b + c + d) * 0.25f - core;
      m.Polygon({a, b, c}, facing);
      m.Polygon({a, c, d}, facing);
    }
  return model;
}

bool Write(const Model& model, const std::string& path) {
  return WriteGltf(model, path);
}

}  // namespace

bool WriteFigureModels(const std::string& root) {
  bool ok = true;
  ok = WriteSurfaceTexture(root + "/Player", "armor") && ok;
  ok = WriteSurfaceTexture(root + "/Item", "armor") && ok;
  ok = WriteSurfaceTexture(root + "/Enemy", "plating") && ok;
  ok = WriteSurfaceTexture(root + "/Enemy", "shield") && ok;
  ok = Write(Player(), root + "/Player/Player.gltf") && ok;
  ok = Write(Hand(), root + "/Player/Hand.gltf") && ok;
  ok = Write(Leg(), root + "/Player/Leg.gltf") && ok;
  ok = Write(Gun(), root + "/Player/Gun.gltf") && ok;
  ok = Write(EnemyBlue(), root + "/Enemy/EnemyBlue.gltf") && ok;
  ok = Write(EnemyRed(), root + "/Enemy/EnemyRed.gltf") && ok;
  ok = Write(EnemyYellow(), root + "/Enemy/EnemyYellow.gltf") && ok;
  ok = Write(DoomShield(), root + "/Enemy/DoomShield.gltf") && ok;
  ok = Write(Heal(), root + "/Item/Heal.gltf") && ok;
  ok = Write(Magazine(), root + "/Item/Magazine.gltf") && ok;
  ok = Write(ModelGun(), root + "/Item/ModelGun.gltf") && ok;
  ok = Write(PushAttack(), root + "/Effect/PushAttack.gltf") && ok;
  return ok;
}

}  // namespace models
