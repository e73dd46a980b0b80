#include "platform/Platform.h"

#include <cstdio>
#include <cstdlib>

namespace {
std::unique_ptr<Platform>& Installed() {
  static std::unique_ptr<Platform> platform;
  return platform;
}
}  // namespace

bool IsWholeIcon(int width, int height, const std::vector<uint8_t>& rgba) {
  return width > 0 && height > 0 && rgba.size() % 4 == 0 &&
         rgba.size() / 4 == static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
}

Platform& Sys() {
  if (!Installed()) {
    std::fprintf(stderr, "No platform installed\n");
    std::abort();
  }
  return *Installed();
}

void InstallPlatform(std::unique_ptr<Platform> platform) { Installed() = std::move(platform); }

std::unique_ptr<Platform> UninstallPlatform() { return std::move(Installed()); }
