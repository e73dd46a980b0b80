#pragma once

#include "game/effect/C_TexEffect.h"

// The small glow at the muzzle while the charge button is held. It only
// animates: it grows while the button is down and winds back when it is up.
class C_BulletCharge : public C_TexEffect {
 public:
  C_BulletCharge();
  bool UpdateWithScene(GameScene* scene) override;
  const char* ClassName() const override { return "C_BulletCharge"; }
};
