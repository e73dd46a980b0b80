#include "scene/BossWarning.h"

#include "framework/VelSoundManager.h"
#include "scene/GameScene.h"
#include "scene/HudSprite.h"

namespace {
constexpr float kBlinkStep = 0.01f;
constexpr float kBlinkPeak = 0.7f;
constexpr char kWarningMusic[] = "Data/Sound/warning.wav";
}  // namespace

BossWarning::BossWarning(GameScene* scene) : scene(scene) {
  texture.Load("Data/Texture/Warning.png");
}

BossWarning::~BossWarning() {
  if (active) VelSoundManager::GetInstance().StopLoop(kWarningMusic);
}

void BossWarning::Update() {
  VelSoundManager& sound = VelSoundManager::GetInstance();
  // The boss line is the third wave's trigger line.
  float lineZ = scene->enemies->thirdTrigger.point.z;
  if (scene->player->GetPosition().z >= lineZ && !triggered && !active) {
    active = true;
    triggered = true;
    sound.StopLoop("Data/Sound/game.wav");
    sound.PlayLoop(kWarningMusic, 0.2f);
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
    sound.StopLoop(kWarningMusic);
    // The third wave has waited for the countdown.
    scene->enemies->EndBossWarning();
  }
}

void BossWarning::Draw() {
  if (active) DrawHudSprite(texture, transform, {0, 0, 1280, 720}, opacity);
}
