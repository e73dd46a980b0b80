#pragma once

// The two weapon indicators of the HUD as the weapon switches them: the
// reload caption (on while a reload runs) and the charge-cooldown gauge (on
// from a charge shot until its cooldown has run out). The HUD draws what
// they say.
class HudIndicators {
 public:
  void SwitchReload(bool on) { reload = on; }
  void SwitchChargeCooldown(bool on) { chargeCooldown = on; }
  bool ReloadOn() const { return reload; }
  bool ChargeCooldownOn() const { return chargeCooldown; }

 private:
  bool reload = false;
  bool chargeCooldown = false;
};
