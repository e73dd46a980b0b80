#include "game/effect/C_HitBullet.h"

namespace {
constexpr float kHalfSize = 2.5f;
constexpr int kLifetime = 15;
}  // namespace

C_HitBullet::C_HitBullet(const float3& position) {
  this->position = position;
  color = {1, 1, 1, 1};
  CreateQuadBuffer();
  LoadSheet("hitBullet2.png");
}

bool C_HitBullet::Update() { return AnimateStrip(kHalfSize, 5, 3, kLifetime); }
