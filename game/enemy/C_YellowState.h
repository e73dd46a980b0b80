#pragma once

#include <memory>

#include "framework/VelMath.h"

class GameScene;

// One behaviour of the yellow enemy, with the contract of the blue enemy's
// states: may turn the enemy, returns the next state or null.
class C_YellowState {
 public:
  virtual ~C_YellowState() = default;
  virtual std::unique_ptr<C_YellowState> Update(GameScene* scene, float4x4& world, int hp, int maxHp) = 0;
  virtual const char* Name() const = 0;
};
