#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/VelGLTFNode.h"
#include "framework/VelMath.h"

// A glTF material as the file gives it. Texture fields hold the image's uri (empty
// when the slot has no texture or the texture no image); factors keep the glTF
// defaults when the file's arrays have other lengths.
struct VelGLTFMaterial {
  std::string Name;
  std::string AlphaMode = "OPAQUE";
  float AlphaCutoff = 0.5f;
  bool DoubleSided = false;
  std::string BaseColorTexture;
  float4 BaseColorFactor{1, 1, 1, 1};
  std::string MetallicRoughnessTexture;
  float MetallicFactor = 1;
  float RoughnessFactor = 1;
  std::string EmissiveTexture;
  float3 EmissiveFactor{0, 0, 0};
  std::string NormalTexture;
  std::string OcclusionTexture;
};

// The CPU-side result of loading a glTF file.
struct VelGLTFModel {
  // Every node, in the file's node order.
  std::vector<std::shared_ptr<VelGLTFNode>> Nodes;
  // The nodes listed by the file's first scene, in that order.
  std::vector<std::shared_ptr<VelGLTFNode>> RootNodes;
  // Never empty: a file without materials gets one default record.
  std::vector<VelGLTFMaterial> Materials;
};
