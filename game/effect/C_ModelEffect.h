#pragma once

// A short-lived glTF model drawn with additive blending at a fading opacity.

#include "framework/VelMath.h"
#include "framework/VelModel.h"

class C_ModelEffect {
 public:
  virtual ~C_ModelEffect() = default;
  // False once the effect has finished; its owner then deletes it.
  virtual bool Update();
  virtual void Draw();

  VelModel model;
  float alpha = 0.0f;
  float4x4 world;
  float3 position{0, 0, 0};
};
