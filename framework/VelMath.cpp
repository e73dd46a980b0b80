#include "framework/VelMath.h"

#include <cmath>

float4x4 MatrixIdentity() { return float4x4{}; }

float4x4 MatrixMultiply(const float4x4& a, const float4x4& b) {
  float4x4 r;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      r.m[i][j] = a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j] + a.m[i][3] * b.m[3][j];
  return r;
}

bool operator==(const float4x4& a, const float4x4& b) {
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      if (a.m[i][j] != b.m[i][j]) return false;
  return true;
}

float4x4 MatrixTranslation(float x, float y, float z) {
  float4x4 r;
  r.m[3][0] = x;
  r.m[3][1] = y;
  r.m[3][2] = z;
  return r;
}

float4x4 MatrixScaling(float x, float y, float z) {
  float4x4 r;
  r.m[0][0] = x;
  r.m[1][1] = y;
  r.m[2][2] = z;
  return r;
}

float4x4 MatrixRotationX(float a) {
  float c = std::cos(a), s = std::sin(a);
  float4x4 r;
  r.m[1][1] = c;
  r.m[1][2] = s;
  r.m[2][1] = -s;
  r.m[2][2] = c;
  return r;
}

float4x4 MatrixRotationY(float a) {
  float c = std::cos(a), s = std::sin(a);
  float4x4 r;
  r.m[0][0] = c;
  r.m[0][2] = -s;
  r.m[2][0] = s;
  r.m[2][2] = c;
  return r;
}

float4x4 MatrixRotationZ(float a) {
  float c = std::cos(a), s = std::sin(a);
  float4x4 r;
  r.m[0][0] = c;
  r.m[0][1] = s;
  r.m[1][0] = -s;
  r.m[1][1] = c;
  return r;
}

float4x4 MatrixRotationRollPitchYaw(float pitch, float yaw, float roll) {
  return MatrixRotationZ(roll) * MatrixRotationX(pitch) * MatrixRotationY(yaw);
}

float4x4 MatrixTranspose(const float4x4& a) {
  float4x4 r;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) r.m[i][j] = a.m[j][i];
  return r;
}

