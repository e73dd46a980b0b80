#include "game/enemy/C_EnemyBullet.h"

#include "framework/VelEffectShader.h"
#include "framework/VelGraphicsDevice.h"
#include "framework/VelShaderManager.h"

C_EnemyBullet::~C_EnemyBullet() = default;

bool C_EnemyBullet::Update(GameScene*) {
  return true;
}

void C_EnemyBullet::Draw() {
  VelGraphicsDevice& device = VelGraphicsDevice::GetInstance();
  VelShaderManager& shaders = VelShaderManager::GetInstance();
  device.SetVertexBuffer(&vertexBuffer, sizeof(VelEffectVertex));
  device.SetTopology(VelTopology::TriangleStrip);
  device.SetTexture(0, &texture);
  shaders.effectShader.cbPerObject.Data().g_mW = world;
  shaders.effectShader.cbPerObject.Upload();
  device.Draw(4);
}

const float4x4& C_EnemyBullet::GetMatrix() const {
  return world;
}
const float3& C_EnemyBullet::GetPosition() const {
  return position;
}
float C_EnemyBullet::GetRadius() const {
  return radius;
}
int C_EnemyBullet::GetPower() const {
  return power;
}

float4x4 CameraFacingRotation() {
  float4x4 view = VelShaderManager::GetInstance().cbCamera.View().g_mV;
  view.SetTranslation({0.0f, 0.0f, 0.0f});
  return MatrixInverse(view);
}
