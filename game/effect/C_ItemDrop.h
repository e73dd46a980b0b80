#pragma once

#include "framework/VelMath.h"
#include "game/effect/C_TexEffect.h"

// The sparkle where an item drops. It fades as it plays.
class C_ItemDrop : public C_TexEffect {
 public:
  explicit C_ItemDrop(const float3& position);
  bool Update() override;
  const char* ClassName() const override { return "C_ItemDrop"; }
};
