#include "platform/Platform.h"

#include <cstdio>
#include <cstdlib>

namespace {
std::unique_ptr<Platform>& Installed() {
  static std::unique_ptr<Platform> platform;
  return platform;
}
}  // namespace

Platform& Sys() {
  if (!Installed()) {
    std::fprintf(stderr, "No platform installed\n");
    std::abort();
  }
  return *Installed();
}

void InstallPlatform(std::unique_ptr<Platform> platform) { Installed() = std::move(platform); }

std::unique_ptr<Platform> UninstallPlatform() { return std::move(Installed()); }
