#pragma once

#include <memory>

#include "game/enemy/C_Enemy.h"
#include "game/enemy/C_RedState.h"

// The boss: snipes until it is down to half its hit points, then raises a
// shield that follows it and fights up close.
class C_EnemyRed : public C_Enemy {
 public:
  explicit C_EnemyRed(const float3& position);
  ~C_EnemyRed() override;
  bool Update(GameScene* scene) override;
  const char* KindName() const override { return "red"; }
  const char* StateName() const override { return state->Name(); }

  std::unique_ptr<C_RedState> state;
  bool shieldDeployed = false;
};
