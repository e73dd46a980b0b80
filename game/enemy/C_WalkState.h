#pragma once

#include "game/enemy/C_BlueState.h"

// Wandering: turns to a random heading, walks once facing it, and picks a new
// walk when the timer runs out. Notices the player within 60 units or on any
// damage.
class C_WalkState : public C_BlueState {
 public:
  C_WalkState();
  std::unique_ptr<C_BlueState> Update(GameScene* scene, float4x4& world, int hp, int maxHp) override;
  const char* Name() const override { return "C_WalkState"; }

  int timer;
  float heading;
  bool noticed = false;
};
