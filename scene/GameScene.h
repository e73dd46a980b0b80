#pragma once

#include <memory>
#include <vector>

#include "app/Scene.h"
#include "framework/VelGraphicsTypes.h"
#include "game/effect/C_EffectManager.h"
#include "game/enemy/EnemyManager.h"
#include "game/enemy/EnemyShots.h"
#include "game/item/ItemManager.h"
#include "game/player/Gun.h"
#include "game/player/Hand.h"
#include "game/player/Leg.h"
#include "game/player/Player.h"
#include "game/player/PlayerShots.h"
#include "game/stage/Sky.h"
#include "game/stage/StageObjects.h"
#include "scene/Camera.h"
#include "scene/Hud.h"
#include "scene/HudIndicators.h"

// The play screen: owns everything of one play-through, updates the world in
// a fixed order while play runs and draws it in a fixed order of passes.
class GameScene : public Scene {
 public:
  GameScene();
  ~GameScene() override;
  void Update() override;
  void SetCamera() override;
  void Draw() override;

  // The enemies and enemy bullets as the player's contact tests see them, in
  // list order.
  std::vector<ContactBody> EnemyBodies() const;
  std::vector<ContactBody> EnemyBulletBodies() const;

  // Whether the world advances this frame.
  bool WorldRuns() const;

  // Members in the order they are created and destroyed.
  std::unique_ptr<Camera> camera;
  std::unique_ptr<Hud> hud;
  std::unique_ptr<Player> player;
  std::unique_ptr<Hand> gunHand;
  std::unique_ptr<Hand> freeHand;
  std::unique_ptr<Leg> rightLeg;
  std::unique_ptr<Leg> leftLeg;
  std::unique_ptr<Gun> gun;
  std::unique_ptr<PlayerShots> playerShots;
  std::unique_ptr<Sky> sky;
  std::unique_ptr<StageObjects> stage;
  std::unique_ptr<C_EffectManager> effects;
  std::unique_ptr<EnemyManager> enemies;
  std::unique_ptr<EnemyShots> enemyShots;
  std::unique_ptr<ItemManager> items;

  // What the weapon has switched on the HUD; the HUD draws from it.
  HudIndicators hudIndicators;

  int killCount = 0;
  bool musicStarted = false;
  std::shared_ptr<VelBlendState> additiveBlend;
  std::shared_ptr<VelBlendState> alphaBlend;
  std::shared_ptr<VelDepthStencilState> depthTestNoWrite;
  std::shared_ptr<VelDepthStencilState> depthTestWrite;
};
