#include "icon/IcoWriter.h"

#include <stb_image_write.h>

#include <cstddef>

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

void AppendBytes(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<uint8_t>*>(context);
  const auto* bytes = static_cast<const uint8_t*>(data);
  out->insert(out->end(), bytes, bytes + size);
}

std::vector<uint8_t> Png(const IcoImage& image) {
  std::vector<uint8_t> out;
  stbi_write_png_to_func(AppendBytes, &out, image.size, image.size, 4, image.rgba.data(), image.size * 4);
  return out;
}

// A BITMAPINFOHEADER whose height counts the colour rows and the mask rows,
// then BGRA rows bottom-up, then the 1-bit mask (set = transparent), its rows
// padded to whole 32-bit words.
std::vector<uint8_t> Bitmap(const IcoImage& image) {
  const int n = image.size;
  const int maskStride = ((n + 31) / 32) * 4;
  std::vector<uint8_t> out;
  Put32(out, 40);
  Put32(out, n);
  Put32(out, 2 * n);
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, 0);  // BI_RGB
  Put32(out, static_cast<uint32_t>(n * n * 4 + maskStride * n));
  for (int i = 0; i < 4; ++i) Put32(out, 0);
  for (int y = n - 1; y >= 0; --y)
    for (int x = 0; x < n; ++x) {
      const uint8_t* p = &image.rgba[(static_cast<size_t>(y) * n + x) * 4];
      out.insert(out.end(), {p[2], p[1], p[0], p[3]});
    }
  for (int y = n - 1; y >= 0; --y) {
    std::vector<uint8_t> row(maskStride, 0);
    for (int x = 0; x < n; ++x)
      if (image.rgba[(static_cast<size_t>(y) * n + x) * 4 + 3] == 0) row[x / 8] |= 0x80 >> (x % 8);
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

}  // namespace

std::vector<uint8_t> EncodeIco(const std::vector<IcoImage>& images) {
  std::vector<std::vector<uint8_t>> payloads;
  for (const IcoImage& image : images) {
    if (image.size < 1 || image.size > 256 ||
        image.rgba.size() != static_cast<size_t>(image.size) * image.size * 4)
      return {};
    payloads.push_back(image.size == 256 ? Png(image) : Bitmap(image));
    if (payloads.back().empty()) return {};
  }
  std::vector<uint8_t> out;
  Put16(out, 0);
  Put16(out, 1);  // an icon, not a cursor
  Put16(out, static_cast<uint32_t>(images.size()));
  uint32_t offset = static_cast<uint32_t>(6 + 16 * images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    // 256 is written as 0: the field is one byte.
    const uint8_t side = static_cast<uint8_t>(images[i].size == 256 ? 0 : images[i].size);
    out.insert(out.end(), {side, side, 0, 0});
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, static_cast<uint32_t>(payloads[i].size()));
    Put32(out, offset);
    offset += static_cast<uint32_t>(payloads[i].size());
  }
  for (const auto& payload : payloads) out.insert(out.end(), payload.begin(), payload.end());
  return out;
}
