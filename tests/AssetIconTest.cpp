#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "framework/VelImageCache.h"

namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::shared_ptr<const VelImage> DecodeFile(const fs::path& path) {
  std::vector<uint8_t> bytes = ReadBytes(path);
  return VelImageCache::Decode(bytes.data(), bytes.size());
}

const uint8_t* Px(const VelImage& image, uint32_t x, uint32_t y) {
  return &image.pixels[(static_cast<size_t>(y) * image.width + x) * 4];
}

uint32_t Read16(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8;
}

uint32_t Read32(const std::vector<uint8_t>& b, size_t at) {
  return Read16(b, at) | Read16(b, at + 2) << 16;
}

// One picture of an .ico as its directory describes it.
struct IcoEntry {
  uint32_t size = 0;
  uint32_t bytes = 0;
  uint32_t offset = 0;
};

std::vector<IcoEntry> IcoDirectory(const std::vector<uint8_t>& ico) {
  std::vector<IcoEntry> entries;
  if (ico.size() < 6 || Read16(ico, 0) != 0 || Read16(ico, 2) != 1) return entries;
  for (uint32_t i = 0; i < Read16(ico, 4) && 6 + 16 * (i + 1) <= ico.size(); ++i) {
    size_t at = 6 + 16 * i;
    entries.push_back({ico[at] == 0 ? 256u : ico[at], Read32(ico, at + 8), Read32(ico, at + 12)});
  }
  return entries;
}

TEST(AssetIconTest, DesktopIconsHaveTheirSizesAnOpaquePlateAndClearCorners) {
  for (int size : {48, 128, 256}) {
    SCOPED_TRACE(size);
    auto icon = DecodeFile("Data/Icon/halvane-" + std::to_string(size) + ".png");
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon->width, static_cast<uint32_t>(size));
    EXPECT_EQ(icon->height, static_cast<uint32_t>(size));
    const uint32_t last = icon->width - 1;
    for (auto [x, y] : {std::pair{0u, 0u}, {last, 0u}, {0u, last}, {last, last}})
      EXPECT_EQ(Px(*icon, x, y)[3], 0) << "rounded corner at " << x << "," << y;
    EXPECT_EQ(Px(*icon, icon->width / 2, icon->height / 2)[3], 255);
    EXPECT_EQ(Px(*icon, icon->width / 2, icon->height / 12)[3], 255) << "the plate fills the top";
  }
}

// Read as a player would: at 48 pixels the bright letter must show two stems
// with a gap above and below a crossbar.
TEST(AssetIconTest, TheLetterReadsAsAnHAtFortyEightPixels) {
  auto icon = DecodeFile("Data/Icon/halvane-48.png");
  ASSERT_TRUE(icon);
  // Steel or evening orange, not the cyan rail below the letter.
  auto ink = [&](int x, int y) {
    const uint8_t* p = Px(*icon, x, y);
    return p[3] == 255 && p[0] >= 140 && (p[0] * 3 + p[1] * 6 + p[2]) / 10 >= 120;
  };
  const int rows = static_cast<int>(icon->height * 72 / 100);
  int x0 = 48, y0 = 48, x1 = -1, y1 = -1;
  for (int y = 0; y < rows; ++y)
    for (int x = 0; x < static_cast<int>(icon->width); ++x)
      if (ink(x, y)) {
        x0 = std::min(x0, x), x1 = std::max(x1, x);
        y0 = std::min(y0, y), y1 = std::max(y1, y);
      }
  ASSERT_GE(x1, x0);
  const int w = x1 - x0 + 1, h = y1 - y0 + 1;
  EXPECT_GE(h, 22) << "the letter fills about half the icon";
  EXPECT_GE(w, 16);
  const int centre = x0 + w / 2, left = x0 + w / 8, right = x1 - w / 8;
  for (int y : {y0 + h / 5, y1 - h / 5}) {
    SCOPED_TRACE(y);
    EXPECT_TRUE(ink(left, y) && ink(right, y)) << "both stems";
    EXPECT_FALSE(ink(centre, y)) << "the gap between the stems";
  }
  EXPECT_TRUE(ink(centre, y0 + h / 2)) << "the crossbar";
  EXPECT_TRUE(ink(left, y0 + h / 2) && ink(right, y0 + h / 2));
}

