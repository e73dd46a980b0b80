#pragma once

// A short-lived camera-facing sprite on the gun's muzzle that goes with a
// shot. It follows the gun every frame; an update returning false means the
// flash is over and its owner deletes it.

#include "framework/VelBuffer.h"
#include "framework/VelMath.h"
#include "framework/VelTexture.h"

class GameScene;

class C_Flash {
 public:
  virtual ~C_Flash();
  virtual bool Update(GameScene* scene);
  virtual void Draw();
  // The class name, for traces.
  virtual const char* ClassName() const = 0;

  VelBuffer vertexBuffer;
  VelTexture texture;
  float4x4 world;

 protected:
  // world = facing x (the camera's rotation) x translation to the muzzle
  // point, a point in the gun's own space.
  void PlaceOnMuzzle(const GameScene& scene, const float3& muzzlePoint,
                     const float4x4& facing = MatrixIdentity());
};
