#include "game/stage/Sky.h"

#include "framework/VelShaderManager.h"

Sky::Sky(GameScene* scene)
    : scene(scene), placement(MatrixTranslation(0.0f, -100.0f, 300.0f)), world(placement) {
  model.Load("Data/Sky/Sky.gltf");
}

void Sky::Update() {
  angle += 0.1f;
  // Wraps straight to 0, not to the remainder.
  if (angle >= 360.0f) angle = 0.0f;
  world = MatrixRotationY(angle * kDegToRad) * placement;
}

void Sky::Draw() {
  VelShaderManager& shaders = VelShaderManager::GetInstance();
  shaders.modelWorld = world;
  shaders.DrawModel(model);
  shaders.modelWorld = MatrixScaling(1.0f, -1.0f, 1.0f) * world;
  shaders.DrawModel(model);
}
