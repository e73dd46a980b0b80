#pragma once

// The geometry records shared by the glTF loader, the meshes and the ray queries.

#include <cstdint>

#include "framework/VelMath.h"

// The model shader's input vertex, 36 bytes.
struct VelModelVertex {
  float3 position;
  float2 uv;
  float3 normal;
  // Four 8-bit unorm channels, red in the lowest byte.
  uint32_t color = 0xFFFFFFFFu;
};
static_assert(sizeof(VelModelVertex) == 36, "the model vertex layout is fixed at 36 bytes");

// One triangle: three indices into its mesh's vertices.
struct VelFace {
  uint32_t indices[3] = {0, 0, 0};
};
static_assert(sizeof(VelFace) == 12, "faces are uploaded as three 32-bit indices");

// A run of faces drawn with one material.
struct VelSubset {
  // Index into the model's material list; kNoMaterial draws with the material bound last.
  uint32_t material = 0;
  uint32_t faceStart = 0;
  uint32_t faceCount = 0;

  static constexpr uint32_t kNoMaterial = 0xFFFFFFFFu;
};
