#include "game/effect/C_ChargeYellowPower.h"

namespace {
constexpr float kShrinkStep = 0.025f;
constexpr float3 kOffset{0.0f, 0.0f, 1.0f};
}  // namespace

C_ChargeYellowPower::C_ChargeYellowPower(const float3& position) {
  this->position = position;
  color = {1, 1, 1, 0.5f};
  CreateQuadBuffer();
  LoadSheet("chargeYellowPower.png");
}

bool C_ChargeYellowPower::Update() { return Shrink(size, kShrinkStep, kOffset); }
