#pragma once

#include "framework/VelMath.h"
#include "framework/VelTexture.h"

// The frame behind the gun, the item slots and the ammunition counter.
class WeaponPanel {
 public:
  WeaponPanel();
  void Draw();

  VelTexture texture;
  float4x4 transform;
};
