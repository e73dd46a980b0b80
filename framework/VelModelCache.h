#pragma once

// Parsed glTF files by file name, with the ray hierarchy of every mesh built
// once, so objects that load the same model (every dash's push wave, every
// spawned enemy) neither read nor parse it again. Each object still builds its
// own VelModel with its own meshes from the shared data. Main thread only.

#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "framework/VelFileSystem.h"
#include "framework/VelGLTFModel.h"
#include "framework/VelMeshBvh.h"

struct VelCachedModel {
  std::shared_ptr<const VelGLTFModel> gltf;
  // One per glTF node, in node order; null for a node without faces.
  std::vector<std::shared_ptr<const VelMeshBvh>> bvhs;
};

class VelModelCache {
 public:
  static VelModelCache& GetInstance();

  // The parsed model, or null when VelLoadGLTFModel fails. A later call reads
  // nothing unless the file or one of its external files changed (size or
  // time); it writes the loader's lines to standard output again, as a fresh
  // load would. A missing file is tried again on every call.
  std::shared_ptr<const VelCachedModel> Load(const std::string& fileName);
  void Clear();

 private:
  struct Entry {
    std::vector<std::pair<std::string, VelFileStamp>> files;
    std::string output;
    // Null for a file that is there but does not load.
    std::shared_ptr<const VelCachedModel> model;
  };
  std::unordered_map<std::string, Entry> entries_;
};
