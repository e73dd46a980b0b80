#pragma once

// The model families of the asset pack, each writing its .gltf files (and the
// surface textures they use) below the Data/ root it is given.

#include <string>

namespace models {

bool WriteStageModels(const std::string& dataRoot);   // Data/Ground/ and Data/Sky/
bool WriteFigureModels(const std::string& dataRoot);  // Data/Player/, Data/Enemy/, Data/Item/, Data/Effect/

}  // namespace models
