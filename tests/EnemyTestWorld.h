#pragma once

// The game scene of GameTestWorld with helpers for driving enemies, their
// shots and shields by hand on the generated stage.

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "GameTestWorld.h"
#include "game/enemy/EnemyManager.h"
#include "game/enemy/EnemyShots.h"

class EnemyTestWorld : public GameTestWorld {
 protected:
  using Op = VelSoundEngine::Call::Op;

  EnemyManager& manager() { return *game->enemies; }
  EnemyShots& shots() { return *game->enemyShots; }

  // Appends an enemy to the manager's list, as a wave would.
  template <class Enemy>
  Enemy& Add(const float3& at) {
    auto owned = std::make_unique<Enemy>(at);
    Enemy& enemy = *owned;
    manager().enemies.push_back(std::move(owned));
    return enemy;
  }

  // Marks the first two waves as released, so that a player placed beyond
  // their lines does not bring them in.
  void FirstWavesDone() {
    manager().firstTrigger.fired = true;
    manager().secondTrigger.fired = true;
  }

  void PlacePlayer(const float3& at) { game->player->position = at; }

  // Updates one enemy on its own, as the manager's pass would.
  static bool Step(C_Enemy& enemy, GameScene* scene, int frames = 1) {
    bool alive = true;
    for (int i = 0; i < frames && alive; ++i) alive = enemy.Update(scene);
    return alive;
  }

  static float Horizontal(const float3& a, const float3& b) {
    const float dx = a.x - b.x;
    const float dz = a.z - b.z;
    return std::sqrt(dx * dx + dz * dz);
  }

  int CountPlayed(Op op, const std::string& file) const {
    const auto files = Played(op);
    return static_cast<int>(std::count(files.begin(), files.end(), file));
  }

  int CountEffects(const std::string& className) const {
    int count = 0;
    for (const auto& effect : game->effects->effects) count += className == effect->ClassName();
    return count;
  }

  void ClearSounds() { VelSoundEngine::GetInstance().ClearRecord(); }
};
