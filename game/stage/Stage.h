#pragma once

#include "framework/VelMath.h"
#include "framework/VelModel.h"

class GameScene;

// The level itself: drawn, and the main collision geometry. It never moves.
class Stage {
 public:
  explicit Stage(GameScene* scene);
  void Draw();

  GameScene* scene;
  VelModel model;
  float4x4 world;
};
