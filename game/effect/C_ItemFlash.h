#pragma once

#include "framework/VelMath.h"
#include "game/effect/C_TexEffect.h"

// The flash of an item being picked up. It fades as it plays.
class C_ItemFlash : public C_TexEffect {
 public:
  explicit C_ItemFlash(const float3& position);
  bool Update() override;
  const char* ClassName() const override { return "C_ItemFlash"; }
};
