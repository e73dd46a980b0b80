#include "scene/Sight.h"

#include "scene/HudSprite.h"

Sight::Sight() {
  texture.Load("Data/Texture/site.png");
}

void Sight::Draw() {
  DrawHudSprite(texture, transform, {0, 0, 32, 32}, 0.8f);
}
