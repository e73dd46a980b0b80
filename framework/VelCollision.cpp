#include "framework/VelCollision.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "framework/VelModel.h"
#include "framework/VelRayQueryStats.h"
#include "framework/VelRayTriangle.h"

namespace {

constexpr float kPushDistance = 3.0f;

VelRayQueryStats rayStats;
bool rayTiming = false;

// How a node's faces are searched: through its hierarchy or one by one in order.
enum class FaceSearch { Hierarchy, EveryFace };

// Each node is placed by Transform x world and queried in its own space; the
// nearest hit wins, the first node of equal distances keeping it.
bool CastRay(const VelModel& model, const float4x4& world, const float3& origin, const float3& direction,
             FaceSearch search, float& outDistance, float3& outNormal) {
  const float kNone = 3.4028235e38f;
  float best = kNone;
  float3 b0, b1, b2;
  float4x4 bestWorld;
  for (const VelModelNode& node : model.Nodes) {
    const VelMesh* mesh = node.Mesh.get();
    if (!mesh || mesh->Faces.empty()) continue;
    const float4x4 w = node.Transform * world;
    // A collapsed node has no surface to hit.
    if (MatrixDeterminant(w) == 0) continue;
    const float4x4 inv = MatrixInverse(w);
    const float3 o = TransformCoord(origin, inv);
    float3 dir = TransformNormal(direction, inv);
    const float len = Length(dir);
    dir = Normalize(dir);
    if (search == FaceSearch::Hierarchy && mesh->Bvh) {
      const VelBvhTriangle* hit = nullptr;
      if (mesh->Bvh->Nearest(o, dir, len, best, hit)) {
        b0 = hit->p0;
        b1 = hit->p1;
        b2 = hit->p2;
        bestWorld = w;
      }
      continue;
    }
    const std::vector<float3>& pos = mesh->Positions;
    const size_t count = pos.size();
    for (const VelFace& f : mesh->Faces) {
      if (f.indices[0] >= count || f.indices[1] >= count || f.indices[2] >= count) continue;
      const float3& p0 = pos[f.indices[0]];
      const float3& p1 = pos[f.indices[1]];
      const float3& p2 = pos[f.indices[2]];
      float t;
      if (!VelRayTriangle(o, dir, p0, p1, p2, &t)) continue;
      const float distance = t / len;
      if (distance < best) {
        best = distance;
        b0 = p0;
        b1 = p1;
        b2 = p2;
        bestWorld = w;
      }
    }
  }
  if (best == kNone) return false;
  outDistance = best;
  outNormal = Normalize(TransformNormal(Cross(b0 - b2, b1 - b2), bestWorld));
  return true;
}

}  // namespace

VelRayQueryStats& VelRayStats() {
  return rayStats;
}

void VelTimeRayQueries(bool on) {
  rayTiming = on;
}

bool RayToModel(const VelModel& model, const float4x4& world, const float3& origin, const float3& direction,
                float& outDistance, float3& outNormal) {
  ++rayStats.queries;
  if (!rayTiming) return CastRay(model, world, origin, direction, FaceSearch::Hierarchy, outDistance, outNormal);
  const auto start = std::chrono::steady_clock::now();
  const bool hit = CastRay(model, world, origin, direction, FaceSearch::Hierarchy, outDistance, outNormal);
  rayStats.nanoseconds += uint64_t(
      std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start).count());
  return hit;
}

bool RayToModelBruteForce(const VelModel& model, const float4x4& world, const float3& origin,
                          const float3& direction, float& outDistance, float3& outNormal) {
  return CastRay(model, world, origin, direction, FaceSearch::EveryFace, outDistance, outNormal);
}

bool RayPushOut(const VelModel& model, const float4x4& world, const float3& origin, const float3& direction,
                float& outDistance, float3& push) {
  float3 normal;
  if (!RayToModel(model, world, origin, direction, outDistance, normal)) return false;
  const float c = Dot(-direction, normal);
  if (kPushDistance / c < outDistance) return false;
  push += normal * ((kPushDistance / c - outDistance) * c);
  return true;
}

bool SpheresOverlap(const float3& a, float ra, const float3& b, float rb) {
  return ra + rb >= Distance(a, b);
}

float3 SphereSeparation(const float3& a, float ra, const float3& b, float rb) {
  const float3 d = a - b;
  return Normalize(d) * ((ra + rb - Length(d)) * 0.5f);
}

bool PointInRect(float cx, float cy, float w, float h, float px, float py) {
  return px > cx - w / 2 && px < cx + w / 2 && py > cy - h / 2 && py < cy + h / 2;
}

float YawFromDirection(float x, float, float z) {
  const float3 n = Normalize({x, 0, z});
  // Rounding can put the cosine a hair outside acos's domain.
  const float angle = std::acos(std::clamp(n.z, -1.0f, 1.0f)) * kRadToDeg;
  return n.x < 0 ? -angle : angle;
}

float TurnTowardsYaw(float4x4& matrix, float targetYaw, float maxStep) {
  const float current = YawFromDirection(matrix.m[2][0], 0, matrix.m[2][2]);
  float diff = targetYaw - current;
  // Far-off (or non-finite) targets would keep the wrapping loops from ending.
  if (!(std::fabs(diff) <= 3600)) diff = std::fmod(diff, 360.0f);
  while (diff > 180) diff -= 360;
  while (diff < -180) diff += 360;
  float turn, remaining;
  if (diff > maxStep) {
    turn = maxStep;
    remaining = diff - maxStep;
  } else if (diff < -maxStep) {
    turn = -maxStep;
    remaining = diff + maxStep;
  } else {
    turn = diff;
    remaining = 0;
  }
  matrix = MatrixRotationY(turn * kDegToRad) * matrix;
  return remaining;
}

void MatrixLerp(const float4x4& a, const float4x4& b, float t, float4x4& out) {
  // The rotation alone: rows normalised so a scale does not distort the quaternion.
  auto rotationOf = [](const float4x4& m) {
    float4x4 r;
    for (int i = 0; i < 3; ++i) {
      const float3 axis = Normalize(m.Row(i));
      r.m[i][0] = axis.x;
      r.m[i][1] = axis.y;
      r.m[i][2] = axis.z;
    }
    return QuaternionFromMatrix(r);
  };
  const float4 qa = rotationOf(a);
  float4 qb = rotationOf(b);
  float cosom = Dot(qa, qb);
  if (cosom < 0) {
    cosom = -cosom;
    qb = qb * -1.0f;
  }
  float k0, k1;
  if (cosom >= 0.99999f) {
    k0 = 1 - t;
    k1 = t;
  } else {
    const float omega = std::acos(cosom);
    const float sinom = std::sin(omega);
    k0 = std::sin((1 - t) * omega) / sinom;
    k1 = std::sin(t * omega) / sinom;
  }
  out = MatrixFromQuaternion(QuaternionNormalize(qa * k0 + qb * k1));
  out.SetTranslation(Lerp(a.Translation(), b.Translation(), t));
  out.m[0][3] = 0;
  out.m[1][3] = 0;
  out.m[2][3] = 0;
  out.m[3][3] = 1;
}
