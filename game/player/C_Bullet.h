#pragma once

// A player bullet: a camera-facing quad that leaves the gun's muzzle, steers
// every frame toward the point under the crosshair at the moment of firing
// and ends on the first enemy, shield or surface it touches, or once it is
// too far from the player. An update returning false means the bullet is
// finished and its owner deletes it.

#include "framework/VelBuffer.h"
#include "framework/VelMath.h"
#include "framework/VelTexture.h"

class GameScene;

class C_Bullet {
 public:
  // What sets the two kinds apart, apart from size and damage.
  struct Kind {
    int lostEffect;
    int hitEffect;
    float4 hitColor;
    float4 belowHalfColor;  // for an enemy left with less than half its HP
    int hitNumber;
    bool hurtsShields;
    int shieldEffect;
    int shieldNumber;
    const char* surfaceSound;
  };

  virtual ~C_Bullet();
  virtual bool Update(GameScene* scene);
  virtual void Draw();
  virtual const float4x4& GetMatrix() const { return world; }
  virtual float GetRadius() const { return radius; }
  virtual int GetPower() const { return damage; }
  // The class name, for traces.
  virtual const char* ClassName() const = 0;

  VelBuffer vertexBuffer;
  VelTexture texture;
  float4x4 world;
  float3 position;
  float3 velocity;
  float3 aimOrigin;
  float3 aimDirection;
  float radius = 0.0f;
  int damage = 0;
  float range = 0.0f;

 protected:
  // Starts at the gun's muzzle along its forward axis and keeps the camera's
  // centre ray of this moment as the aim.
  C_Bullet(GameScene* scene, const char* textureFile, float halfSize, float radius, int damage);
  // One frame of flight, hits included; false once the bullet is finished.
  bool Fly(GameScene* scene, const Kind& kind);

 private:
  void SteerToward(float distance);
};
