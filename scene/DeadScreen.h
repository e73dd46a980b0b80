#pragma once

#include "framework/VelMath.h"
#include "framework/VelTexture.h"
#include "platform/Platform.h"

class GameScene;

// Shown once the player has died: the shaking caption and the buttons back to
// the title and into a retry.
class DeadScreen {
 public:
  explicit DeadScreen(GameScene* scene);
  void Update();
  void Draw();

  GameScene* scene;
  VelTexture caption;
  VelTexture titleButton;
  VelTexture retryButton;
  float4x4 captionTransform;
  float4x4 titleButtonTransform;
  float4x4 retryButtonTransform;
  bool active = false;
  float shake = 0.0f;
  bool shakingDown = true;
  float titleButtonOpacity = 0.4f;
  float retryButtonOpacity = 0.4f;
  bool titleChosen = false;
  bool retryChosen = false;
  bool triggered = false;
  PlatformPoint windowCentre{640, 360};

 private:
  // Brightens the button under the cursor; a press on it starts the fade out
  // and chooses it (the decision sound once).
  void UpdateButton(const VelTexture& button, const float4x4& transform, float2 cursor, float& opacity,
                    bool& chosen);
};
