#pragma once

// The three shading paths (model, effect, sprite) with the constant buffers
// they read. Scenes pick a path with a begin operation; objects then write
// their per-object constants (modelWorld, g_LightEnable, cbPerObject's g_mW,
// the sprite's g_mTransform) and draw.

#include <memory>

#include "framework/VelConstantBuffer.h"
#include "framework/VelEffectShader.h"
#include "framework/VelGraphicsTypes.h"
#include "framework/VelMath.h"
#include "framework/VelSpriteShader.h"

class VelModel;
class VelTexture;

class VelShaderManager {
 public:
  static VelShaderManager& GetInstance();

  // Creates the model, effect and sprite shaders, cbObject, cbMaterial and the
  // shared cbCamera (slot 7, default view and projection) and cbLight (slot 8),
  // binding the shared two. Failures of single parts are not reported.
  void Init();
  // Releases the shaders and every buffer; the buffers are dirty afterwards.
  void Release();

  // Binds the model shader, cbObject to slot 0 and cbMaterial to slot 1.
  void BeginModel();
  // Draw every mesh node of the model (with modelWorld) and each of its
  // subsets with its material; the alpha variant multiplies the base-colour
  // alpha, the emissive one adds to the emissive colour. The model's own
  // materials are never changed.
  void DrawModel(const VelModel& model);
  void DrawModelAlpha(const VelModel& model, float alpha);
  void DrawModelEmissive(const VelModel& model, float r, float g, float b);
  // Binds the effect shader and cbPerObject to slot 0.
  void BeginEffect();
  void UploadCamera() { cbCamera.UploadIfDirty(); }
  void UploadLight() { cbLight.UploadIfDirty(); }

  // The steps of a model draw, for one mesh node and one subset:
  // g_mW = nodeTransform x modelWorld, uploaded at once;
  void SetObjectTransform(const float4x4& nodeTransform);
  // cbMaterial from the given constants, uploaded, and the base-colour,
  // emissive and metallic-roughness textures bound to pixel slots 0, 1, 2.
  void SetMaterial(const VelMaterialConstants& material, const VelTexture* baseColor,
                   const VelTexture* emissive, const VelTexture* metallicRoughness);

  VelConstantBuffer<VelCbObject> cbObject;
  VelConstantBuffer<VelCbMaterial> cbMaterial;
  VelConstantBuffer<VelCbCamera> cbCamera;
  VelConstantBuffer<VelCbLight> cbLight;
  float4x4 modelWorld;
  std::shared_ptr<VelShader> modelShader;
  VelEffectShader effectShader;
  VelSpriteShader spriteShader;

 private:
  VelShaderManager();
  VelShaderManager(const VelShaderManager&) = delete;
  VelShaderManager& operator=(const VelShaderManager&) = delete;
  void DrawModelWith(const VelModel& model, float alpha, const float3& emissiveAdded);
};

// The defaults of cbCamera: the inverse of a camera at (0, 0, -5) with no
// rotation, and a 60-degree left-handed perspective for the aspect, near 0.01, far 1000.
float4x4 VelDefaultView();
float4x4 VelDefaultProjection(float aspect);
