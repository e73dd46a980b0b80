#pragma once

#include "game/enemy/C_BlueState.h"

// Turns toward the player, walks up to it once facing it, and starts the
// attack within 20 units.
class C_TrackState : public C_BlueState {
 public:
  std::unique_ptr<C_BlueState> Update(GameScene* scene, float4x4& world, int hp, int maxHp) override;
  const char* Name() const override { return "C_TrackState"; }

  bool attackStarted = false;
};
