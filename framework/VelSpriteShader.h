#pragma once

// The sprite path: screen-space textured rectangles in pixels, origin at the
// screen's centre, y up. Holds its constants, its own states and the states a
// sprite pass saves and restores.

#include <cstdint>
#include <memory>

#include "framework/VelConstantBuffer.h"
#include "framework/VelGraphicsTypes.h"
#include "framework/VelMath.h"

struct VelSpriteVertex {
  float3 pos;
  float2 uv;
};
static_assert(sizeof(VelSpriteVertex) == 20);

class VelSpriteShader {
 public:
  // Creates the shader, cbSprite, cbProjection, the point and linear samplers,
  // the depth-off state and the rasterizer state; false (nothing kept) on failure.
  bool Init();
  void Release();

  std::shared_ptr<VelShader> shader;
  VelConstantBuffer<VelCbSprite> cbSprite;
  VelConstantBuffer<VelCbProjection> cbProjection;
  bool inPass = false;
  std::shared_ptr<VelDepthStencilState> depthOffState;
  std::shared_ptr<VelRasterizerState> rasterizerState;
  std::shared_ptr<VelSamplerState> pointSampler;
  std::shared_ptr<VelSamplerState> linearSampler;
  // Saved by BeginSprite, restored and dropped by EndSprite.
  std::shared_ptr<VelBlendState> savedBlend;
  float4 savedBlendFactor{0, 0, 0, 0};
  uint32_t savedSampleMask = 0xFFFFFFFF;
  std::shared_ptr<VelDepthStencilState> savedDepthStencil;
  uint32_t savedStencilRef = 0;
  std::shared_ptr<VelSamplerState> savedSampler;
};
