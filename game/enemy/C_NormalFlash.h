#pragma once

#include "game/enemy/C_EnemyFlash.h"

// Five animation frames 2.5 in front of the shooter as it stood when it fired;
// drawn on 20 frames and removed on the 21st update.
class C_NormalFlash : public C_EnemyFlash {
 public:
  explicit C_NormalFlash(const float4x4& shooter);
  bool Update() override;

  float4x4 shooter;
  int animationCounter = 0;
};
