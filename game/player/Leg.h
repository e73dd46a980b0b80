#pragma once

#include "framework/VelMath.h"
#include "framework/VelModel.h"

class GameScene;

// One of the player's legs: swings while walking, kicks up on a standing
// jump and folds when the body dies.
class Leg {
 public:
  enum class Side { Right, Left };

  Leg(GameScene* scene, Side side);
  void Update(float yaw);
  void Draw();

  GameScene* scene;
  Side side;
  VelModel model;
  float4x4 world;
  float4x4 translation;
  float4x4 yawRotation;
  float4x4 offset;
  bool walking = false;
  float phase = 0.0f;  // degrees
  float swing = 0.0f;  // radians
  float4x4 swingRotation;
  bool jumpActive = false;
  bool jumpPeak = false;
  float jumpBlend = 0.0f;
  float4x4 jumpPose;
  float4x4 jumpRest;
  float4x4 jumpTarget;
  float4x4 deathPose;
  float4x4 deathRest;
  float4x4 deathTarget;
  float deathT = 0.0f;
};
