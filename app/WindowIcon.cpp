#include "app/WindowIcon.h"

#include <memory>
#include <vector>

#include "framework/VelFileSystem.h"
#include "framework/VelImageCache.h"
#include "platform/Platform.h"

const char* const kWindowIconFile = "Data/Icon/halvane-128.png";

bool SetWindowIconFromFile(const std::string& path) {
  // Read once at start-up, so it stays out of the image cache.
  std::vector<unsigned char> bytes;
  if (!VelFileSystem::ReadWholeFile(path, &bytes, VelImageCache::kMaxFileBytes)) return false;
  std::shared_ptr<const VelImage> image = VelImageCache::Decode(bytes.data(), bytes.size());
  if (!image) return false;
  Sys().SetWindowIcon(static_cast<int>(image->width), static_cast<int>(image->height), image->pixels);
  return true;
}
