#include "scene/DeadScreen.h"

#include <algorithm>

#include "framework/VelSoundManager.h"
#include "scene/GameScene.h"
#include "scene/HudSprite.h"

DeadScreen::DeadScreen(GameScene* scene)
    : scene(scene),
      captionTransform(MatrixTranslation(0, 50, 0)),
      titleButtonTransform(MatrixTranslation(200, -150, 0)),
      retryButtonTransform(MatrixTranslation(200, -250, 0)) {
  caption.Load("Data/Texture/dead.png");
  titleButton.Load("Data/Texture/ToTitle_dead.png");
  retryButton.Load("Data/Texture/Retry_dead.png");
  windowCentre = Sys().ClientToScreen(windowCentre);
  Sys().SetCursorPos(windowCentre);
}

void DeadScreen::Update() {
  if (!scene->player->IsAlive() && !triggered && !active) {
    active = true;
    triggered = true;
    Sys().ShowCursor(true);
    VelSoundManager& sound = VelSoundManager::GetInstance();
    sound.StopLoop("Data/Sound/game.wav");
    sound.StopLoop("Data/Sound/Boss.wav");
    sound.Play("Data/Sound/dead.wav", 0.3f);
  }
  if (!active) return;
  float2 cursor = HudCursor();

  // Down by half a unit to -1 and back up to 0, over and over.
  if (shakingDown) {
    shake -= 0.5f;
    if (shake <= -1.25f) {
      shakingDown = false;
      shake += 0.5f;
      if (shake >= 0.0f) shakingDown = true;
    }
  } else {
    shake += 0.5f;
    if (shake >= 0.0f) shakingDown = true;
  }
  captionTransform = MatrixTranslation(0, shake, 0);

  UpdateButton(titleButton, titleButtonTransform, cursor, titleButtonOpacity, titleChosen);
  UpdateButton(retryButton, retryButtonTransform, cursor, retryButtonOpacity, retryChosen);
}

void DeadScreen::UpdateButton(const VelTexture& button, const float4x4& transform, float2 cursor,
                              float& opacity, bool& chosen) {
  if (!OnButton(button, transform, cursor)) {
    opacity = std::max(opacity - 0.02f, 0.4f);
    return;
  }
  opacity = std::min(opacity + 0.02f, 1.0f);
  if (!Sys().IsKeyDown(Key::LButton)) return;
  scene->hud->fade->fadingOut = true;
  if (!chosen) {
    chosen = true;
    VelSoundManager::GetInstance().Play("Data/Sound/Decision.wav", 0.3f);
  }
}

void DeadScreen::Draw() {
  if (!active) return;
  DrawHudSprite(caption, captionTransform, {0, 0, 356, 135}, 1.0f);
  DrawHudSprite(titleButton, titleButtonTransform, {0, 0, 238, 62}, titleButtonOpacity);
  DrawHudSprite(retryButton, retryButtonTransform, {0, 0, 181, 71}, retryButtonOpacity);
}
