#pragma once

#include "game/enemy/C_RedState.h"

// Waits 30 frames without turning, then dashes straight ahead until the
// player is 40 units away.
class C_OffenseState : public C_RedState {
 public:
  std::unique_ptr<C_RedState> Update(GameScene* scene, float4x4& world, int hp, int maxHp) override;
  const char* Name() const override { return "C_OffenseState"; }

  int timer = 30;
  bool attackSoundPlayed = false;
};
