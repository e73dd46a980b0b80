#pragma once

#include "framework/VelMath.h"
#include "framework/VelTexture.h"

class GameScene;

// Once per play-through, when the player crosses the boss line: flashes the
// warning over the screen for 150 frames and changes the music; the third
// wave waits for the countdown to run out.
class BossWarning {
 public:
  explicit BossWarning(GameScene* scene);
  // A play-through that ends during the warning (retry, back to the title)
  // takes the warning music with it.
  ~BossWarning();
  void Update();
  void Draw();

  GameScene* scene;
  VelTexture texture;
  float4x4 transform;
  float opacity = 0.0f;
  bool active = false;
  bool fadingDown = false;
  int framesLeft = 150;
  bool triggered = false;
};
