#pragma once

#include "framework/VelMath.h"
#include "game/effect/C_TexEffect.h"

// The burst of a charge shot hitting an enemy.
class C_HitChargeBullet : public C_TexEffect {
 public:
  explicit C_HitChargeBullet(const float3& position);
  bool Update() override;
  const char* ClassName() const override { return "C_HitChargeBullet"; }
};
