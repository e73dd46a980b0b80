#pragma once

#include <memory>

#include "framework/VelMath.h"

class GameScene;

// One behaviour of the red enemy, with the contract of the blue enemy's
// states: may turn and move the enemy, returns the next state or null.
class C_RedState {
 public:
  virtual ~C_RedState() = default;
  virtual std::unique_ptr<C_RedState> Update(GameScene* scene, float4x4& world, int hp, int maxHp) = 0;
  virtual const char* Name() const = 0;
};
