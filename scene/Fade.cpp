#include "scene/Fade.h"

#include <memory>

#include "app/SceneManager.h"
#include "scene/GameScene.h"
#include "scene/HudSprite.h"
#include "scene/TitleScene.h"

namespace {
constexpr float kDeathDim = 0.7f;
}

Fade::Fade(GameScene* scene) : scene(scene) {
  texture.Load("Data/Texture/fadeOut.png");
}

void Fade::Update() {
  if (fadingIn) {
    opacity -= fadeStep;
    if (ReachedDown(opacity, 0.0f)) {
      opacity = 0.0f;
      fadingIn = false;
    }
  }
  if (!scene->player->IsAlive()) {
    opacity -= dimStep;
    if (ReachedDown(opacity, kDeathDim)) {
      opacity = kDeathDim;
      dimStep = 0.0f;
    }
  }
  if (fadingOut) opacity += fadeStep;

  SceneManager& manager = SceneManager::GetInstance();
  if (!ReachedUp(opacity, 1.0f)) {
    manager.changePending = false;
    return;
  }
  opacity = 1.0f;
  const Hud& hud = *scene->hud;
  // Both buttons can be chosen in one play-through; the title wins, and the
  // pending change keeps the retry from building a second scene.
  if ((hud.deadScreen->titleChosen || hud.clearScreen->titleChosen) && !manager.changePending) {
    manager.changePending = true;
    manager.ChangeScene(std::make_unique<TitleScene>());
  }
  if (hud.deadScreen->retryChosen && !manager.changePending) {
    manager.changePending = true;
    manager.ChangeScene(std::make_unique<GameScene>());
  }
}

void Fade::Draw() {
  DrawHudSprite(texture, transform, {0, 0, 1280, 720}, opacity);
}
