#include "app/SceneManager.h"

#include <utility>

SceneManager& SceneManager::GetInstance() {
  static SceneManager instance;
  return instance;
}

void SceneManager::ChangeScene(std::unique_ptr<Scene> scene) {
  if (scene && scene.get() == current.get()) {
    // The running scene asked for itself: no switch. The unique_ptr must not
    // own it a second time.
    (void)scene.release();
    next.reset();
    requested = false;
    return;
  }
  next = std::move(scene);
  requested = true;
}

void SceneManager::ChangeScene(Scene* scene) {
  ChangeScene(std::unique_ptr<Scene>(scene));
}

void SceneManager::Update(bool draw) {
  if (requested) {
    // Take the request first: the old scene's destructor may itself request
    // a scene, which then waits for the next pass.
    std::unique_ptr<Scene> incoming = std::move(next);
    requested = false;
    current.reset();
    current = std::move(incoming);
  }
  if (!current) return;
  if (draw) {
    current->Frame();
  } else {
    current->Update();
    current->SetCamera();
  }
}

void SceneManager::Reset() {
  next.reset();
  requested = false;
  current.reset();
  changePending = false;
}
