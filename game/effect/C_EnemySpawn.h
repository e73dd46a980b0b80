#pragma once

#include "framework/VelMath.h"
#include "game/effect/C_TexEffect.h"

// The flash where an enemy is about to appear.
class C_EnemySpawn : public C_TexEffect {
 public:
  explicit C_EnemySpawn(const float3& position);
  bool Update() override;
  const char* ClassName() const override { return "C_EnemySpawn"; }
};
