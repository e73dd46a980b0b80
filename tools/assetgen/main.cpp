#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "AssetGen.h"

namespace {
std::vector<std::pair<std::string, AssetGenerator>>& Registry() {
  static std::vector<std::pair<std::string, AssetGenerator>> generators;
  return generators;
}
}  // namespace

AssetGeneratorRegistration::AssetGeneratorRegistration(const char* name, AssetGenerator generator) {
  Registry().emplace_back(name, generator);
}

// assetgen DATA_DIR [FAMILY ...]: writes every family (or only those named).
int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: assetgen DATA_DIR [FAMILY ...]\n");
    return 2;
  }
  std::string root = argv[1];
  std::error_code ec;
  std::filesystem::create_directories(root, ec);
  if (ec) {
    std::fprintf(stderr, "assetgen: cannot create %s: %s\n", root.c_str(), ec.message().c_str());
    return 1;
  }
  // Registration order depends on the link; run in name order so output never does.
  auto generators = Registry();
  std::sort(generators.begin(), generators.end());
  bool ok = true;
  for (const auto& [name, generate] : generators) {
    bool wanted = argc == 2;
    for (int i = 2; i < argc; ++i) wanted = wanted || name == argv[i];
    if (!wanted) continue;
    if (!generate(root)) {
      std::fprintf(stderr, "assetgen: %s failed\n", name.c_str());
      ok = false;
    }
  }
  return ok ? 0 : 1;
}
