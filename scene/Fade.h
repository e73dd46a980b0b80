#pragma once

#include "framework/VelMath.h"
#include "framework/VelTexture.h"

class GameScene;

// The black overlay over the whole screen: fades the play-through in, dims it
// on death, fades it out after a button was clicked and then requests the
// next scene.
class Fade {
 public:
  explicit Fade(GameScene* scene);
  void Update();
  void Draw();

  GameScene* scene;
  VelTexture texture;
  float4x4 transform;
  float opacity = 1.0f;
  float fadeStep = 0.02f;
  float dimStep = 0.001f;
  bool fadingIn = true;
  bool fadingOut = false;
};
