#pragma once

// Constant-buffer layouts of the three shading paths and the record that keeps
// a buffer's CPU copy with its dirty flag. The byte offsets are those the
// shaders read (std140 uniform blocks in the GL backend); the asserts keep the
// C++ side in step.

#include <cstddef>
#include <cstdint>

#include "framework/VelBuffer.h"
#include "framework/VelMath.h"

struct VelCbObject {
  float4x4 g_mW;
  float2 g_UVOffset{0, 0};
  float2 g_UVTiling{1, 1};
  int32_t g_LightEnable = 1;
  float g_AlphaTestThreshold = 0;
  float pad[2] = {0, 0};
};

struct VelMaterialConstants {
  float4 BaseColor{1, 1, 1, 1};
  float3 Emissive{0, 0, 0};
  float Metallic = 0;
  float Roughness = 1;
  float pad[3] = {0, 0, 0};
};

struct VelCbMaterial {
  VelMaterialConstants g_Material;
};

struct VelCbCamera {
  float4x4 g_mV;
  float4x4 g_mP;
  float3 g_CamPos{0, 0, 0};
  int32_t g_DistanceFogEnable = 0;
  float3 g_DistanceFogColor{1, 1, 1};
  float g_DistanceFogDensity = 0.001f;
};

struct VelPointLight {
  float3 color{3, 3, 3};
  float radius = 0;
  float3 pos{0, 0, 0};
  float tmp4 = 0;
};

constexpr int kVelMaxPointLights = 100;

struct VelCbLight {
  float3 g_AmbientLight{0, 0, 0};
  float pad0 = 0;
  float3 g_DL_Dir{0, -1, 0};
  float pad1 = 0;
  float3 g_DL_Color{1, 1, 1};
  float pad2 = 0;
  VelPointLight g_PL[kVelMaxPointLights];
  int32_t g_PL_Num = 0;
  float pad3[3] = {0, 0, 0};
};

struct VelCbPerObject {
  float4x4 g_mW;
  float2 g_UVOffset{0, 0};
  float2 g_UVTiling{1, 1};
  float g_AlphaTestThreshold = 0;
  float pad[3] = {0, 0, 0};
};

struct VelCbSprite {
  float4x4 g_mTransform;
  float4 g_color{1, 1, 1, 1};
};

struct VelCbProjection {
  float4x4 g_mProj;
};

static_assert(offsetof(VelCbObject, g_UVOffset) == 64 && offsetof(VelCbObject, g_UVTiling) == 72 &&
              offsetof(VelCbObject, g_LightEnable) == 80 &&
              offsetof(VelCbObject, g_AlphaTestThreshold) == 84 && sizeof(VelCbObject) == 96);
static_assert(offsetof(VelMaterialConstants, Emissive) == 16 &&
              offsetof(VelMaterialConstants, Metallic) == 28 &&
              offsetof(VelMaterialConstants, Roughness) == 32 && sizeof(VelCbMaterial) == 48);
static_assert(offsetof(VelCbCamera, g_mP) == 64 && offsetof(VelCbCamera, g_CamPos) == 128 &&
              offsetof(VelCbCamera, g_DistanceFogEnable) == 140 &&
              offsetof(VelCbCamera, g_DistanceFogColor) == 144 &&
              offsetof(VelCbCamera, g_DistanceFogDensity) == 156 && sizeof(VelCbCamera) == 160);
static_assert(sizeof(VelPointLight) == 32 && offsetof(VelPointLight, pos) == 16);
static_assert(offsetof(VelCbLight, g_DL_Dir) == 16 && offsetof(VelCbLight, g_DL_Color) == 32 &&
              offsetof(VelCbLight, g_PL) == 48 && offsetof(VelCbLight, g_PL_Num) == 3248 &&
              sizeof(VelCbLight) == 3264);
static_assert(offsetof(VelCbPerObject, g_UVTiling) == 72 &&
              offsetof(VelCbPerObject, g_AlphaTestThreshold) == 80 && sizeof(VelCbPerObject) == 96);
static_assert(offsetof(VelCbSprite, g_color) == 64 && sizeof(VelCbSprite) == 80);
static_assert(sizeof(VelCbProjection) == 64);

// A constant buffer: the GPU buffer (dynamic), the CPU copy and a dirty flag.
// Data() hands out the copy for writing and marks it dirty; the upload points
// send the whole copy.
template <class T>
class VelConstantBuffer {
 public:
  bool Create() {
    dirty = true;
    return buffer.Create(VelBind::ConstantBuffer, sizeof(T), VelUsage::Dynamic, &data);
  }
  void Release() {
    buffer.Release();
    dirty = true;
  }
  T& Data() {
    dirty = true;
    return data;
  }
  const T& View() const { return data; }
  void Upload() {
    if (buffer.WriteData(&data, sizeof(T))) dirty = false;
  }
  void UploadIfDirty() {
    if (dirty) Upload();
  }
  bool IsDirty() const { return dirty; }

  VelBuffer buffer;
  T data;
  bool dirty = true;
};
