#pragma once

#include "game/enemy/C_YellowState.h"

// Looks around: turns in place to a random heading for 60 to 300 frames, then
// picks another. Notices the player within 60 units or on any damage.
class C_ScoutState : public C_YellowState {
 public:
  C_ScoutState();
  std::unique_ptr<C_YellowState> Update(GameScene* scene, float4x4& world, int hp, int maxHp) override;
  const char* Name() const override { return "C_ScoutState"; }

  int timer;
  float heading;
  bool noticed = false;
};
