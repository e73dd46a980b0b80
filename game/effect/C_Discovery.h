#pragma once

#include "framework/VelMath.h"
#include "game/effect/C_TexEffect.h"

// The mark above an enemy that has just noticed the player.
class C_Discovery : public C_TexEffect {
 public:
  explicit C_Discovery(const float3& position);
  bool Update() override;
  const char* ClassName() const override { return "C_Discovery"; }
};
