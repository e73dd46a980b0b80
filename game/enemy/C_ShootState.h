#pragma once

#include "game/enemy/C_YellowState.h"

// Turns toward the player and fires every 90 frames in which it faces it, for
// the rest of the enemy's life.
class C_ShootState : public C_YellowState {
 public:
  std::unique_ptr<C_YellowState> Update(GameScene* scene, float4x4& world, int hp, int maxHp) override;
  const char* Name() const override { return "C_ShootState"; }

  bool fired = false;
  bool chargeShown = false;
  int shotTimer = 0;
};
