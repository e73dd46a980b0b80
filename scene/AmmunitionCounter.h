#pragma once

#include "framework/VelMath.h"
#include "framework/VelTexture.h"

class GameScene;

// The rounds in the magazine over the magazine capacity, in digits of the
// number texture, each number right-aligned at its anchor.
class AmmunitionCounter {
 public:
  explicit AmmunitionCounter(GameScene* scene);
  void Draw();

  GameScene* scene;
  VelTexture digits;
  VelTexture separator;
  float4x4 separatorTransform;

 private:
  // The number's digits from the last to the first, starting at the anchor
  // and one digit width further left each.
  void DrawNumber(int value, float x, float y);
};
