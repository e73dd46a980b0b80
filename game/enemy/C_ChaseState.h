#pragma once

#include "game/enemy/C_RedState.h"

// Turns toward the player and closes in once facing it; within 25 units it
// goes on the offense.
class C_ChaseState : public C_RedState {
 public:
  std::unique_ptr<C_RedState> Update(GameScene* scene, float4x4& world, int hp, int maxHp) override;
  const char* Name() const override { return "C_ChaseState"; }

  bool offenseStarted = false;
};
