#pragma once

#include "framework/VelMath.h"
#include "framework/VelSprite.h"
#include "framework/VelTexture.h"

class GameScene;

// The wait after a charged shot: a bar that grows from empty to full as the
// charge cooldown runs out, shown while the cooldown runs.
class ChargeCooldownGauge {
 public:
  explicit ChargeCooldownGauge(GameScene* scene);
  void Update();
  void Draw();

  GameScene* scene;
  VelTexture cover;
  VelTexture bar;
  float4x4 coverTransform;
  float4x4 barTransform;
  VelSpriteRect barSource;
  bool visible = false;
  float opacity = 0.0f;
};
