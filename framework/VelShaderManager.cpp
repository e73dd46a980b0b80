#include "framework/VelShaderManager.h"

#include "framework/VelGraphicsDevice.h"
#include "framework/VelModel.h"
#include "framework/VelTexture.h"

float4x4 VelDefaultView() {
  return MatrixInverse(MatrixTranslation(0, 0, -5));
}

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

void VelShaderManager::DrawModel(const VelModel& model) {
  DrawModelWith(model, 1.0f, {0, 0, 0});
}

void VelShaderManager::DrawModelAlpha(const VelModel& model, float alpha) {
  DrawModelWith(model, alpha, {0, 0, 0});
}

void VelShaderManager::DrawModelEmissive(const VelModel& model, float r, float g, float b) {
  DrawModelWith(model, 1.0f, {r, g, b});
}

void VelShaderManager::DrawModelWith(const VelModel& model, float alpha, const float3& emissiveAdded) {
  for (const VelModelNode& node : model.Nodes) {
    if (!node.Mesh) continue;
    const VelMesh& mesh = *node.Mesh;
    mesh.SetToDevice();
    SetObjectTransform(node.Transform);
    for (size_t j = 0; j < mesh.Subsets.size(); ++j) {
      const VelSubset& subset = mesh.Subsets[j];
      if (subset.faceCount == 0) continue;
      // A material number past the list is treated like "none": the subset
      // draws with the material bound last instead of reading past the end.
      if (subset.material != VelSubset::kNoMaterial && subset.material < model.Materials.size()) {
        const VelModelMaterial& m = model.Materials[subset.material];
        VelMaterialConstants constants;
        constants.BaseColor = m.BaseColor;
        constants.BaseColor.w *= alpha;
        constants.Emissive = m.Emissive + emissiveAdded;
        constants.Metallic = m.Metallic;
        constants.Roughness = m.Roughness;
        SetMaterial(constants, m.BaseColorTexture.get(), m.EmissiveTexture.get(),
                    m.MetallicRoughnessTexture.get());
      }
      mesh.DrawSubset(j);
    }
  }
}
