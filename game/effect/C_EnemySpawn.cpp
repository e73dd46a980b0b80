#include "game/effect/C_EnemySpawn.h"

namespace {
constexpr float kHalfSize = 4.0f;
constexpr int kLifetime = 22;
constexpr float3 kOffset{0.0f, -3.6f, -1.8f};
}  // namespace

C_EnemySpawn::C_EnemySpawn(const float3& position) {
  this->position = position;
  color = {1, 1, 1, 1};
  CreateQuadBuffer();
  LoadSheet("enemySpawn.png");
}

bool C_EnemySpawn::Update() { return AnimateGrid(kHalfSize, 64, 48, 10, kLifetime, kOffset); }
