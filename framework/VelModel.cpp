#include "framework/VelModel.h"

#include "framework/VelGraphicsDevice.h"
#include "framework/VelLoadGLTFModel.h"
#include "framework/VelModelCache.h"

VelModelMaterial::VelModelMaterial() {
  const std::shared_ptr<VelTexture>& white = VelGraphicsDevice::GetInstance().GetWhiteTexture();
  BaseColorTexture = white;
  MetallicRoughnessTexture = white;
  EmissiveTexture = white;
}

namespace {

// A new texture from folder + name, or null when it does not load. Names that
// leave the model's folder are not tried.
std::shared_ptr<VelTexture> LoadTexture(const std::string& folder, const std::string& name,
                                        VelTextureSource* source) {
  source->FileName = name;
  auto texture = std::make_shared<VelTexture>();
  source->Loaded = VelIsUriInsideFolder(name) && texture->Load(folder + name);
  return source->Loaded ? texture : nullptr;
}

}  // namespace

bool VelModel::Load(const std::string& fileName) {
  Materials.clear();
  Nodes.clear();
  RootNodes.clear();

  // The doubled separator ("Data/Effect//name.png") is accepted by the file system.
  // A bare file name keeps its textures in the working directory, not at the root.
  const size_t slash = fileName.find_last_of("/\\");
  const std::string folder = slash == std::string::npos ? "./" : fileName.substr(0, slash + 1) + "/";

  // Parsed once per file; the meshes below are this model's own.
  const std::shared_ptr<const VelCachedModel> cached = VelModelCache::GetInstance().Load(fileName);
  if (!cached) return false;
  const VelGLTFModel* gltf = cached->gltf.get();

  const std::shared_ptr<VelTexture>& white = VelGraphicsDevice::GetInstance().GetWhiteTexture();
  Materials.resize(gltf->Materials.size());
  for (size_t i = 0; i < Materials.size(); ++i) {
    const VelGLTFMaterial& src = gltf->Materials[i];
    VelModelMaterial& m = Materials[i];
    m.Name = src.Name;
    m.BaseColor = src.BaseColorFactor;
    m.BaseColorTexture = LoadTexture(folder, src.BaseColorTexture, &m.BaseColorSource);
    if (!m.BaseColorTexture) m.BaseColorTexture = white;
    m.Metallic = src.MetallicFactor;
    m.Roughness = src.RoughnessFactor;
    m.MetallicRoughnessTexture =
        LoadTexture(folder, src.MetallicRoughnessTexture, &m.MetallicRoughnessSource);
    if (!m.MetallicRoughnessTexture) m.MetallicRoughnessTexture = white;
    m.Emissive = src.EmissiveFactor;
    m.EmissiveTexture = LoadTexture(folder, src.EmissiveTexture, &m.EmissiveSource);
    if (!m.EmissiveTexture) m.EmissiveTexture = white;
    m.NormalTexture = LoadTexture(folder, src.NormalTexture, &m.NormalSource);
    if (!m.NormalTexture) m.NormalTexture = std::make_shared<VelTexture>();
  }

  Nodes.resize(gltf->Nodes.size());
  for (size_t i = 0; i < Nodes.size(); ++i) {
    const VelGLTFNode& src = *gltf->Nodes[i];
    VelModelNode& node = Nodes[i];
    node.Name = src.Name;
    node.NodeIndex = src.NodeIndex;
    node.Transform = src.LocalTransform;
    if (src.HasMesh) {
      node.Mesh = std::make_shared<VelMesh>();
      node.Mesh->Create(src.Vertices, src.Faces, src.Subsets, cached->bvhs[i]);
    }
  }

  for (const auto& root : gltf->RootNodes) RootNodes.push_back(Nodes[size_t(root->NodeIndex)]);
  return true;
}
