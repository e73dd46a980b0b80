#include "game/effect/C_ChargeBluePower.h"

namespace {
constexpr float kShrinkStep = 0.1f;
constexpr float3 kOffset{0.0f, 0.0f, -1.0f};
}  // namespace

C_ChargeBluePower::C_ChargeBluePower(const float3& position) {
  this->position = position;
  color = {1, 1, 1, 0.5f};
  CreateQuadBuffer();
  LoadSheet("chargeBluePower.png");
}

bool C_ChargeBluePower::Update() { return Shrink(size, kShrinkStep, kOffset); }
