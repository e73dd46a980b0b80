#include "scene/ReloadDisplay.h"

#include <algorithm>

#include "scene/GameScene.h"
#include "scene/HudSprite.h"

namespace {
constexpr int kLowAmmo = 10;
constexpr float kStep = 0.1f;
}  // namespace

ReloadDisplay::ReloadDisplay(GameScene* scene)
    : scene(scene),
      keyTransform(MatrixTranslation(0, -150, 0)),
      promptTransform(MatrixTranslation(110, -152, 0)),
      coverTransform(MatrixTranslation(120, -150, 0)),
      captionTransform(MatrixTranslation(120, -100, 0)) {
  key.Load("Data/Texture/R.png");
  prompt.Load("Data/Texture/reload.png");
  cover.Load("Data/Texture/ReloadCover.png");
  gauge.Load("Data/Texture/ReloadGauge.png");
  caption.Load("Data/Texture/nowReload.png");
}

void ReloadDisplay::Update() {
  const Player& player = *scene->player;
  if (player.GetAmmo() > kLowAmmo || reloading) {
    promptShown = false;
    promptOpacity = std::max(promptOpacity - kStep, 0.0f);
  } else {
    promptShown = true;
    promptOpacity = std::min(promptOpacity + kStep, 0.8f);
  }
  if (reloading) {
    float time = float(player.GetReloadTime());
    float done = time - float(player.GetReloadCounter());
    float width = float(gauge.GetWidth());
    gaugeSource = {int(done * (width / time) - 1.0f), 0, 1, int(gauge.GetHeight())};
    gaugeTransform = MatrixScaling(done * width / time, 1, 1) * MatrixTranslation(-23, -150, 0);
    gaugeOpacity = std::min(gaugeOpacity + kStep, 1.0f);
  } else {
    gaugeOpacity = std::max(gaugeOpacity - kStep, 0.0f);
  }
}

void ReloadDisplay::Draw() {
  DrawHudSprite(key, keyTransform, {0, 0, 61, 64}, promptOpacity);
  DrawHudSprite(prompt, promptTransform, {0, 0, 172, 63}, promptOpacity);
  DrawHudSprite(cover, coverTransform, {0, 0, 300, 38}, gaugeOpacity);
  DrawHudSprite(gauge, gaugeTransform, gaugeSource, gaugeOpacity, {0.0f, 0.5f});
  DrawHudSprite(caption, captionTransform, {0, 0, 207, 61}, gaugeOpacity);
}
