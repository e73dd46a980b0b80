#pragma once

#include "framework/VelBuffer.h"
#include "framework/VelMath.h"
#include "framework/VelTexture.h"

class GameScene;

// A shot of an enemy: a camera-facing quad drawn by world, with a logical
// position, radius and damage for the player's test.
class C_EnemyBullet {
 public:
  virtual ~C_EnemyBullet();
  // One frame; false once the bullet is finished.
  virtual bool Update(GameScene* scene);
  // The quad as a four-vertex strip with the sheet, in the effect path.
  virtual void Draw();
  virtual const float4x4& GetMatrix() const;
  virtual const float3& GetPosition() const;
  virtual float GetRadius() const;
  virtual int GetPower() const;

  VelBuffer vertexBuffer;
  VelTexture texture;
  float4x4 world;
  float3 position;
  float3 velocity;
  float radius = 0.0f;
  int power = 0;
};

// The inverse of the current view's rotation: turns a quad in its own plane to
// face the camera.
float4x4 CameraFacingRotation();
