#pragma once

#include "game/player/C_Flash.h"

// The glow along the barrel of a normal shot, seen on three frames.
class C_BarrelFlash : public C_Flash {
 public:
  C_BarrelFlash();
  bool Update(GameScene* scene) override;
  const char* ClassName() const override { return "C_BarrelFlash"; }

  int life = 4;
};
