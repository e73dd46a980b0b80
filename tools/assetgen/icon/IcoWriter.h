#pragma once

#include <cstdint>
#include <vector>

// One square picture of an icon: straight-alpha RGBA8, top row first.
struct IcoImage {
  int size = 0;
  std::vector<uint8_t> rgba;
};

// Packs the pictures, in the order given, into a Windows .ico file. Pictures
// below 256 pixels are stored as 32-bit bitmaps with their transparency mask
// (what every version of Windows reads); the 256-pixel one as PNG, as Explorer
// expects for its large views. Returns an empty vector for a size outside
// 1..256 or pixels that do not match their size.
std::vector<uint8_t> EncodeIco(const std::vector<IcoImage>& images);
