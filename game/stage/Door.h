#pragma once

#include "framework/VelMath.h"
#include "framework/VelModel.h"

class GameScene;

// The gate after the first wave: rises to 40 once four enemies are down.
class Door {
 public:
  explicit Door(GameScene* scene);
  void Update();
  void Draw();

  GameScene* scene;
  VelModel model;
  float4x4 world;  // the model carries its own placement
  float4x4 step;
  bool openSoundPlayed = false;
  bool stopSoundPlayed = false;
};
