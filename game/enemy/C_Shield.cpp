#include "game/enemy/C_Shield.h"

#include "framework/VelShaderManager.h"

C_Shield::~C_Shield() = default;

bool C_Shield::Update(const float3&) {
  return true;
}

void C_Shield::Draw() {
  VelShaderManager& shaders = VelShaderManager::GetInstance();
  shaders.modelWorld = world;
  shaders.DrawModelAlpha(model, opacity);
}

const VelModel& C_Shield::GetModel() const {
  return model;
}
const float4x4& C_Shield::GetMatrix() const {
  return world;
}
int C_Shield::GetHp() const {
  return hp;
}
int C_Shield::GetMaxHp() const {
  return maxHp;
}
void C_Shield::SetHp(int value) {
  hp = value;
}
float C_Shield::GetRadius() const {
  return radius;
}
void C_Shield::AddOpacity(float delta) {
  opacity += delta;
}
