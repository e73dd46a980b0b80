#include "game/effect/C_ModelEffect.h"

#include "framework/VelShaderManager.h"

bool C_ModelEffect::Update() { return true; }

void C_ModelEffect::Draw() {
  VelShaderManager& shaders = VelShaderManager::GetInstance();
  shaders.modelWorld = world;
  shaders.DrawModelAlpha(model, alpha);
}