// The exe's icon: four pictures, the small ones as bitmaps with their mask,
// the large one as PNG, each the same drawing as the desktop's icon of its size.
TEST(AssetIconTest, WindowsIconHoldsSixteenToTwoHundredFiftySixPixels) {
  const std::vector<uint8_t> ico = ReadBytes("Data/Icon/halvane.ico");
  const std::vector<IcoEntry> entries = IcoDirectory(ico);
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].size, 16u);
  EXPECT_EQ(entries[1].size, 32u);
  EXPECT_EQ(entries[2].size, 48u);
  EXPECT_EQ(entries[3].size, 256u);
  size_t end = 6 + 16 * entries.size();
  for (const IcoEntry& e : entries) {
    SCOPED_TRACE(e.size);
    EXPECT_EQ(e.offset, end) << "pictures follow each other";
    ASSERT_LE(uint64_t{e.offset} + e.bytes, ico.size());
    end = e.offset + e.bytes;
    if (e.size == 256) continue;
    const uint32_t n = e.size, maskStride = (n + 31) / 32 * 4;
    ASSERT_EQ(e.bytes, 40 + n * n * 4 + maskStride * n);
    EXPECT_EQ(Read32(ico, e.offset), 40u);
    EXPECT_EQ(Read32(ico, e.offset + 4), n);
    EXPECT_EQ(Read32(ico, e.offset + 8), 2 * n) << "colour and mask rows";
    EXPECT_EQ(Read16(ico, e.offset + 14), 32u);
    // Rows run bottom up: the bottom left corner is clear and masked out,
    // the middle of the middle row is neither.
    const size_t colours = e.offset + 40, mask = colours + n * n * 4, mid = n / 2;
    EXPECT_EQ(ico[colours + 3], 0);
    EXPECT_EQ(ico[mask] & 0x80, 0x80);
    EXPECT_EQ(ico[colours + (mid * n + mid) * 4 + 3], 255);
    EXPECT_EQ(ico[mask + mid * maskStride + mid / 8] & (0x80 >> (mid % 8)), 0);
  }
  EXPECT_EQ(end, ico.size());

  auto large = VelImageCache::Decode(ico.data() + entries[3].offset, entries[3].bytes);
  auto desktop = DecodeFile("Data/Icon/halvane-256.png");
  ASSERT_TRUE(large && desktop);
  EXPECT_EQ(large->width, 256u);
  EXPECT_TRUE(large->pixels == desktop->pixels);

  auto small = DecodeFile("Data/Icon/halvane-48.png");
  ASSERT_TRUE(small);
  const size_t colours = entries[2].offset + 40;
  bool same = true;
  for (uint32_t y = 0; y < 48; ++y)
    for (uint32_t x = 0; x < 48; ++x) {
      const uint8_t* bgra = &ico[colours + ((47 - y) * 48 + x) * 4];
      const uint8_t* rgba = Px(*small, x, y);
      same = same && bgra[0] == rgba[2] && bgra[1] == rgba[1] && bgra[2] == rgba[0] && bgra[3] == rgba[3];
    }
  EXPECT_TRUE(same) << "the 48-pixel bitmap is the desktop's 48-pixel icon";
}

TEST(AssetIconTest, TwoGenerationsAreByteIdenticalAndMatchTheBuild) {
  fs::path base = fs::temp_directory_path() / ("halvane-icon-" + std::to_string(getpid()));
  fs::path first = base / "a", second = base / "b";
  for (const fs::path& dir : {first, second}) {
    std::string command = std::string("\"") + HALVANE_ASSETGEN + "\" \"" + dir.string() + "\" icon";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }
  size_t compared = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(first / "Icon")) {
    std::string name = entry.path().filename().string();
    SCOPED_TRACE(name);
    std::vector<uint8_t> a = ReadBytes(entry.path());
    EXPECT_FALSE(a.empty());
    EXPECT_TRUE(a == ReadBytes(second / "Icon" / name));
    EXPECT_TRUE(a == ReadBytes(fs::path("Data/Icon") / name));
    ++compared;
  }
  EXPECT_EQ(compared, 4u);
  std::error_code ec;
  fs::remove_all(base, ec);
}

}  // namespace
