#pragma once

#include "game/player/C_Flash.h"

// The burst at the muzzle of a charge shot: five images side by side in its
// texture, four frames each, seen on 20 frames.
class C_ChargeFlash : public C_Flash {
 public:
  C_ChargeFlash();
  bool Update(GameScene* scene) override;
  const char* ClassName() const override { return "C_ChargeFlash"; }

  int life = 0;
};
