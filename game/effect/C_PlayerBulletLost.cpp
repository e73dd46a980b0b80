#include "game/effect/C_PlayerBulletLost.h"

namespace {
constexpr float kHalfSize = 1.2f;
constexpr int kLifetime = 32;
}  // namespace

C_PlayerBulletLost::C_PlayerBulletLost(const float3& position) {
  this->position = position;
  color = {1, 1, 1, 1};
  CreateQuadBuffer();
  LoadSheet("PlayerBulletLost.png");
}

bool C_PlayerBulletLost::Update() { return AnimateStrip(kHalfSize, 8, 4, kLifetime); }
