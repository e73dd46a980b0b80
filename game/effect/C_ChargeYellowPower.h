#pragma once

#include "framework/VelMath.h"
#include "game/effect/C_TexEffect.h"

// The yellow enemy's glow while it gathers for a shot. It shrinks instead of animating.
class C_ChargeYellowPower : public C_TexEffect {
 public:
  explicit C_ChargeYellowPower(const float3& position);
  bool Update() override;
  const char* ClassName() const override { return "C_ChargeYellowPower"; }

  float size = 3.0f;  // half size of the quad
};
