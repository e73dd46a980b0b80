#pragma once

#include "framework/VelMath.h"
#include "framework/VelSprite.h"
#include "framework/VelTexture.h"

class GameScene;

// The reload prompt, shown while the magazine runs low, and the reload gauge
// with its caption, shown while a reload runs.
class ReloadDisplay {
 public:
  explicit ReloadDisplay(GameScene* scene);
  void Update();
  void Draw();

  GameScene* scene;
  VelTexture key;
  VelTexture prompt;
  VelTexture cover;
  VelTexture gauge;
  VelTexture caption;
  float4x4 keyTransform;
  float4x4 promptTransform;
  float4x4 coverTransform;
  float4x4 gaugeTransform;
  float4x4 captionTransform;
  VelSpriteRect gaugeSource;
  bool reloading = false;
  bool promptShown = false;
  float promptOpacity = 0.0f;
  float gaugeOpacity = 0.0f;
};
