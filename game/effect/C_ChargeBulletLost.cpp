#include "game/effect/C_ChargeBulletLost.h"

namespace {
constexpr float kHalfSize = 1.4f;
constexpr int kLifetime = 40;
}  // namespace

C_ChargeBulletLost::C_ChargeBulletLost(const float3& position) {
  this->position = position;
  color = {1, 1, 1, 1};
  CreateQuadBuffer();
  LoadSheet("ChargeBulletLost.png");
}

bool C_ChargeBulletLost::Update() { return AnimateStrip(kHalfSize, 10, 4, kLifetime); }
