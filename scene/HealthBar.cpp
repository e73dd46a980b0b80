#include "scene/HealthBar.h"

#include <algorithm>

#include "scene/GameScene.h"
#include "scene/HudSprite.h"

HealthBar::HealthBar(GameScene* scene) : scene(scene), coverTransform(MatrixTranslation(-500, -300, 0)) {
  cover.Load("Data/Texture/HPCover2.png");
  bar.Load("Data/Texture/PlayerHP.png");
}

void HealthBar::Update() {
  const Player& player = *scene->player;
  // A blow can take the health below zero for a frame; the bar then stays
  // empty instead of growing mirrored to the left.
  float health = float(std::max(player.GetHP(), 0));
  float maxHealth = float(player.GetMaxHP());
  float width = float(bar.GetWidth());
  barSource = {int(width / maxHealth * (health - 1.0f)), 0, 1, int(bar.GetHeight())};
  barTransform = MatrixScaling(width * health / maxHealth, 1, 1) * MatrixTranslation(-610, -300, 0);
}

void HealthBar::Draw() {
  DrawHudSprite(cover, coverTransform, {0, 0, 240, 40}, 1.0f);
  DrawHudSprite(bar, barTransform, barSource, 1.0f, {0.0f, 0.5f});
}
