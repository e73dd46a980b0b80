#pragma once

#include "game/enemy/C_EnemyBullet.h"

// The red and yellow enemies' shot: flies 2 units per frame toward the point 2
// above where the player stood when it was fired, drawn 1 up and 4 toward the
// camera's view direction from its logical position. It passes through walls
// for its first five frames so that it leaves the shooter's surroundings.
class C_NormalBullet : public C_EnemyBullet {
 public:
  // Ends a bullet that has flown out of sight (the camera's far plane) of the
  // player, so missed shots do not pile up.
  static constexpr float kMaxDistanceFromPlayer = 2500.0f;

  C_NormalBullet(GameScene* scene, const float3& position);
  bool Update(GameScene* scene) override;

  float4x4 positionMatrix;
  int animationCounter = 0;
  int wallDelay = 6;

 private:
  void WriteQuad();
  bool HitsWall(const GameScene& scene) const;
};
