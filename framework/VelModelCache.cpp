#include "framework/VelModelCache.h"

#include <cstdio>

#include "framework/VelLoadGLTFModel.h"

namespace {

std::shared_ptr<const VelCachedModel> Prepare(std::shared_ptr<const VelGLTFModel> gltf) {
  auto cached = std::make_shared<VelCachedModel>();
  cached->bvhs.resize(gltf->Nodes.size());
  std::vector<float3> positions;
  for (size_t i = 0; i < gltf->Nodes.size(); ++i) {
    const VelGLTFNode& node = *gltf->Nodes[i];
    if (!node.HasMesh || node.Faces.empty()) continue;
    positions.clear();
    positions.reserve(node.Vertices.size());
    for (const VelModelVertex& v : node.Vertices) positions.push_back(v.position);
    auto bvh = std::make_shared<VelMeshBvh>();
    bvh->Build(positions, node.Faces);
    cached->bvhs[i] = std::move(bvh);
  }
  cached->gltf = std::move(gltf);
  return cached;
}

}  // namespace

VelModelCache& VelModelCache::GetInstance() {
  static VelModelCache instance;
  return instance;
}

std::shared_ptr<const VelCachedModel> VelModelCache::Load(const std::string& fileName) {
  auto it = entries_.find(fileName);
  if (it != entries_.end()) {
    bool unchanged = true;
    for (const auto& [path, stamp] : it->second.files)
      unchanged = unchanged && VelFileSystem::Stamp(path) == stamp;
    if (unchanged) {
      std::fputs(it->second.output.c_str(), stdout);
      return it->second.model;
    }
    entries_.erase(it);
  }

  Entry entry;
  VelGLTFLoadReport report;
  // Stamped before the read, so a change made while it is read shows next time.
  const VelFileStamp modelStamp = VelFileSystem::Stamp(fileName);
  std::shared_ptr<VelGLTFModel> gltf = VelLoadGLTFModel(fileName, &report);
  if (gltf) entry.model = Prepare(std::move(gltf));
  if (!modelStamp.exists) return entry.model;
  entry.files.push_back({fileName, modelStamp});
  for (size_t i = 1; i < report.files.size(); ++i)
    entry.files.push_back({report.files[i], VelFileSystem::Stamp(report.files[i])});
  entry.output = std::move(report.output);
  std::shared_ptr<const VelCachedModel> model = entry.model;
  entries_[fileName] = std::move(entry);
  return model;
}

void VelModelCache::Clear() {
  entries_.clear();
}
