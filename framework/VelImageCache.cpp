#include "framework/VelImageCache.h"

#include <stb_image.h>

#include <climits>
#include <cstring>

VelImageCache& VelImageCache::GetInstance() {
  static VelImageCache instance;
  return instance;
}

std::shared_ptr<const VelImage> VelImageCache::Load(const std::string& fileName) {
  const VelFileStamp stamp = VelFileSystem::Stamp(fileName);
  if (!stamp.exists) {
    entries_.erase(fileName);
    return nullptr;
  }
  auto it = entries_.find(fileName);
  if (it != entries_.end() && it->second.stamp == stamp) return it->second.image;

  std::vector<unsigned char> bytes;
  std::shared_ptr<const VelImage> image;
  if (VelFileSystem::ReadWholeFile(fileName, &bytes, kMaxFileBytes))
    image = Decode(bytes.data(), bytes.size());
  // A file that changed while it was read is not remembered under the old stamp.
  if (VelFileSystem::Stamp(fileName) == stamp) entries_[fileName] = Entry{stamp, image};
  return image;
}

void VelImageCache::Clear() {
  entries_.clear();
}

std::shared_ptr<const VelImage> VelImageCache::Decode(const uint8_t* data, size_t size) {
  if (!data || size == 0 || size > size_t(INT_MAX)) return nullptr;
  int width = 0, height = 0, channels = 0;
  // The header first, so a hostile size is refused before anything is allocated for it.
  if (!stbi_info_from_memory(data, int(size), &width, &height, &channels)) return nullptr;
  if (width <= 0 || height <= 0 || uint32_t(width) > kMaxSide || uint32_t(height) > kMaxSide ||
      uint64_t(width) * uint64_t(height) > kMaxPixels) {
    return nullptr;
  }
  stbi_uc* pixels = stbi_load_from_memory(data, int(size), &width, &height, &channels, 4);
  if (!pixels) return nullptr;
  auto image = std::make_shared<VelImage>();
  image->width = uint32_t(width);
  image->height = uint32_t(height);
  image->pixels.assign(pixels, pixels + size_t(width) * size_t(height) * 4);
  stbi_image_free(pixels);
  return image;
}
