#pragma once

#include "framework/VelMath.h"
#include "framework/VelModel.h"

class GameScene;

// The parked airplane. A simplified hull blocks movement while the detailed
// model is drawn; both sit at the same place.
class Airplane {
 public:
  explicit Airplane(GameScene* scene);
  void Draw();

  GameScene* scene;
  VelModel collisionModel;
  VelModel visualModel;
  float4x4 world;
};