namespace {
// Cofactor expansion into the adjugate; returns the determinant.
float Adjugate(const float4x4& a, float4x4& inv) {
  const float* m = &a.m[0][0];
  float* o = &inv.m[0][0];
  o[0] = m[5] * m[10] * m[15] - m[5] * m[11] * m[14] - m[9] * m[6] * m[15] + m[9] * m[7] * m[14] +
         m[13] * m[6] * m[11] - m[13] * m[7] * m[10];
  o[4] = -m[4] * m[10] * m[15] + m[4] * m[11] * m[14] + m[8] * m[6] * m[15] - m[8] * m[7] * m[14] -
         m[12] * m[6] * m[11] + m[12] * m[7] * m[10];
  o[8] = m[4] * m[9] * m[15] - m[4] * m[11] * m[13] - m[8] * m[5] * m[15] + m[8] * m[7] * m[13] +
         m[12] * m[5] * m[11] - m[12] * m[7] * m[9];
  o[12] = -m[4] * m[9] * m[14] + m[4] * m[10] * m[13] + m[8] * m[5] * m[14] - m[8] * m[6] * m[13] -
          m[12] * m[5] * m[10] + m[12] * m[6] * m[9];
  o[1] = -m[1] * m[10] * m[15] + m[1] * m[11] * m[14] + m[9] * m[2] * m[15] - m[9] * m[3] * m[14] -
         m[13] * m[2] * m[11] + m[13] * m[3] * m[10];
  o[5] = m[0] * m[10] * m[15] - m[0] * m[11] * m[14] - m[8] * m[2] * m[15] + m[8] * m[3] * m[14] +
         m[12] * m[2] * m[11] - m[12] * m[3] * m[10];
  o[9] = -m[0] * m[9] * m[15] + m[0] * m[11] * m[13] + m[8] * m[1] * m[15] - m[8] * m[3] * m[13] -
         m[12] * m[1] * m[11] + m[12] * m[3] * m[9];
  o[13] = m[0] * m[9] * m[14] - m[0] * m[10] * m[13] - m[8] * m[1] * m[14] + m[8] * m[2] * m[13] +
          m[12] * m[1] * m[10] - m[12] * m[2] * m[9];
  o[2] = m[1] * m[6] * m[15] - m[1] * m[7] * m[14] - m[5] * m[2] * m[15] + m[5] * m[3] * m[14] +
         m[13] * m[2] * m[7] - m[13] * m[3] * m[6];
  o[6] = -m[0] * m[6] * m[15] + m[0] * m[7] * m[14] + m[4] * m[2] * m[15] - m[4] * m[3] * m[14] -
         m[12] * m[2] * m[7] + m[12] * m[3] * m[6];
  o[10] = m[0] * m[5] * m[15] - m[0] * m[7] * m[13] - m[4] * m[1] * m[15] + m[4] * m[3] * m[13] +
          m[12] * m[1] * m[7] - m[12] * m[3] * m[5];
  o[14] = -m[0] * m[5] * m[14] + m[0] * m[6] * m[13] + m[4] * m[1] * m[14] - m[4] * m[2] * m[13] -
          m[12] * m[1] * m[6] + m[12] * m[2] * m[5];
  o[3] = -m[1] * m[6] * m[11] + m[1] * m[7] * m[10] + m[5] * m[2] * m[11] - m[5] * m[3] * m[10] -
         m[9] * m[2] * m[7] + m[9] * m[3] * m[6];
  o[7] = m[0] * m[6] * m[11] - m[0] * m[7] * m[10] - m[4] * m[2] * m[11] + m[4] * m[3] * m[10] +
         m[8] * m[2] * m[7] - m[8] * m[3] * m[6];
  o[11] = -m[0] * m[5] * m[11] + m[0] * m[7] * m[9] + m[4] * m[1] * m[11] - m[4] * m[3] * m[9] -
          m[8] * m[1] * m[7] + m[8] * m[3] * m[5];
  o[15] = m[0] * m[5] * m[10] - m[0] * m[6] * m[9] - m[4] * m[1] * m[10] + m[4] * m[2] * m[9] +
          m[8] * m[1] * m[6] - m[8] * m[2] * m[5];
  return m[0] * o[0] + m[1] * o[4] + m[2] * o[8] + m[3] * o[12];
}
}  // namespace

float MatrixDeterminant(const float4x4& a) {
  float4x4 adj;
  return Adjugate(a, adj);
}

float4x4 MatrixInverse(const float4x4& a) {
  float4x4 adj;
  float det = Adjugate(a, adj);
  if (det == 0 || !std::isfinite(det)) return MatrixIdentity();
  float inv = 1.0f / det;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) adj.m[i][j] *= inv;
  return adj;
}

float4x4 MatrixLookAtLH(const float3& eye, const float3& target, const float3& up) {
  float3 f = Normalize(target - eye);
  float3 r = Normalize(Cross(up, f));
  float3 u = Cross(f, r);
  float4x4 v;
  v.m[0][0] = r.x; v.m[0][1] = u.x; v.m[0][2] = f.x; v.m[0][3] = 0;
  v.m[1][0] = r.y; v.m[1][1] = u.y; v.m[1][2] = f.y; v.m[1][3] = 0;
  v.m[2][0] = r.z; v.m[2][1] = u.z; v.m[2][2] = f.z; v.m[2][3] = 0;
  v.m[3][0] = -Dot(r, eye);
  v.m[3][1] = -Dot(u, eye);
  v.m[3][2] = -Dot(f, eye);
  v.m[3][3] = 1;
  return v;
}

float4x4 MatrixPerspectiveFovLH(float fovY, float aspect, float nearZ, float farZ) {
  float h = 1.0f / std::tan(fovY * 0.5f);
  float w = h / aspect;
  float range = farZ / (farZ - nearZ);
  float4x4 p;
  p.m[0][0] = w;
  p.m[1][1] = h;
  p.m[2][2] = range;
  p.m[2][3] = 1;
  p.m[3][2] = -range * nearZ;
  p.m[3][3] = 0;
  return p;
}

float4 QuaternionNormalize(const float4& q) {
  float len = std::sqrt(Dot(q, q));
  return len > 0 ? q * (1.0f / len) : float4{0, 0, 0, 1};
}

