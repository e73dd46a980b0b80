#include "game/effect/C_EnergyCharge.h"

#include "framework/VelSoundManager.h"
#include "platform/Platform.h"
#include "scene/GameScene.h"

namespace {
constexpr float kHalfSize = 2.0f;
// Held past this counter the charge is full; the glow then cycles from kCycleStart.
constexpr int kFullAt = 45;
constexpr int kCycleStart = 10;
constexpr char kHumSound[] = "Data/Sound/stayCharge.wav";
}  // namespace

C_EnergyCharge::C_EnergyCharge() {
  color = {1, 1, 1, 1};
  CreateQuadBuffer();
  LoadSheet("EnergyCharge.png");
}

C_EnergyCharge::~C_EnergyCharge() {
  if (humming) VelSoundManager::GetInstance().StopLoop(kHumSound);
}

bool C_EnergyCharge::UpdateWithScene(GameScene* scene) {
  // Counters past the sheet's ten cells wrap through the sampler.
  WriteStripQuad(kHalfSize, 10, 4);
  VelSoundManager& sound = VelSoundManager::GetInstance();
  const bool held = Sys().IsKeyDown(Key::RButton);
  if (humPaused) {
    humPaused = false;
    if (held) {
      humming = true;
      sound.PlayLoop(kHumSound, 0.3f);
    }
  }
  if (!held) {
    if (humming) {
      humming = false;
      sound.StopLoop(kHumSound);
    }
    if (--counter <= 0) {
      counter = 0;
      return false;
    }
    if (charged) {
      ReleaseShot(scene);
      return false;
    }
  } else if (++counter > kFullAt) {
    counter = kCycleStart;
    charged = true;
    if (!humming) {
      humming = true;
      sound.PlayLoop(kHumSound, 0.3f);
    }
  }
  position = GunMuzzlePoint(*scene);
  Billboard();
  return true;
}

void C_EnergyCharge::PauseHum() {
  if (!humming) return;
  humming = false;
  humPaused = true;
  VelSoundManager::GetInstance().StopLoop(kHumSound);
}

void C_EnergyCharge::ReleaseShot(GameScene* scene) {
  scene->playerShots->Spawn(PlayerShots::kChargeBullet);
  scene->playerShots->Spawn(PlayerShots::kChargeFlash);
  scene->player->StartChargeCooldown();
  VelSoundManager::GetInstance().Play("Data/Sound/chargeBullet.wav", 0.3f);
}
