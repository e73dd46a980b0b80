#pragma once

#include <memory>
#include <vector>

#include "game/player/C_Bullet.h"
#include "game/player/C_Flash.h"

class GameScene;

// The player's bullets and the flashes at the gun's muzzle that go with them.
class PlayerShots {
 public:
  enum SpawnKind { kBullet = 0, kChargeBullet = 1, kMuzzleFlash = 2, kBarrelFlash = 3, kChargeFlash = 4 };

  explicit PlayerShots(GameScene* scene);
  ~PlayerShots();
  // Appends one new object of the kind; other kinds create nothing.
  void Spawn(int kind);
  // Every bullet, then every flash, once each in order; a finished one is
  // deleted at once and the one that takes its place is updated next.
  void Update();
  // Bullets, then flashes.
  void Draw();

  GameScene* scene;
  std::vector<std::unique_ptr<C_Bullet>> shots;
  std::vector<std::unique_ptr<C_Flash>> flashes;
};
