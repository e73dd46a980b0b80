#pragma once

#include "framework/VelMath.h"
#include "game/effect/C_TexEffect.h"

// The blue enemy's glow while it gathers for a dash. It shrinks instead of animating.
class C_ChargeBluePower : public C_TexEffect {
 public:
  explicit C_ChargeBluePower(const float3& position);
  bool Update() override;
  const char* ClassName() const override { return "C_ChargeBluePower"; }

  float size = 4.5f;  // half size of the quad
};
