#include "game/effect/C_HitChargeBullet.h"

namespace {
constexpr float kHalfSize = 3.0f;
constexpr int kLifetime = 15;
}  // namespace

C_HitChargeBullet::C_HitChargeBullet(const float3& position) {
  this->position = position;
  color = {1, 1, 1, 1};
  CreateQuadBuffer();
  LoadSheet("hitCharge.png");
}

bool C_HitChargeBullet::Update() { return AnimateStrip(kHalfSize, 5, 3, kLifetime); }
