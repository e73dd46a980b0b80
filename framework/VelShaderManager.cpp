#include "framework/VelShaderManager.h"

#include "framework/VelGraphicsDevice.h"
#include "framework/VelTexture.h"

float4x4 VelDefaultView() { return MatrixInverse(MatrixTranslation(0, 0, -5)); }

float4x4 VelDefaultProjection(float aspect) {
  return MatrixPerspectiveFovLH(60.0f * kDegToRad, aspect, 0.01f, 1000.0f);
}

VelShaderManager& VelShaderManager::GetInstance() {
  static VelShaderManager instance;
  return instance;
}

VelShaderManager::VelShaderManager() {
  cbCamera.data.g_mV = VelDefaultView();
  cbCamera.data.g_mP = VelDefaultProjection(1280.0f / 720.0f);
}

void VelShaderManager::Init() {
  Release();
  VelGraphicsDevice& device = VelGraphicsDevice::GetInstance();
  modelShader = device.CreateShader(VelShaderPath::Model);
  cbObject.Create();
  cbMaterial.Create();
  effectShader.Init();
  spriteShader.Init();
  if (device.GetHeight() > 0) {
    cbCamera.data.g_mV = VelDefaultView();
    cbCamera.data.g_mP = VelDefaultProjection(float(device.GetWidth()) / float(device.GetHeight()));
  }
  cbCamera.Create();
  device.SetConstantBuffer(7, &cbCamera.buffer);
  cbLight.Create();
  device.SetConstantBuffer(8, &cbLight.buffer);
}

void VelShaderManager::Release() {
  modelShader.reset();
  effectShader.Release();
  spriteShader.Release();
  cbObject.Release();
  cbMaterial.Release();
  cbCamera.Release();
  cbLight.Release();
}

void VelShaderManager::BeginModel() {
  VelGraphicsDevice& device = VelGraphicsDevice::GetInstance();
  device.SetShader(modelShader);
  device.SetConstantBuffer(0, &cbObject.buffer);
  device.SetConstantBuffer(1, &cbMaterial.buffer);
}

void VelShaderManager::BeginEffect() {
  VelGraphicsDevice& device = VelGraphicsDevice::GetInstance();
  device.SetShader(effectShader.shader);
  device.SetConstantBuffer(0, &effectShader.cbPerObject.buffer);
}

void VelShaderManager::SetObjectTransform(const float4x4& nodeTransform) {
  cbObject.Data().g_mW = nodeTransform * modelWorld;
  cbObject.Upload();
}

void VelShaderManager::SetMaterial(const VelMaterialConstants& material, const VelTexture* baseColor,
                                   const VelTexture* emissive, const VelTexture* metallicRoughness) {
  cbMaterial.Data().g_Material = material;
  cbMaterial.Upload();
  VelGraphicsDevice& device = VelGraphicsDevice::GetInstance();
  device.SetTexture(0, baseColor);
  device.SetTexture(1, emissive);
  device.SetTexture(2, metallicRoughness);
}
