#include "scene/Hud.h"

Hud::Hud(GameScene* scene)
    : scene(scene),
      fade(std::make_unique<Fade>(scene)),
      healthBar(std::make_unique<HealthBar>(scene)),
      weaponPanel(std::make_unique<WeaponPanel>()),
      itemSlots(std::make_unique<ItemSlots>()),
      chargeCooldownGauge(std::make_unique<ChargeCooldownGauge>(scene)),
      sight(std::make_unique<Sight>()),
      ammunitionCounter(std::make_unique<AmmunitionCounter>(scene)),
      reloadDisplay(std::make_unique<ReloadDisplay>(scene)),
      clearScreen(std::make_unique<ClearScreen>(scene)),
      deadScreen(std::make_unique<DeadScreen>(scene)),
      bossWarning(std::make_unique<BossWarning>(scene)) {}

Hud::~Hud() {
  fade.reset();
  healthBar.reset();
  weaponPanel.reset();
  itemSlots.reset();
  chargeCooldownGauge.reset();
  sight.reset();
  ammunitionCounter.reset();
  reloadDisplay.reset();
  clearScreen.reset();
  deadScreen.reset();
  bossWarning.reset();
}

void Hud::Update() {
  fade->Update();
  healthBar->Update();
  chargeCooldownGauge->Update();
  reloadDisplay->Update();
  itemSlots->Update();
  clearScreen->Update();
  deadScreen->Update();
  bossWarning->Update();
}

void Hud::Draw() {
  healthBar->Draw();
  weaponPanel->Draw();
  itemSlots->Draw();
  chargeCooldownGauge->Draw();
  sight->Draw();
  ammunitionCounter->Draw();
  reloadDisplay->Draw();
  clearScreen->Draw();
  // The warning blinks under the fade; the dead screen stays above it.
  bossWarning->Draw();
  fade->Draw();
  deadScreen->Draw();
}
