#pragma once

#include "framework/VelMath.h"
#include "framework/VelModel.h"

class GameScene;

// A hemisphere that turns slowly; drawn twice, the second time mirrored below
// the horizon, so one model closes into a whole sky.
class Sky {
 public:
  explicit Sky(GameScene* scene);
  void Update();
  void Draw();

  GameScene* scene;
  VelModel model;
  float angle = 0.0f;  // degrees
  float4x4 placement;
  float4x4 world;
};
