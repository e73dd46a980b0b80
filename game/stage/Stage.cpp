#include "game/stage/Stage.h"

#include "framework/VelShaderManager.h"

Stage::Stage(GameScene* scene) : scene(scene) {
  model.Load("Data/Ground/Stage.gltf");
}

void Stage::Draw() {
  VelShaderManager& shaders = VelShaderManager::GetInstance();
  shaders.modelWorld = world;
  shaders.DrawModel(model);
}
