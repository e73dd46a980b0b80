#pragma once

// Collision and steering helpers: rays against a model's triangles, spheres,
// screen rectangles and turning on the yaw angle (degrees; 0 faces +z,
// positive turns toward +x).

#include "framework/VelMath.h"

class VelModel;

// Casts a ray (world space) against the faces of every mesh node of the model,
// each node placed by its Transform x world. On a hit writes the distance to the
// nearest face, in multiples of the direction's length, and that face's
// world-space unit normal; on a miss leaves both untouched. Of equal distances
// the first node, then the first face, wins. Walks each mesh's hierarchy;
// allocates nothing.
bool RayToModel(const VelModel& model, const float4x4& world, const float3& origin, const float3& direction,
                float& outDistance, float3& outNormal);
// The same answer found by testing every face in order: the reference the
// hierarchy is checked and measured against.
bool RayToModelBruteForce(const VelModel& model, const float4x4& world, const float3& origin,
                          const float3& direction, float& outDistance, float3& outNormal);

// Keeps a point 3 units (along the surface normal) in front of the surface the
// ray meets: when it is closer, adds the correction to push and returns true.
// push accumulates; callers zero it themselves.
bool RayPushOut(const VelModel& model, const float4x4& world, const float3& origin, const float3& direction,
                float& outDistance, float3& push);

// True when the centres are at most ra + rb apart.
bool SpheresOverlap(const float3& a, float ra, const float3& b, float rb);
// What to add to A to resolve half of the overlap (no overlap test; coincident
// centres give zero).
float3 SphereSeparation(const float3& a, float ra, const float3& b, float rb);
// True when the point lies strictly inside the rectangle given by centre and size.
bool PointInRect(float cx, float cy, float w, float h, float px, float py);
// The yaw of a direction in degrees, -180..180; y is ignored, zero gives 90.
float YawFromDirection(float x, float y, float z);
// Turns the matrix about its own y axis toward the target yaw by at most
// maxStep degrees; returns the part of the turn still to do.
float TurnTowardsYaw(float4x4& matrix, float targetYaw, float maxStep);
// Blends rotation (spherically, the short way) and translation of A and B by t;
// scale is not carried over.
void MatrixLerp(const float4x4& a, const float4x4& b, float t, float4x4& out);
