#include "game/effect/C_Explosion.h"

namespace {
constexpr float kHalfSize = 6.5f;
constexpr int kLifetime = 63;
}  // namespace

C_Explosion::C_Explosion(const float3& position) {
  this->position = position;
  color = {1, 1, 1, 1};
  CreateQuadBuffer();
  LoadSheet("smoke.png");
}

bool C_Explosion::Update() { return AnimateGrid(kHalfSize, 32, 32, 8, kLifetime); }
