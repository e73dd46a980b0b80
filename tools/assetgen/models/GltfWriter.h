#pragma once

// Writes a model as a glTF 2.0 JSON file with its buffer embedded as a data URI:
// one flat node per mesh (identity transforms, geometry already placed), one
// primitive per material, triangles only, attributes tightly packed in their own
// buffer views (the game's loader ignores strides). World-space z is mirrored on
// output and each triangle's second and third index swapped, which the loader
// undoes, so the game sees exactly the triangles that were built.

#include <deque>
#include <string>
#include <vector>

#include "models/MeshKit.h"

namespace models {

struct Material {
  std::string name;
  float4 baseColor{1, 1, 1, 1};
  float3 emissive{0, 0, 0};
  float metallic = 0.0f;
  float roughness = 0.8f;
  std::string baseTexture;      // image file beside the model, or empty
  std::string emissiveTexture;  // image file beside the model, or empty
  bool blend = false;
  bool doubleSided = false;
};

struct Model {
  std::vector<Material> materials;
  std::deque<Mesh> meshes;  // stable references while a model grows

  int AddMaterial(const Material& material) {
    materials.push_back(material);
    return static_cast<int>(materials.size()) - 1;
  }
  Mesh& AddMesh(const std::string& name) {
    meshes.emplace_back(name);
    return meshes.back();
  }
  int TriangleCount() const;
};

// Returns false (after saying why on stderr) when the file could not be written.
bool WriteGltf(const Model& model, const std::string& path);

}  // namespace models
