#pragma once

// The model component a game object holds: its glTF file's nodes with their
// meshes and its materials with their textures. Each object loads its own;
// the parsed file and decoded images behind them are read once per file
// (VelModelCache, VelImageCache).

#include <memory>
#include <string>
#include <vector>

#include "framework/VelMath.h"
#include "framework/VelMesh.h"
#include "framework/VelTexture.h"

struct VelModelNode {
  std::string Name;
  int NodeIndex = 0;
  // The node's own (local) transform; models are drawn and queried with it.
  float4x4 Transform;
  // Null when the node has no mesh.
  std::shared_ptr<VelMesh> Mesh;
};

// Where a material's texture came from: the image file name of the glTF
// material (empty when it names none) and whether it loaded.
struct VelTextureSource {
  std::string FileName;
  bool Loaded = false;
};

struct VelModelMaterial {
  // The device's white texture in the base-colour, metallic-roughness and
  // emissive slots; no normal texture.
  VelModelMaterial();

  std::string Name;
  std::shared_ptr<VelTexture> BaseColorTexture;
  float4 BaseColor{1, 1, 1, 1};
  std::shared_ptr<VelTexture> MetallicRoughnessTexture;
  float Metallic = 0;
  float Roughness = 1;
  std::shared_ptr<VelTexture> EmissiveTexture;
  float3 Emissive{0, 0, 0};
  std::shared_ptr<VelTexture> NormalTexture;

  VelTextureSource BaseColorSource;
  VelTextureSource MetallicRoughnessSource;
  VelTextureSource EmissiveSource;
  VelTextureSource NormalSource;
};

class VelModel {
 public:
  // Loads the glTF file and its textures (folder of the file + "/" + image
  // name; a texture that fails is replaced by the white one, a normal texture
  // stays empty). False when the file cannot be loaded; the model is then empty.
  bool Load(const std::string& fileName);

  std::vector<VelModelNode> Nodes;
  // Copies of the root nodes' records (sharing their meshes), in the scene's order.
  std::vector<VelModelNode> RootNodes;
  std::vector<VelModelMaterial> Materials;
};
