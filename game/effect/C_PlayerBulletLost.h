#pragma once

#include "framework/VelMath.h"
#include "game/effect/C_TexEffect.h"

// A player bullet fizzling out against a surface or at its range.
class C_PlayerBulletLost : public C_TexEffect {
 public:
  explicit C_PlayerBulletLost(const float3& position);
  bool Update() override;
  const char* ClassName() const override { return "C_PlayerBulletLost"; }
};
