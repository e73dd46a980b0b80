#pragma once

// A small kit for building low-poly meshes in the game's world space (left-handed,
// y up, z forward). A triangle's front is the side its normal Cross(p1 - p0, p2 - p0)
// points to; every shape orients its triangles so that this normal agrees with the
// intended outward (or, for shells seen from inside, inward) direction, whatever
// transform placed it. The glTF writer mirrors z on output, as the game mirrors it
// back on loading.

#include <cstdint>
#include <string>
#include <vector>

#include "framework/VelMath.h"

namespace models {

struct MeshVertex {
  float3 position;
  float3 normal;
  float2 uv;
  float4 color;
};

// The triangles of one material within a mesh.
struct MeshPart {
  int material = 0;
  std::vector<MeshVertex> vertices;
  std::vector<uint32_t> indices;
};

// An affine placement: local x, y and z axes (scaled as wished) and an origin.
struct Xf {
  float3 x{1, 0, 0}, y{0, 1, 0}, z{0, 0, 1}, origin{};

  float3 Point(const float3& p) const { return x * p.x + y * p.y + z * p.z + origin; }
  float3 Dir(const float3& d) const { return x * d.x + y * d.y + z * d.z; }
  // Normals follow the inverse transpose, so non-uniform scales and mirrors stay right.
  float3 Normal(const float3& n) const;
  // this x other: apply this first, then other (the row-vector order).
  Xf Then(const Xf& other) const;
};

Xf Translate(float x, float y, float z);
inline Xf Translate(const float3& t) {
  return Translate(t.x, t.y, t.z);
}
Xf Scale(float x, float y, float z);
inline Xf Scale(float s) {
  return Scale(s, s, s);
}
// Rotations in degrees with the game's sense: RotY(90) turns +z toward +x.
Xf RotX(float degrees);
Xf RotY(float degrees);
Xf RotZ(float degrees);

// How texture coordinates are made for the faces that follow.
enum class UvMode {
  Planar,  // projected along the face's dominant axis, one repeat per uvScale units
  Unit,    // each quad spans the whole texture once
};

enum BoxFace : unsigned {
  kNegX = 1,
  kPosX = 2,
  kNegY = 4,
  kPosY = 8,
  kNegZ = 16,
  kPosZ = 32,
  kAllFaces = 63,
  kNoBottom = 63 & ~4u,
};

class Mesh {
 public:
  explicit Mesh(std::string name) : name_(std::move(name)) {}

  // Brush state applied to every face added after it is set.
  int material = 0;
  float4 color{1, 1, 1, 1};
  UvMode uvMode = UvMode::Planar;
  float uvScale = 8.0f;
  // Vertex colours darken toward the bottom of a box or prism by this much (0 = none).
  float bottomShade = 0.0f;

  // A flat convex polygon, fan-triangulated, fronting the facing direction.
  void Polygon(const std::vector<float3>& points, const float3& facing);
  void Quad(const float3& a, const float3& b, const float3& c, const float3& d, const float3& facing);
  // One triangle with its own per-vertex normals (smooth shading); it is oriented
  // so that its front agrees with the average of the normals.
  void SmoothTriangle(const MeshVertex& a, const MeshVertex& b, const MeshVertex& c);

  // Axis-aligned box in local coordinates, placed by xf, with the faces named by mask.
  void Box(const float3& min, const float3& max, const Xf& xf = Xf{}, unsigned mask = kAllFaces);
  // A convex or concave profile in the local xy plane (counter-clockwise or not),
  // extruded along local z from z0 to z1, with both caps. Concave profiles must be
  // given as a fan around their first point that stays inside (a star shape).
  // bottom = false leaves out the flat underside (a side whose outward normal is local -y).
  void Prism(const std::vector<float2>& profile, float z0, float z1, const Xf& xf = Xf{}, bool caps = true,
             bool bottom = true);
  // Frustum along local y from y0 (radius r0) to y1 (radius r1); caps optional.
  void Cylinder(float r0, float r1, float y0, float y1, int segments, const Xf& xf = Xf{}, bool smooth = true,
                bool capBottom = true, bool capTop = true);
  // Sphere (or, scaled by xf, an ellipsoid) around the local origin.
  void Sphere(float radius, int segments, int rings, const Xf& xf = Xf{}, bool smooth = true);
  // Part of a sphere between two latitudes (degrees, -90..90); inward makes the
  // faces front the centre (a sky seen from inside).
  void SphereBand(float radius, float lat0, float lat1, int segments, int rings, const Xf& xf, bool inward,
                  bool smooth = true);

  const std::string& Name() const { return name_; }
  const std::vector<MeshPart>& Parts() const { return parts_; }
  int TriangleCount() const;

 private:
  MeshPart& Current();
  float2 PlanarUv(const float3& p, const float3& n) const;
  void Emit(const MeshVertex& a, const MeshVertex& b, const MeshVertex& c, const float3& front);

  std::string name_;
  std::vector<MeshPart> parts_;
  // Shading applied to the vertices that follow, set by shapes with a bottom.
  float shadeY0_ = 0, shadeY1_ = 0;
  bool shading_ = false;
};

}  // namespace models
