#pragma once

#include "game/enemy/C_Shield.h"

// The red enemy's shield: fades in to 0.8 centred 4.5 below the enemy, breaks
// with a sound once its hit points are gone, then fades out.
class C_DoomShield : public C_Shield {
 public:
  C_DoomShield();
  bool Update(const float3& position) override;

  bool broken = false;
};
