#pragma once

// HLSL sources of the three shading paths, compiled at start-up. They read
// the same constant buffers (b0, b1, camera b7, light b8), textures and
// samplers, and shade with the same formulas as the OpenGL paths.

#include "framework/VelGraphicsTypes.h"

struct VelHlslStage {
  const char* source;
  const char* entryPoint;
  // Shader model 4 profile: "vs_4_0" or "ps_4_0".
  const char* profile;
};

// The vertex or pixel stage of a path; source null for VelShaderPath::None.
VelHlslStage VelD3D11ShaderStage(VelShaderPath path, bool vertexStage);

// The sprite's pixel stage for a texture of one plain colour: that colour,
// a float4 in constant buffer b9 (kVelD3D11PlainTexelSlot), times g_color.
constexpr unsigned kVelD3D11PlainTexelSlot = 9;
VelHlslStage VelD3D11PlainSpriteStage();

// The stretch of a scaled world onto the back buffer: one triangle over the
// screen (from SV_VertexID, no vertex buffer) sampling t0 with s0 over the
// top-left g_SourceScale of the texture.
VelHlslStage VelD3D11StretchStage(bool vertexStage);
