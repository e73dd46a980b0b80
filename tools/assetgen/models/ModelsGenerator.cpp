#include <filesystem>

#include "AssetGen.h"
#include "models/ModelFamily.h"

namespace {

bool GenerateModels(const std::string& dataRoot) {
  for (const char* dir : {"Ground", "Sky", "Player", "Enemy", "Item", "Effect"}) {
    std::error_code ec;
    std::filesystem::create_directories(dataRoot + "/" + dir, ec);
    if (ec) return false;
  }
  bool stage = models::WriteStageModels(dataRoot);
  bool figures = models::WriteFigureModels(dataRoot);
  return stage && figures;
}

const AssetGeneratorRegistration registration("models", GenerateModels);

}  // namespace
