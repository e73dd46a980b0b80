#include "scene/ItemSlots.h"

#include <algorithm>

#include "scene/HudSprite.h"

namespace {
constexpr float kFadeStep = 0.02f;
}

ItemSlots::ItemSlots()
    : gunTransform(MatrixTranslation(440, -280, 0)),
      attachmentFrameTransform(MatrixTranslation(360, -310, 0)),
      magazineFrameTransform(MatrixTranslation(420, -310, 0)) {
  gun.Load("Data/Texture/gunIllust.png");
  frame.Load("Data/Texture/ItemFrame.png");
  magazine.Load("Data/Texture/magazineIllust.png");
  attachment.Load("Data/Texture/attachmentIllust.png");
}

void ItemSlots::Update() {
  if (magazineCollected) magazineOpacity = std::min(magazineOpacity + kFadeStep, 1.0f);
  if (attachmentCollected) attachmentOpacity = std::min(attachmentOpacity + kFadeStep, 1.0f);
}

void ItemSlots::Draw() {
  DrawHudSprite(gun, gunTransform, {0, 0, 150, 75}, 0.7f);
  DrawHudSprite(frame, attachmentFrameTransform, {0, 0, 41, 41}, 0.6f);
  DrawHudSprite(frame, magazineFrameTransform, {0, 0, 41, 41}, 0.6f);
  DrawHudSprite(magazine, magazineFrameTransform, {0, 0, 40, 40}, magazineOpacity);
  DrawHudSprite(attachment, attachmentFrameTransform, {0, 0, 40, 40}, attachmentOpacity);
}
