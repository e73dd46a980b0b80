#pragma once

#include "framework/VelMath.h"
#include "framework/VelModel.h"

class GameScene;

// The handgun in the player's hand. Its world matrix is the muzzle frame:
// the third row is the firing direction, the translation the bullet start.
class Gun {
 public:
  explicit Gun(GameScene* scene);
  void Update(float pitch, float yaw);
  void Draw();
  const float4x4& GetWorld() const { return world; }

  GameScene* scene;
  VelModel model;
  float4x4 world;
  float4x4 translation;
  float4x4 pitchRotation;
  float4x4 yawRotation;
  float4x4 offset;
  float4x4 runPose;
  float4x4 runRest;
  float4x4 runTarget;
  float runT = 0.0f;
  float4x4 deathPose;
  float4x4 deathRest;
  float4x4 deathTarget;
  float deathT = 0.0f;
};
