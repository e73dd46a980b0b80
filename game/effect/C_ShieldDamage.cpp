#include "game/effect/C_ShieldDamage.h"

namespace {
constexpr float kHalfSize = 3.0f;
constexpr int kLifetime = 30;
constexpr float3 kOffset{0.0f, 0.0f, -4.0f};
}  // namespace

C_ShieldDamage::C_ShieldDamage(const float3& position) {
  this->position = position;
  color = {1, 1, 1, 1};
  CreateQuadBuffer();
  LoadSheet("ShieldDamage.png");
}

bool C_ShieldDamage::UpdateWithScene(GameScene*) { return AnimateStrip(kHalfSize, 15, 2, kLifetime, kOffset); }
