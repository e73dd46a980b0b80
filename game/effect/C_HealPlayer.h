#pragma once

#include "game/effect/C_TexEffect.h"

// The glow of the heal item around the player; it follows the player while it plays.
class C_HealPlayer : public C_TexEffect {
 public:
  C_HealPlayer();
  bool UpdateWithScene(GameScene* scene) override;
  const char* ClassName() const override { return "C_HealPlayer"; }
};
