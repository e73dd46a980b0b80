#pragma once

#include <memory>
#include <vector>

#include "framework/VelMath.h"
#include "game/enemy/C_Enemy.h"
#include "game/enemy/C_Shield.h"

class GameScene;

// Owns the living enemies and the boss shields: releases the three waves when
// the player reaches their lines, updates the enemies, removes the dead ones
// with an explosion (counting them in the scene's killCount) and keeps
// overlapping enemies apart.
class EnemyManager {
 public:
  struct Trigger {
    bool fired = false;
    float3 point;  // only z is read
  };

  explicit EnemyManager(GameScene* scene);
  ~EnemyManager();
  void Update();
  void Draw();
  void DrawShields();

  // For a red enemy that reaches half its hit points.
  void AddShield();
  // Moves every shield to the caller's position and steps its fades; a shield
  // that has faded out after breaking is removed.
  void UpdateShields(const float3& position);

  // The game flow calls this once the boss warning's countdown has run down;
  // the third wave comes on the next enemy update.
  void EndBossWarning() { bossWarningOver = true; }

  GameScene* scene;
  std::vector<std::unique_ptr<C_Enemy>> enemies;
  std::vector<std::unique_ptr<C_Shield>> shields;
  Trigger firstTrigger{false, {0.0f, 0.0f, -115.0f}};
  Trigger secondTrigger{false, {0.0f, 0.0f, 10.0f}};
  // Its z is the boss line where the boss warning starts.
  Trigger thirdTrigger{false, {0.0f, 0.0f, 485.0f}};
  bool bossWarningOver = false;

 private:
  void SpawnWaves(const float3& playerPosition);
  void SeparateFromOthers(size_t index);
};
