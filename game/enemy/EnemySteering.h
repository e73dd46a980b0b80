#pragma once

// Steps the enemy states share: where the player is, walking and dashing along
// the enemy's own forward axis, and the turrets' shooting cadence.

#include "framework/VelMath.h"

class GameScene;

// Indices into the stage's collision set that enemies and their bullets query.
namespace StagePart {
constexpr int Stage = 0;
constexpr int Door = 2;
constexpr int LeftBossDoor = 3;
constexpr int RightBossDoor = 4;
}  // namespace StagePart

// Player position minus enemy position, taken before this frame's turn or move.
float3 PlayerOffset(const GameScene& scene, const float4x4& world);
float YawTowards(const float3& offset);
// One forward query of the stage model from the current position; the push
// is added on a hit.
void PushOutOfStageAhead(const GameScene& scene, float4x4& world);
// A step along the enemy's forward axis, then the forward push-out.
void MoveForward(const GameScene& scene, float4x4& world, float distance);
// A dash step: forward without turning, a push-attack wave at the new place,
// then the forward push-out.
void DashForward(GameScene& scene, float4x4& world, float distance);
// For a shooter that faces the player this frame: fires on the first facing
// frame and again every 90 facing frames, with the charge glow of chargeKind
// standing for the reload.
void FireWhileFacing(GameScene& scene, const float4x4& world, int chargeKind, bool& fired, bool& chargeShown,
                     int& shotTimer);
