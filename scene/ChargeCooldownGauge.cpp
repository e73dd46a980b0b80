#include "scene/ChargeCooldownGauge.h"

#include <algorithm>

#include "scene/GameScene.h"
#include "scene/HudSprite.h"

ChargeCooldownGauge::ChargeCooldownGauge(GameScene* scene)
    : scene(scene), coverTransform(MatrixTranslation(450, -225, 0)) {
  cover.Load("Data/Texture/gaugeCover.png");
  bar.Load("Data/Texture/gauge.png");
}

void ChargeCooldownGauge::Update() {
  opacity = visible ? std::min(opacity + 0.1f, 0.8f) : std::max(opacity - 0.1f, 0.0f);
  const Player& player = *scene->player;
  float length = float(player.GetChargeCooldownLength());
  float done = length - float(player.GetChargeCooldown());
  float width = float(bar.GetWidth());
  barSource = {int(done * (width / length) - 1.0f), 0, 1, int(bar.GetHeight())};
  barTransform = MatrixScaling(done * width / length, 1, 1) * MatrixTranslation(380, -225, 0);
}

void ChargeCooldownGauge::Draw() {
  DrawHudSprite(cover, coverTransform, {0, 0, 154, 30}, opacity);
  DrawHudSprite(bar, barTransform, barSource, opacity, {0.0f, 0.5f});
}
