#pragma once

#include <memory>

#include "scene/AmmunitionCounter.h"
#include "scene/BossWarning.h"
#include "scene/ChargeCooldownGauge.h"
#include "scene/ClearScreen.h"
#include "scene/DeadScreen.h"
#include "scene/Fade.h"
#include "scene/HealthBar.h"
#include "scene/ItemSlots.h"
#include "scene/ReloadDisplay.h"
#include "scene/Sight.h"
#include "scene/WeaponPanel.h"

class GameScene;

// The game scene's screen overlay: the player's displays and the screens of
// the game flow, updated every frame (frozen world or not) and drawn in the
// sprite pass.
class Hud {
 public:
  explicit Hud(GameScene* scene);
  ~Hud();
  void Update();
  void Draw();

  // The switches the player and the items flip.
  void SetChargeGaugeVisible(bool visible) { chargeCooldownGauge->visible = visible; }
  void SetReloading(bool reloading) { reloadDisplay->reloading = reloading; }
  void CollectMagazine() { itemSlots->magazineCollected = true; }
  void CollectAttachment() { itemSlots->attachmentCollected = true; }

  GameScene* scene;
  // In the order they are created and destroyed.
  std::unique_ptr<Fade> fade;
  std::unique_ptr<HealthBar> healthBar;
  std::unique_ptr<WeaponPanel> weaponPanel;
  std::unique_ptr<ItemSlots> itemSlots;
  std::unique_ptr<ChargeCooldownGauge> chargeCooldownGauge;
  std::unique_ptr<Sight> sight;
  std::unique_ptr<AmmunitionCounter> ammunitionCounter;
  std::unique_ptr<ReloadDisplay> reloadDisplay;
  std::unique_ptr<ClearScreen> clearScreen;
  std::unique_ptr<DeadScreen> deadScreen;
  std::unique_ptr<BossWarning> bossWarning;
};
