#pragma once

#include "game/effect/C_TexEffect.h"

// A damage number near the crosshair that drifts up and to the right while it
// fades. It draws in the 2D sprite pass; the value sits in the counter, the
// opacity in color.w and the screen transform in world.
class C_DamageLog : public C_TexEffect {
 public:
  explicit C_DamageLog(int value);
  bool Update() override;
  // The digits from the last to the first, each 20 pixels left of the one
  // before; characters without a glyph (a minus sign) are skipped.
  void Draw2D() override;
  const char* ClassName() const override { return "C_DamageLog"; }
};
