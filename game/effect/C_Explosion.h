#pragma once

#include "framework/VelMath.h"
#include "game/effect/C_TexEffect.h"

// The smoke cloud of a defeated enemy.
class C_Explosion : public C_TexEffect {
 public:
  explicit C_Explosion(const float3& position);
  bool Update() override;
  const char* ClassName() const override { return "C_Explosion"; }
};
