#include "game/enemy/C_EnemyFlash.h"

#include "framework/VelEffectShader.h"
#include "framework/VelGraphicsDevice.h"
#include "framework/VelShaderManager.h"

C_EnemyFlash::~C_EnemyFlash() = default;

bool C_EnemyFlash::Update() {
  return true;
}

void C_EnemyFlash::Draw() {
  VelGraphicsDevice& device = VelGraphicsDevice::GetInstance();
  VelShaderManager& shaders = VelShaderManager::GetInstance();
  device.SetVertexBuffer(&vertexBuffer, sizeof(VelEffectVertex));
  device.SetTopology(VelTopology::TriangleStrip);
  device.SetTexture(0, &texture);
  shaders.effectShader.cbPerObject.Data().g_mW = world;
  shaders.effectShader.cbPerObject.Upload();
  device.Draw(4);
}
