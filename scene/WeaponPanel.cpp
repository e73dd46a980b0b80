#include "scene/WeaponPanel.h"

#include "scene/HudSprite.h"

WeaponPanel::WeaponPanel() : transform(MatrixTranslation(470, -260, 0)) {
  texture.Load("Data/Texture/frame.png");
}

void WeaponPanel::Draw() {
  DrawHudSprite(texture, transform, {0, 0, 320, 220}, 0.7f);
}
