#pragma once

// Decoded image files by file name, so a texture loaded by many objects (every
// bullet, flash and effect loads its own) is read and decoded once. Each
// object still creates its own texture from the shared pixels. Main thread only.

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/VelFileSystem.h"

// RGBA8 pixels, tightly packed, top row first.
struct VelImage {
  uint32_t width = 0;
  uint32_t height = 0;
  std::vector<uint8_t> pixels;
};

class VelImageCache {
 public:
  static VelImageCache& GetInstance();

  // The file's pixels, or null when it is missing or does not decode. A file
  // is read again only when its size or time changed; a missing one is looked
  // for again on every call.
  std::shared_ptr<const VelImage> Load(const std::string& fileName);
  void Clear();

  // Decodes a PNG file held in memory (the game's images are all PNG); null
  // when it is not a whole PNG or is larger than the limits below.
  static std::shared_ptr<const VelImage> Decode(const uint8_t* data, size_t size);

  static constexpr uint32_t kMaxSide = 16384;
  static constexpr uint64_t kMaxPixels = uint64_t{1} << 24;
  static constexpr uint64_t kMaxFileBytes = uint64_t{256} << 20;

 private:
  struct Entry {
    VelFileStamp stamp;
    // Null for a file that is there but does not decode.
    std::shared_ptr<const VelImage> image;
  };
  std::unordered_map<std::string, Entry> entries_;
};
