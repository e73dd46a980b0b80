#pragma once

// The effect path: camera-facing textured quads without lighting, drawn as
// four-vertex triangle strips of VelEffectVertex.

#include <memory>

#include "framework/VelConstantBuffer.h"
#include "framework/VelGraphicsTypes.h"
#include "framework/VelMath.h"

// The quad vertex of bullets, flashes and sprite effects (36 bytes).
struct VelEffectVertex {
  float3 pos;
  float2 uv;
  float4 color{1, 1, 1, 1};
};
static_assert(sizeof(VelEffectVertex) == 36);

class VelEffectShader {
 public:
  // Creates the shader and cbPerObject; false (with nothing kept) on failure.
  bool Init();
  void Release();

  std::shared_ptr<VelShader> shader;
  VelConstantBuffer<VelCbPerObject> cbPerObject;
};
