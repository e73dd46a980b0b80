#pragma once

#include "framework/VelMath.h"
#include "framework/VelSprite.h"
#include "framework/VelTexture.h"

class GameScene;

// The player's health: one texel column of the bar texture, picked by the
// health and stretched to a length proportional to it, under its cover.
class HealthBar {
 public:
  explicit HealthBar(GameScene* scene);
  void Update();
  void Draw();

  GameScene* scene;
  VelTexture cover;
  VelTexture bar;
  float4x4 coverTransform;
  float4x4 barTransform;
  VelSpriteRect barSource;
};
