#include "scene/AmmunitionCounter.h"

#include <cstdio>
#include <cstring>

#include "scene/GameScene.h"
#include "scene/HudSprite.h"

namespace {
constexpr int kDigitAdvance = 27;
}

AmmunitionCounter::AmmunitionCounter(GameScene* scene)
    : scene(scene), separatorTransform(MatrixTranslation(555, -308, 0)) {
  digits.Load("Data/Texture/num.png");
  separator.Load("Data/Texture/cross.png");
}

void AmmunitionCounter::Draw() {
  const Player& player = *scene->player;
  DrawNumber(player.GetAmmo(), 550, -287);
  DrawNumber(player.GetMagazineCapacity(), 620, -293);
  DrawHudSprite(separator, separatorTransform, {0, 0, 40, 40}, 1.0f);
}

void AmmunitionCounter::DrawNumber(int value, float x, float y) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  float4x4 transform = MatrixTranslation(x, y, 0);
  for (int i = int(std::strlen(text)) - 1; i >= 0; --i) {
    // The texture has digits only; a sign has no picture.
    if (text[i] < '0' || text[i] > '9') continue;
    int digit = text[i] - '0';
    DrawHudSprite(digits, transform, {28 * digit, 0, 27, 34}, 1.0f, {1.0f, 1.0f});
    transform = transform * MatrixTranslation(-kDigitAdvance, 0, 0);
  }
}
