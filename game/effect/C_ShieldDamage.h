#pragma once

#include "framework/VelMath.h"
#include "game/effect/C_TexEffect.h"

// The ripple on a boss shield where a charge shot strikes it; drawn in front
// of the shield, towards the camera.
class C_ShieldDamage : public C_TexEffect {
 public:
  explicit C_ShieldDamage(const float3& position);
  bool UpdateWithScene(GameScene* scene) override;
  const char* ClassName() const override { return "C_ShieldDamage"; }
};
