#pragma once

#include "framework/VelMath.h"
#include "framework/VelTexture.h"

// The aiming mark, fixed at the screen centre whatever the camera does.
class Sight {
 public:
  Sight();
  void Draw();

  VelTexture texture;
  float4x4 transform;
};
