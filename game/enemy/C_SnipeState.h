#pragma once

#include "game/enemy/C_RedState.h"

// Stands and turns toward the player, firing every 90 frames in which it faces
// it; hands over to the chase at half hit points.
class C_SnipeState : public C_RedState {
 public:
  std::unique_ptr<C_RedState> Update(GameScene* scene, float4x4& world, int hp, int maxHp) override;
  const char* Name() const override { return "C_SnipeState"; }

  bool fired = false;
  bool chargeShown = false;
  int shotTimer = 0;
};
