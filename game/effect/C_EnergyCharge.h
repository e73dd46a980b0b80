#pragma once

#include "game/effect/C_TexEffect.h"

// The charge-shot glow at the muzzle. It counts the charge while the button
// is held, hums once the charge is full and releases the shot when the button
// is let go; a charge let go early winds down and fires nothing.
class C_EnergyCharge : public C_TexEffect {
 public:
  C_EnergyCharge();
  // A glow deleted while it hums (the scene ends mid-charge) stops the hum.
  ~C_EnergyCharge() override;
  bool UpdateWithScene(GameScene* scene) override;
  // The world stands still (death, clear, an inactive window): the hum goes
  // quiet, and comes back on the next update if the charge is still held.
  void PauseHum();
  const char* ClassName() const override { return "C_EnergyCharge"; }

  bool charged = false;
  bool humming = false;
  bool humPaused = false;

 private:
  void ReleaseShot(GameScene* scene);
};
