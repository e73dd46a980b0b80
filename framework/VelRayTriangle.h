#pragma once

// The one ray-triangle test every ray query uses, so the hierarchy's walk and
// the face-by-face reference compute bit-identical distances.

#include "framework/VelMath.h"

// Two-sided Moller-Trumbore in unnormalised form (no division until the hit is
// certain). Writes t, in multiples of dir, and returns true on a hit in front
// of the origin.
inline bool VelRayTriangle(const float3& o, const float3& dir, const float3& p0, const float3& p1,
                           const float3& p2, float* t) {
  constexpr float kEpsilon = 1e-20f;
  const float3 e1 = p1 - p0;
  const float3 e2 = p2 - p0;
  const float3 p = Cross(dir, e2);
  const float det = Dot(e1, p);
  const float3 s = o - p0;
  float3 q;
  if (det >= kEpsilon) {
    const float u = Dot(s, p);
    if (u < 0 || u > det) return false;
    q = Cross(s, e1);
    const float v = Dot(dir, q);
    if (v < 0 || u + v > det) return false;
  } else if (det <= -kEpsilon) {
    const float u = Dot(s, p);
    if (u > 0 || u < det) return false;
    q = Cross(s, e1);
    const float v = Dot(dir, q);
    if (v > 0 || u + v < det) return false;
  } else {
    return false;
  }
  *t = Dot(e2, q) / det;
  return *t >= 0;
}
