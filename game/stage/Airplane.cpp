#include "game/stage/Airplane.h"

#include "framework/VelShaderManager.h"

Airplane::Airplane(GameScene* scene) : scene(scene) {
  collisionModel.Load("Data/Ground/collisionAirplane.gltf");
  visualModel.Load("Data/Ground/airplane.gltf");
  world = MatrixScaling(5.0f) * MatrixTranslation(-80.0f, 0.0f, -210.0f);
}

void Airplane::Draw() {
  VelShaderManager& shaders = VelShaderManager::GetInstance();
  shaders.modelWorld = world;
  shaders.DrawModel(visualModel);
}