// For row vectors the rotation matrix of q is the transpose of the column-vector one.
float4x4 MatrixFromQuaternion(const float4& q) {
  float x = q.x, y = q.y, z = q.z, w = q.w;
  float4x4 r;
  r.m[0][0] = 1 - 2 * (y * y + z * z);
  r.m[0][1] = 2 * (x * y + z * w);
  r.m[0][2] = 2 * (x * z - y * w);
  r.m[1][0] = 2 * (x * y - z * w);
  r.m[1][1] = 1 - 2 * (x * x + z * z);
  r.m[1][2] = 2 * (y * z + x * w);
  r.m[2][0] = 2 * (x * z + y * w);
  r.m[2][1] = 2 * (y * z - x * w);
  r.m[2][2] = 1 - 2 * (x * x + y * y);
  return r;
}

float4 QuaternionFromMatrix(const float4x4& a) {
  // Work on the column-vector form R = transpose of the stored rotation.
  auto R = [&](int i, int j) { return a.m[j][i]; };
  float trace = R(0, 0) + R(1, 1) + R(2, 2);
  float4 q;
  if (trace > 0) {
    float s = std::sqrt(trace + 1.0f) * 2;
    q.w = 0.25f * s;
    q.x = (R(2, 1) - R(1, 2)) / s;
    q.y = (R(0, 2) - R(2, 0)) / s;
    q.z = (R(1, 0) - R(0, 1)) / s;
  } else if (R(0, 0) > R(1, 1) && R(0, 0) > R(2, 2)) {
    float s = std::sqrt(1.0f + R(0, 0) - R(1, 1) - R(2, 2)) * 2;
    q.w = (R(2, 1) - R(1, 2)) / s;
    q.x = 0.25f * s;
    q.y = (R(0, 1) + R(1, 0)) / s;
    q.z = (R(0, 2) + R(2, 0)) / s;
  } else if (R(1, 1) > R(2, 2)) {
    float s = std::sqrt(1.0f + R(1, 1) - R(0, 0) - R(2, 2)) * 2;
    q.w = (R(0, 2) - R(2, 0)) / s;
    q.x = (R(0, 1) + R(1, 0)) / s;
    q.y = 0.25f * s;
    q.z = (R(1, 2) + R(2, 1)) / s;
  } else {
    float s = std::sqrt(1.0f + R(2, 2) - R(0, 0) - R(1, 1)) * 2;
    q.w = (R(1, 0) - R(0, 1)) / s;
    q.x = (R(0, 2) + R(2, 0)) / s;
    q.y = (R(1, 2) + R(2, 1)) / s;
    q.z = 0.25f * s;
  }
  return QuaternionNormalize(q);
}

float4 QuaternionSlerp(const float4& a, const float4& b0, float t) {
  float4 b = b0;
  float cosom = Dot(a, b);
  if (cosom < 0) {
    cosom = -cosom;
    b = b * -1.0f;
  }
  float k0, k1;
  if (cosom > 0.9999f) {
    k0 = 1 - t;
    k1 = t;
  } else {
    float omega = std::acos(cosom);
    float sinom = std::sin(omega);
    k0 = std::sin((1 - t) * omega) / sinom;
    k1 = std::sin(t * omega) / sinom;
  }
  return QuaternionNormalize(a * k0 + b * k1);
}

float4 Transform(const float4& v, const float4x4& m) {
  return {v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0] + v.w * m.m[3][0],
          v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1] + v.w * m.m[3][1],
          v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2] + v.w * m.m[3][2],
          v.x * m.m[0][3] + v.y * m.m[1][3] + v.z * m.m[2][3] + v.w * m.m[3][3]};
}

float3 TransformCoord(const float3& v, const float4x4& m) {
  float4 r = Transform({v.x, v.y, v.z, 1}, m);
  float inv = r.w != 0 ? 1.0f / r.w : 1.0f;
  return {r.x * inv, r.y * inv, r.z * inv};
}

float3 TransformNormal(const float3& v, const float4x4& m) {
  float4 r = Transform({v.x, v.y, v.z, 0}, m);
  return {r.x, r.y, r.z};
}
