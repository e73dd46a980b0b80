#pragma once

#include "framework/VelMath.h"
#include "game/effect/C_ModelEffect.h"

// The shock wave in front of an enemy's push attack: it faces along the
// attacker's forward axis, grows and fades.
class C_PushAttack : public C_ModelEffect {
 public:
  // orientation: the attacker's world matrix; only its forward axis (row 2) is read.
  C_PushAttack(const float4x4& orientation, const float3& position);
  bool Update() override;

  float4x4 scaling;
  float4x4 rotation;
  float4x4 translation;
  float scale = 1.0f;
};
