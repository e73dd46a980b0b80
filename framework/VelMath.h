#pragma once

// Vectors and 4 x 4 matrices in the game's convention: row vectors (v' = v x M),
// transforms compose left to right (scale x rotation x translation), the
// translation sits in row 3, the world is left-handed with y up, and matrices
// reach the shaders exactly as stored.

#include <cmath>

constexpr float kDegToRad = 0.017453292f;
constexpr float kRadToDeg = 57.295776f;
constexpr float kPi = 3.14159265358979f;

struct float2 {
  float x = 0, y = 0;
};

struct float3 {
  float x = 0, y = 0, z = 0;
};

struct float4 {
  float x = 0, y = 0, z = 0, w = 0;
};

struct float4x4 {
  float m[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};

  float3 Translation() const { return {m[3][0], m[3][1], m[3][2]}; }
  void SetTranslation(const float3& t) {
    m[3][0] = t.x;
    m[3][1] = t.y;
    m[3][2] = t.z;
  }
  // Rows 0..2 are the local x, y and z axes in world space.
  float3 Row(int r) const { return {m[r][0], m[r][1], m[r][2]}; }
};

// float3 arithmetic
inline float3 operator+(const float3& a, const float3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline float3 operator-(const float3& a, const float3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline float3 operator-(const float3& a) { return {-a.x, -a.y, -a.z}; }
inline float3 operator*(const float3& a, float s) { return {a.x * s, a.y * s, a.z * s}; }
inline float3 operator*(float s, const float3& a) { return a * s; }
inline float3 operator/(const float3& a, float s) { return {a.x / s, a.y / s, a.z / s}; }
inline float3& operator+=(float3& a, const float3& b) { return a = a + b; }
inline float3& operator-=(float3& a, const float3& b) { return a = a - b; }
inline float3& operator*=(float3& a, float s) { return a = a * s; }
inline bool operator==(const float3& a, const float3& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }
inline bool operator!=(const float3& a, const float3& b) { return !(a == b); }

inline float Dot(const float3& a, const float3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline float3 Cross(const float3& a, const float3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float Length(const float3& a) { return std::sqrt(Dot(a, a)); }
inline float LengthSquared(const float3& a) { return Dot(a, a); }
inline float Distance(const float3& a, const float3& b) { return Length(a - b); }
// The zero vector stays zero rather than turning into NaNs.
inline float3 Normalize(const float3& a) {
  float len = Length(a);
  return len > 0 ? a / len : float3{};
}
inline float3 Lerp(const float3& a, const float3& b, float t) { return a + (b - a) * t; }

// float4 arithmetic (quaternions are float4 with w the real part)
inline float4 operator+(const float4& a, const float4& b) { return {a.x + b.x, a.y + b.y, a.z + b.z, a.w + b.w}; }
inline float4 operator*(const float4& a, float s) { return {a.x * s, a.y * s, a.z * s, a.w * s}; }
inline float Dot(const float4& a, const float4& b) { return a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w; }
inline bool operator==(const float4& a, const float4& b) {
  return a.x == b.x && a.y == b.y && a.z == b.z && a.w == b.w;
}
inline bool operator!=(const float4& a, const float4& b) { return !(a == b); }

// Matrices
float4x4 MatrixIdentity();
float4x4 MatrixMultiply(const float4x4& a, const float4x4& b);
inline float4x4 operator*(const float4x4& a, const float4x4& b) { return MatrixMultiply(a, b); }
bool operator==(const float4x4& a, const float4x4& b);
float4x4 MatrixTranslation(float x, float y, float z);
inline float4x4 MatrixTranslation(const float3& t) { return MatrixTranslation(t.x, t.y, t.z); }
float4x4 MatrixScaling(float x, float y, float z);
inline float4x4 MatrixScaling(float s) { return MatrixScaling(s, s, s); }
// Rotations by an angle in radians; positive turns y toward z about X, z toward x
// about Y (a positive yaw turns toward +x) and x toward y about Z.
float4x4 MatrixRotationX(float radians);
float4x4 MatrixRotationY(float radians);
float4x4 MatrixRotationZ(float radians);
// Rotation from pitch (about X), yaw (about Y) and roll (about Z), applied roll, pitch, yaw.
float4x4 MatrixRotationRollPitchYaw(float pitch, float yaw, float roll);
float4x4 MatrixTranspose(const float4x4& a);
// The general inverse; a singular matrix returns identity.
float4x4 MatrixInverse(const float4x4& a);
float MatrixDeterminant(const float4x4& a);
float4x4 MatrixLookAtLH(const float3& eye, const float3& target, const float3& up);
float4x4 MatrixPerspectiveFovLH(float fovY, float aspect, float nearZ, float farZ);

// Unit quaternion (x, y, z, w) of the rotation part of a matrix whose upper 3 x 3
// is a pure rotation (choosing the branch by the largest diagonal term), and back.
float4 QuaternionFromMatrix(const float4x4& m);
float4x4 MatrixFromQuaternion(const float4& q);
float4 QuaternionNormalize(const float4& q);
// Spherical interpolation along the shorter arc; nearly equal rotations blend linearly.
float4 QuaternionSlerp(const float4& a, const float4& b, float t);

// Point: v' = (v, 1) x M divided by w.  Direction: (v, 0) x M, no translation.
float3 TransformCoord(const float3& v, const float4x4& m);
float3 TransformNormal(const float3& v, const float4x4& m);
float4 Transform(const float4& v, const float4x4& m);
