#pragma once

#include "framework/VelMath.h"
#include "framework/VelModel.h"

class GameScene;

// One of the player's hands. The gun hand follows the aim and tucks in while
// running; the free hand only turns with the body.
class Hand {
 public:
  enum class Kind { Gun, Free };

  Hand(GameScene* scene, Kind kind);
  // The free hand ignores pitch.
  void Update(float pitch, float yaw);
  void Draw();

  GameScene* scene;
  Kind kind;
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
