#include "scene/ClearScreen.h"

#include <algorithm>

#include "framework/VelSoundManager.h"
#include "scene/GameScene.h"
#include "scene/HudSprite.h"

ClearScreen::ClearScreen(GameScene* scene)
    : scene(scene),
      captionTransform(MatrixTranslation(0, 50, 0)),
      buttonTransform(MatrixTranslation(300, -125, 0)) {
  caption.Load("Data/Texture/clear.png");
  ghost.Load("Data/Texture/clear.png");
  button.Load("Data/Texture/ToTitle_clear.png");
  windowCentre = Sys().ClientToScreen(windowCentre);
  Sys().SetCursorPos(windowCentre);
}

void ClearScreen::Update() {
  // The 21st defeat is the stage's last.
  if (scene->killCount > 20 && !triggered && !active) {
    active = true;
    triggered = true;
    Sys().ShowCursor(true);
    VelSoundManager& sound = VelSoundManager::GetInstance();
    sound.StopLoop("Data/Sound/Boss.wav");
    sound.Play("Data/Sound/clear.wav", 0.3f);
  }
  if (!active) return;
  float2 cursor = HudCursor();

  ghostScale += 0.03f;
  ghostOpacity -= 0.01f;
  if (ReachedDown(ghostOpacity, 0.0f)) {
    ghostOpacity = 0.0f;
    ghostScale = 0.0f;
  }
  ghostScaling = MatrixScaling(ghostScale);
  ghostPlace = MatrixTranslation(0, 50, 0);
  ghostTransform = ghostScaling * ghostPlace;

  if (OnButton(button, buttonTransform, cursor)) {
    buttonOpacity = std::min(buttonOpacity + 0.02f, 1.0f);
    if (Sys().IsKeyDown(Key::LButton)) {
      scene->hud->fade->fadingOut = true;
      if (!titleChosen) {
        titleChosen = true;
        VelSoundManager::GetInstance().Play("Data/Sound/Decision.wav", 0.3f);
      }
    }
  } else {
    buttonOpacity = std::max(buttonOpacity - 0.02f, 0.4f);
  }
}

void ClearScreen::Draw() {
  if (!active) return;
  DrawHudSprite(caption, captionTransform, {0, 0, 850, 100}, 1.0f);
  DrawHudSprite(ghost, ghostTransform, {0, 0, 850, 100}, ghostOpacity);
  // The button appears once the ghost has gone.
  if (ghostOpacity <= 0.0f) DrawHudSprite(button, buttonTransform, {0, 0, 250, 72}, buttonOpacity);
}
