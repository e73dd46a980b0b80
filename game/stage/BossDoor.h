#pragma once

#include "framework/VelMath.h"
#include "framework/VelModel.h"

class GameScene;

// The two leaves in front of the boss area: they slide apart to x = -40 and
// x = 40 once sixteen enemies are down.
class BossDoor {
 public:
  explicit BossDoor(GameScene* scene);
  void Update();
  void Draw();

  GameScene* scene;
  VelModel leftModel;
  VelModel rightModel;
  float4x4 leftWorld;
  float4x4 rightWorld;
  float4x4 soundPlace;  // only its translation is used
  float4x4 leftStep;
  float4x4 rightStep;
  bool openSoundPlayed = false;
  bool stopSoundPlayed = false;
};
