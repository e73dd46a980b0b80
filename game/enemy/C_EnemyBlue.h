#pragma once

#include <memory>

#include "game/enemy/C_BlueState.h"
#include "game/enemy/C_Enemy.h"

// The melee enemy: wanders, tracks the player once it notices it, charges and
// dashes.
class C_EnemyBlue : public C_Enemy {
 public:
  explicit C_EnemyBlue(const float3& position);
  ~C_EnemyBlue() override;
  bool Update(GameScene* scene) override;
  const char* KindName() const override { return "blue"; }
  const char* StateName() const override { return state->Name(); }

  std::unique_ptr<C_BlueState> state;
};
