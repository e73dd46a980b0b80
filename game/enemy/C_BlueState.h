#pragma once

#include <memory>

#include "framework/VelMath.h"

class GameScene;

// One behaviour of the blue enemy. Update may turn and move the enemy through
// its world matrix and returns the state to switch to, or null to stay.
class C_BlueState {
 public:
  virtual ~C_BlueState() = default;
  virtual std::unique_ptr<C_BlueState> Update(GameScene* scene, float4x4& world, int hp, int maxHp) = 0;
  virtual const char* Name() const = 0;
};
