#pragma once

#include "framework/VelMath.h"
#include "game/effect/C_TexEffect.h"

// A charge shot fizzling out against a surface or at its range.
class C_ChargeBulletLost : public C_TexEffect {
 public:
  explicit C_ChargeBulletLost(const float3& position);
  bool Update() override;
  const char* ClassName() const override { return "C_ChargeBulletLost"; }
};
