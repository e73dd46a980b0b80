#include "game/effect/C_ChargeRedPower.h"

namespace {
constexpr float kShrinkStep = 0.07f;
constexpr float3 kOffset{0.0f, 0.0f, 1.0f};
}  // namespace

C_ChargeRedPower::C_ChargeRedPower(const float3& position) {
  this->position = position;
  color = {1, 1, 1, 0.5f};
  CreateQuadBuffer();
  LoadSheet("chargeRedPower.png");
}

bool C_ChargeRedPower::Update() { return Shrink(size, kShrinkStep, kOffset); }
