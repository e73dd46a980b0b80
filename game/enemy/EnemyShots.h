#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "framework/VelMath.h"
#include "game/enemy/C_EnemyBullet.h"
#include "game/enemy/C_EnemyFlash.h"

class GameScene;

// The enemies' bullets and muzzle flashes, in order of firing.
class EnemyShots {
 public:
  static constexpr int kNormalBullet = 0;
  static constexpr int kNormalFlash = 1;

  explicit EnemyShots(GameScene* scene);
  ~EnemyShots();
  // Kind 0: a normal bullet aimed at the player; other kinds create nothing.
  void AddBullet(const float3& position, int kind);
  // Kind 1: a normal flash in front of the shooter; other kinds create nothing.
  void AddFlash(const float4x4& shooter, int kind);
  // Bullets, then flashes; a finished one is deleted and the next takes its
  // slot in the same pass.
  void Update();
  void Draw();
  // For the player's update, when a bullet has hit it.
  void RemoveBullet(size_t index);

  GameScene* scene;
  std::vector<std::unique_ptr<C_EnemyBullet>> bullets;
  std::vector<std::unique_ptr<C_EnemyFlash>> flashes;
};
