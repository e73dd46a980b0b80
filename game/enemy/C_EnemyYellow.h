#pragma once

#include <memory>

#include "game/enemy/C_Enemy.h"
#include "game/enemy/C_YellowState.h"

// The turret: settles onto the floor, looks around in place and, once it has
// noticed the player, shoots at it for the rest of its life.
class C_EnemyYellow : public C_Enemy {
 public:
  explicit C_EnemyYellow(const float3& position);
  ~C_EnemyYellow() override;
  bool Update(GameScene* scene) override;
  const char* KindName() const override { return "yellow"; }
  const char* StateName() const override { return state->Name(); }

  std::unique_ptr<C_YellowState> state;
};
