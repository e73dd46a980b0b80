#pragma once

#include "framework/VelMath.h"
#include "game/effect/C_TexEffect.h"

// The red enemy's glow while it gathers for a shot. It shrinks instead of animating.
class C_ChargeRedPower : public C_TexEffect {
 public:
  explicit C_ChargeRedPower(const float3& position);
  bool Update() override;
  const char* ClassName() const override { return "C_ChargeRedPower"; }

  float size = 6.0f;  // half size of the quad
};
