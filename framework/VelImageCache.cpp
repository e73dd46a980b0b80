#include "framework/VelImageCache.h"

#include <stb_image.h>

#include <climits>
#include <cstring>
#include <vector>

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

namespace {

uint32_t ReadBigEndian32(const uint8_t* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}

// A PNG whose chunks all lie within the bytes given, up to IEND. The decoder
// allocates a chunk's stated length before reading it, so a few hostile bytes
// could otherwise ask for a gigabyte. Empty image-data chunks are counted: the
// decoder copies them from a null buffer.
bool IsWholePng(const uint8_t* data, size_t size, int& emptyImageData) {
  static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  emptyImageData = 0;
  if (size < 8 || std::memcmp(data, kSignature, 8) != 0) return false;
  size_t at = 8;
  while (size - at >= 12) {
    const uint64_t length = ReadBigEndian32(data + at);
    if (length > size - at - 12) return false;
    if (std::memcmp(data + at + 4, "IEND", 4) == 0) return true;
    if (length == 0 && std::memcmp(data + at + 4, "IDAT", 4) == 0) ++emptyImageData;
    at += 12 + size_t(length);
  }
  return false;
}

// The same whole PNG without its empty image-data chunks; they add nothing to
// the compressed stream, so the picture is the same.
std::vector<uint8_t> WithoutEmptyImageData(const uint8_t* data, size_t size) {
  std::vector<uint8_t> kept(data, data + 8);
  size_t at = 8;
  while (size - at >= 12) {
    const size_t length = ReadBigEndian32(data + at);
    const bool empty = length == 0 && std::memcmp(data + at + 4, "IDAT", 4) == 0;
    if (!empty) kept.insert(kept.end(), data + at, data + at + 12 + length);
    if (std::memcmp(data + at + 4, "IEND", 4) == 0) break;
    at += 12 + length;
  }
  return kept;
}

}  // namespace

std::shared_ptr<const VelImage> VelImageCache::Decode(const uint8_t* data, size_t size) {
  int emptyImageData = 0;
  if (!data || size > size_t(INT_MAX) || !IsWholePng(data, size, emptyImageData)) return nullptr;
  std::vector<uint8_t> stripped;
  if (emptyImageData > 0) {
    stripped = WithoutEmptyImageData(data, size);
    data = stripped.data();
    size = stripped.size();
  }
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
