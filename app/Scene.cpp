#include "app/Scene.h"

void Scene::Frame() {
  Update();
  SetCamera();
  Draw();
}
