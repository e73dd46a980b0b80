// Feeds arbitrary bytes to the texture loader's image decoding, as
// VelTexture::Load decodes its files (through the image cache), and checks
// that the decoded pixels are all there.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "framework/VelImageCache.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto image = VelImageCache::Decode(data, size);
  if (image) {
    if (image->width == 0 || image->height == 0 || image->width > VelImageCache::kMaxSide ||
        image->height > VelImageCache::kMaxSide ||
        image->pixels.size() != size_t(image->width) * image->height * 4) {
      std::abort();
    }
    volatile uint32_t sum = 0;
    for (uint8_t p : image->pixels) sum = sum + p;
  }
  return 0;
}
