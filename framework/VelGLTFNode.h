#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/VelMath.h"
#include "framework/VelModelVertex.h"

// One glTF node, converted to the engine's left-handed space. Shared between its
// model's lists and its parent's child list.
struct VelGLTFNode {
  std::string Name;
  int NodeIndex = 0;
  std::vector<std::shared_ptr<VelGLTFNode>> Children;
  // Relative to the parent.
  float4x4 LocalTransform;
  // LocalTransform x the parent's WorldTransform (a root keeps its LocalTransform).
  float4x4 WorldTransform;
  bool HasMesh = false;
  // The node mesh's triangles, every primitive merged, sorted by material.
  std::vector<VelModelVertex> Vertices;
  std::vector<VelFace> Faces;
  std::vector<VelSubset> Subsets;
};
