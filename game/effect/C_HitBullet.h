#pragma once

#include "framework/VelMath.h"
#include "game/effect/C_TexEffect.h"

// The spark of a player bullet hitting an enemy.
class C_HitBullet : public C_TexEffect {
 public:
  explicit C_HitBullet(const float3& position);
  bool Update() override;
  const char* ClassName() const override { return "C_HitBullet"; }
};
