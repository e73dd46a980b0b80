#include "scene/BossWarning.h"

#include "framework/VelSoundManager.h"
#include "scene/GameScene.h"
#include "scene/HudSprite.h"

namespace {
constexpr float kBlinkStep = 0.01f;
constexpr float kBlinkPeak = 0.7f;
// The z of the line that releases the third wave.
constexpr float kBossLineZ = 485.0f;
}  // namespace

BossWarning::BossWarning(GameScene* scene) : scene(scene) {
  texture.Load("Data/Texture/Warning.png");
}

void BossWarning::Update() {
  VelSoundManager& sound = VelSoundManager::GetInstance();
  if (scene->player->GetPosition().z >= kBossLineZ && !triggered && !active) {
    active = true;
    triggered = true;
    sound.StopLoop("Data/Sound/game.wav");
    sound.PlayLoop("Data/Sound/warning.wav", 0.2f);
    sound.PlayLoop("Data/Sound/Boss.wav", 0.1f);
  }
  if (!active) return;
  --framesLeft;

  if (!fadingDown) {
    opacity += kBlinkStep;
    if (ReachedUp(opacity, kBlinkPeak)) {
      opacity = kBlinkPeak;
      fadingDown = true;
    }
  }
  if (fadingDown) {
    opacity -= kBlinkStep;
    if (ReachedDown(opacity, 0.0f)) {
      opacity = 0.0f;
      fadingDown = false;
    }
  }

  if (framesLeft <= 0) {
    framesLeft = 0;
    active = false;
    sound.StopLoop("Data/Sound/warning.wav");
  }
}

void BossWarning::Draw() {
  if (active) DrawHudSprite(texture, transform, {0, 0, 1280, 720}, opacity);
}
