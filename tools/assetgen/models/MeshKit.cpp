#include "models/MeshKit.h"

#include <algorithm>
#include <cmath>

namespace models {

float3 Xf::Normal(const float3& n) const {
  float3 cx = Cross(y, z), cy = Cross(z, x), cz = Cross(x, y);
  float det = Dot(x, cx);
  float3 r = cx * n.x + cy * n.y + cz * n.z;
  return Normalize(det < 0 ? -r : r);
}

Xf Xf::Then(const Xf& o) const {
  Xf r;
  r.x = o.Dir(x);
  r.y = o.Dir(y);
  r.z = o.Dir(z);
  r.origin = o.Point(origin);
  return r;
}

Xf Translate(float x, float y, float z) {
  Xf r;
  r.origin = {x, y, z};
  return r;
}

Xf Scale(float x, float y, float z) {
  Xf r;
  r.x = {x, 0, 0};
  r.y = {0, y, 0};
  r.z = {0, 0, z};
  return r;
}

Xf RotX(float degrees) {
  float c = std::cos(degrees * kDegToRad), s = std::sin(degrees * kDegToRad);
  Xf r;
  r.y = {0, c, s};
  r.z = {0, -s, c};
  return r;
}

Xf RotY(float degrees) {
  float c = std::cos(degrees * kDegToRad), s = std::sin(degrees * kDegToRad);
  Xf r;
  r.x = {c, 0, -s};
  r.z = {s, 0, c};
  return r;
}

Xf RotZ(float degrees) {
  float c = std::cos(degrees * kDegToRad), s = std::sin(degrees * kDegToRad);
  Xf r;
  r.x = {c, s, 0};
  r.y = {-s, c, 0};
  return r;
}

MeshPart& Mesh::Current() {
  for (auto& part : parts_)
    if (part.material == material) return part;
  parts_.push_back(MeshPart{material, {}, {}});
  return parts_.back();
}

int Mesh::TriangleCount() const {
  size_t n = 0;
  for (const auto& part : parts_) n += part.indices.size() / 3;
  return static_cast<int>(n);
}

float2 Mesh::PlanarUv(const float3& p, const float3& n) const {
  float ax = std::fabs(n.x), ay = std::fabs(n.y), az = std::fabs(n.z);
  float s = 1.0f / uvScale;
  if (ay >= ax && ay >= az) return {p.x * s, p.z * s};
  if (ax >= az) return {p.z * s, -p.y * s};
  return {p.x * s, -p.y * s};
}

void Mesh::Emit(const MeshVertex& a, const MeshVertex& b, const MeshVertex& c, const float3& front) {
  MeshVertex v[3] = {a, b, c};
  for (auto& vertex : v) {
    float shade = 1.0f;
    if (shading_ && shadeY1_ > shadeY0_) {
      float t = std::clamp((vertex.position.y - shadeY0_) / (shadeY1_ - shadeY0_), 0.0f, 1.0f);
      shade = 1.0f - bottomShade * (1.0f - t);
    }
    vertex.color = {color.x * shade, color.y * shade, color.z * shade, color.w};
  }
  float3 n = Cross(v[1].position - v[0].position, v[2].position - v[0].position);
  if (LengthSquared(n) == 0) return;  // degenerate: nothing a ray or a pixel could meet
  MeshPart& part = Current();
  uint32_t base = static_cast<uint32_t>(part.vertices.size());
  part.vertices.insert(part.vertices.end(), v, v + 3);
  if (Dot(n, front) >= 0) {
    part.indices.insert(part.indices.end(), {base, base + 1, base + 2});
  } else {
    part.indices.insert(part.indices.end(), {base, base + 2, base + 1});
  }
}

void Mesh::Polygon(const std::vector<float3>& points, const float3& facing) {
  // A polygon on its own shades by its own height; inside a shape, by the shape's.
  bool own = !shading_ && bottomShade > 0;
  if (own) {
    shading_ = true;
    shadeY0_ = 1e30f;
    shadeY1_ = -1e30f;
    for (const auto& p : points) {
      shadeY0_ = std::min(shadeY0_, p.y);
      shadeY1_ = std::max(shadeY1_, p.y);
    }
  }
  float3 n = Normalize(facing);
  auto vertex = [&](const float3& p, float2 uv) { return MeshVertex{p, n, uv, color}; };
  std::vector<float2> uvs(points.size());
  if (uvMode == UvMode::Unit && points.size() == 4) {
    uvs = {{0, 1}, {1, 1}, {1, 0}, {0, 0}};
  } else {
    for (size_t i = 0; i < points.size(); ++i) uvs[i] = PlanarUv(points[i], n);
  }
  for (size_t i = 1; i + 1 < points.size(); ++i)
    Emit(vertex(points[0], uvs[0]), vertex(points[i], uvs[i]), vertex(points[i + 1], uvs[i + 1]), n);
  if (own) shading_ = false;
}

void Mesh::Quad(const float3& a, const float3& b, const float3& c, const float3& d, const float3& facing) {
  Polygon({a, b, c, d}, facing);
}

void Mesh::SmoothTriangle(const MeshVertex& a, const MeshVertex& b, const MeshVertex& c) {
  Emit(a, b, c, a.normal + b.normal + c.normal);
}

void Mesh::Box(const float3& lo, const float3& hi, const Xf& xf, unsigned mask) {
  float3 corner[8];
  for (int i = 0; i < 8; ++i)
    corner[i] = xf.Point({i & 1 ? hi.x : lo.x, i & 2 ? hi.y : lo.y, i & 4 ? hi.z : lo.z});
  shading_ = bottomShade > 0;
  shadeY0_ = shadeY1_ = corner[0].y;
  for (const auto& p : corner) {
    shadeY0_ = std::min(shadeY0_, p.y);
    shadeY1_ = std::max(shadeY1_, p.y);
  }
  struct Face {
    unsigned bit;
    int c[4];
    float3 n;
  };
  const Face faces[6] = {
      {kNegX, {0, 2, 6, 4}, {-1, 0, 0}}, {kPosX, {1, 3, 7, 5}, {1, 0, 0}},  {kNegY, {0, 1, 5, 4}, {0, -1, 0}},
      {kPosY, {2, 3, 7, 6}, {0, 1, 0}},  {kNegZ, {0, 1, 3, 2}, {0, 0, -1}}, {kPosZ, {4, 5, 7, 6}, {0, 0, 1}},
  };
  for (const auto& f : faces)
    if (mask & f.bit) Quad(corner[f.c[0]], corner[f.c[1]], corner[f.c[2]], corner[f.c[3]], xf.Normal(f.n));
  shading_ = false;
}

void Mesh::Prism(const std::vector<float2>& profile, float z0, float z1, const Xf& xf, bool caps,
                 bool bottom) {
  size_t n = profile.size();
  // Signed area decides which way the profile winds, so sides can face outward.
  float area = 0;
  for (size_t i = 0; i < n; ++i) {
    const float2& a = profile[i];
    const float2& b = profile[(i + 1) % n];
    area += a.x * b.y - b.x * a.y;
  }
  float sign = area >= 0 ? 1.0f : -1.0f;
  shading_ = bottomShade > 0;
  shadeY0_ = 1e30f;
  shadeY1_ = -1e30f;
  for (const auto& p : profile)
    for (float z : {z0, z1}) {
      float y = xf.Point({p.x, p.y, z}).y;
      shadeY0_ = std::min(shadeY0_, y);
      shadeY1_ = std::max(shadeY1_, y);
    }
  for (size_t i = 0; i < n; ++i) {
    const float2& a = profile[i];
    const float2& b = profile[(i + 1) % n];
    float3 outward{(b.y - a.y) * sign, -(b.x - a.x) * sign, 0};
    if (!bottom && outward.y < 0 && std::fabs(outward.x) < 1e-6f) continue;
    Quad(xf.Point({a.x, a.y, z0}), xf.Point({b.x, b.y, z0}), xf.Point({b.x, b.y, z1}),
         xf.Point({a.x, a.y, z1}), xf.Normal(outward));
  }
  if (caps) {
    std::vector<float3> back, front;
    for (const auto& p : profile) {
      back.push_back(xf.Point({p.x, p.y, z0}));
      front.push_back(xf.Point({p.x, p.y, z1}));
    }
    float dz = z1 >= z0 ? 1.0f : -1.0f;
    Polygon(back, xf.Normal({0, 0, -dz}));
    Polygon(front, xf.Normal({0, 0, dz}));
  }
  shading_ = false;
}

void Mesh::Cylinder(float r0, float r1, float y0, float y1, int segments, const Xf& xf, bool smooth,
                    bool capBottom, bool capTop) {
  shading_ = bottomShade > 0;
  shadeY0_ = std::min(xf.Point({0, y0, 0}).y, xf.Point({0, y1, 0}).y);
  shadeY1_ = std::max(xf.Point({0, y0, 0}).y, xf.Point({0, y1, 0}).y);
  // The side normal leans by the frustum's slope.
  float slope = (r0 - r1) / (y1 - y0);
  std::vector<float3> bottom, top;
  for (int i = 0; i < segments; ++i) {
    float a0 = 2 * kPi * i / segments, a1 = 2 * kPi * (i + 1) / segments;
    float c0 = std::cos(a0), s0 = std::sin(a0), c1 = std::cos(a1), s1 = std::sin(a1);
    float3 p00 = xf.Point({r0 * c0, y0, r0 * s0}), p01 = xf.Point({r1 * c0, y1, r1 * s0});
    float3 p10 = xf.Point({r0 * c1, y0, r0 * s1}), p11 = xf.Point({r1 * c1, y1, r1 * s1});
    bottom.push_back(p00);
    top.push_back(p01);
    float u0 = static_cast<float>(i) / segments, u1 = static_cast<float>(i + 1) / segments;
    if (smooth) {
      float3 n0 = xf.Normal(Normalize(float3{c0, slope, s0})),
             n1 = xf.Normal(Normalize(float3{c1, slope, s1}));
      MeshVertex v00{p00, n0, {u0, 1}, color}, v01{p01, n0, {u0, 0}, color};
      MeshVertex v10{p10, n1, {u1, 1}, color}, v11{p11, n1, {u1, 0}, color};
      if (r0 > 0) SmoothTriangle(v00, v10, v11);
      if (r1 > 0) SmoothTriangle(v00, v11, v01);
    } else {
      float am = (a0 + a1) * 0.5f;
      float3 n = xf.Normal(Normalize(float3{std::cos(am), slope, std::sin(am)}));
      if (r0 > 0 && r1 > 0) {
        Quad(p00, p10, p11, p01, n);
      } else {
        Polygon({r0 > 0 ? p00 : p01, r0 > 0 ? p10 : p11, r0 > 0 ? p11 : p00}, n);
      }
    }
  }
  float dy = y1 >= y0 ? 1.0f : -1.0f;
  if (capBottom && r0 > 0) Polygon(bottom, xf.Normal({0, -dy, 0}));
  if (capTop && r1 > 0) Polygon(top, xf.Normal({0, dy, 0}));
  shading_ = false;
}

void Mesh::Sphere(float radius, int segments, int rings, const Xf& xf, bool smooth) {
  SphereBand(radius, -90, 90, segments, rings, xf, false, smooth);
}

void Mesh::SphereBand(float radius, float lat0, float lat1, int segments, int rings, const Xf& xf,
                      bool inward, bool smooth) {
  auto at = [&](int i, int j) {
    float lon = 2 * kPi * i / segments;
    float lat = (lat0 + (lat1 - lat0) * j / rings) * kDegToRad;
    float3 d{std::cos(lat) * std::sin(lon), std::sin(lat), std::cos(lat) * std::cos(lon)};
    float3 n = xf.Normal(inward ? -d : d);
    float2 uv{static_cast<float>(i) / segments, 1.0f - static_cast<float>(j) / rings};
    return MeshVertex{xf.Point(d * radius), n, uv, color};
  };
  for (int j = 0; j < rings; ++j) {
    for (int i = 0; i < segments; ++i) {
      MeshVertex a = at(i, j), b = at(i + 1, j), c = at(i + 1, j + 1), d = at(i, j + 1);
      if (!smooth) {
        float3 n = Normalize(a.normal + b.normal + c.normal + d.normal);
        a.normal = b.normal = c.normal = d.normal = n;
      }
      // Pole rows collapse one edge to a point; the emitter drops the empty triangle.
      SmoothTriangle(a, b, c);
      SmoothTriangle(a, c, d);
    }
  }
}

}  // namespace models
