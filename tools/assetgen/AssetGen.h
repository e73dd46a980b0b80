#pragma once

#include <string>

// A generator writes one family of files below the Data/ root it is given and
// returns false (after saying why on stderr) when it could not.
using AssetGenerator = bool (*)(const std::string& dataRoot);

// Each generator registers itself from its own source file with a static
// AssetGeneratorRegistration, so the families can grow independently.
struct AssetGeneratorRegistration {
  AssetGeneratorRegistration(const char* name, AssetGenerator generator);
};
