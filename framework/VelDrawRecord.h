#pragma once

// What the headless backend records of every draw: enough for a test to tell
// which pass drew what, with which states and constants. Constants are read
// from the bound buffers' uploaded contents, so a forgotten upload shows.

#include <array>
#include <cstdint>
#include <string>

#include "framework/VelConstantBuffer.h"
#include "framework/VelGraphicsTypes.h"
#include "framework/VelMath.h"

struct VelDrawRecord {
  VelShaderPath shader = VelShaderPath::None;
  int blendMode = -1;  // -1: no blend state bound
  bool depthTest = true;
  bool depthWrite = true;
  int samplerFilter = -1;  // of sampler slot 0; -1: none bound
  VelTopology topology = VelTopology::TriangleList;
  bool indexed = false;
  uint32_t count = 0;  // vertices, or indices when indexed
  uint32_t start = 0;  // first vertex or first index
  uint32_t vertexStride = 0;
  const VelBufferResource* vertexBuffer = nullptr;
  // Shader resources of pixel slots 0..2 and their names (empty texture: null, "").
  std::array<const VelTextureResource*, 3> textures{};
  std::array<std::string, 3> textureNames;
  // Slot 0 of every path starts with the object's matrix: g_mW (model and
  // effect paths) or g_mTransform (sprites).
  float4x4 world;
  // Model path: cbMaterial and the lighting switch of cbObject.
  VelMaterialConstants material;
  int32_t lightEnable = 0;
  // Sprite path: g_color.
  float4 color{1, 1, 1, 1};
};

// Counts of what the headless backend was asked to do.
struct VelHeadlessStats {
  uint32_t buffersCreated = 0;
  uint32_t bufferWrites = 0;
  uint32_t texturesCreated = 0;
  uint32_t colorClears = 0;
  uint32_t depthClears = 0;
  uint32_t presents = 0;
};
