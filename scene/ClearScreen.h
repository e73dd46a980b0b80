#pragma once

#include "framework/VelMath.h"
#include "framework/VelTexture.h"
#include "platform/Platform.h"

class GameScene;

// Shown once every enemy is defeated: the caption with a ghost of itself that
// swells and fades, then the button back to the title.
class ClearScreen {
 public:
  explicit ClearScreen(GameScene* scene);
  void Update();
  void Draw();

  GameScene* scene;
  VelTexture caption;
  VelTexture ghost;
  VelTexture button;
  float4x4 captionTransform;
  float4x4 ghostTransform;
  float4x4 buttonTransform;
  float4x4 ghostScaling;
  float4x4 ghostPlace;
  bool active = false;
  float ghostScale = 0.0f;
  float ghostOpacity = 1.0f;
  float buttonOpacity = 0.4f;
  bool titleChosen = false;
  bool triggered = false;
  PlatformPoint windowCentre{640, 360};
};
