#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/VelGLTFModel.h"

// Reads a glTF file ("glb" extension, case-sensitive: binary; anything else: JSON)
// and converts it to left-handed CPU data. Progress, the library's warnings and
// errors go to standard output. Returns null when the file cannot be loaded.
std::shared_ptr<VelGLTFModel> VelLoadGLTFModel(const std::string& fileName);

// What one load read and said, for a cache that answers later loads of the
// same file without reading it.
struct VelGLTFLoadReport {
  // The model file first, then every external file the library asked for.
  std::vector<std::string> files;
  // The lines written to standard output.
  std::string output;
};
// The same load, also filling the report.
std::shared_ptr<VelGLTFModel> VelLoadGLTFModel(const std::string& fileName, VelGLTFLoadReport* report);

// Files larger than this are refused, the model file and its external resources alike.
constexpr unsigned long long kVelGLTFMaxFileBytes = 256ull * 1024 * 1024;

// Whether a uri names a file inside the folder it is relative to: not absolute,
// no drive letter and no ".." component. Used for external buffers, images and
// the model's texture files.
bool VelIsUriInsideFolder(const std::string& uri);
