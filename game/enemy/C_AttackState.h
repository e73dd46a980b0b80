#pragma once

#include "game/enemy/C_BlueState.h"

// Charges for 45 frames standing still, then dashes straight ahead until the
// player is 40 units away.
class C_AttackState : public C_BlueState {
 public:
  std::unique_ptr<C_BlueState> Update(GameScene* scene, float4x4& world, int hp, int maxHp) override;
  const char* Name() const override { return "C_AttackState"; }

  int timer = 45;
  bool dashing = false;
  bool chargeShown = false;
  bool attackSoundPlayed = false;
};
