#pragma once

#include "game/player/C_Flash.h"

// The fire at the muzzle of a normal shot: seen on three frames, each shot's
// flash turned about the view axis by its own random roll.
class C_MuzzleFlash : public C_Flash {
 public:
  C_MuzzleFlash();
  bool Update(GameScene* scene) override;
  const char* ClassName() const override { return "C_MuzzleFlash"; }

  int life = 4;
  float roll = 0.0f;  // degrees, 0 to 44
};
