#pragma once

#include "framework/VelBuffer.h"
#include "framework/VelMath.h"
#include "framework/VelTexture.h"

// A muzzle flash of an enemy's shot: a camera-facing quad drawn by world.
class C_EnemyFlash {
 public:
  virtual ~C_EnemyFlash();
  // One frame; false once the flash is finished.
  virtual bool Update();
  virtual void Draw();

  VelBuffer vertexBuffer;
  VelTexture texture;
  float4x4 world;
};
