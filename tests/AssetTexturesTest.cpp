#include <gtest/gtest.h>
#include <stb_image.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "framework/VelOverlayGlyphs.h"

namespace {

struct Image {
  int w = 0, h = 0;
  std::vector<unsigned char> px;  // RGBA
  unsigned char Alpha(int x, int y) const { return px[(static_cast<size_t>(y) * w + x) * 4 + 3]; }
  int Luma(int x, int y) const {
    const unsigned char* p = &px[(static_cast<size_t>(y) * w + x) * 4];
    return (p[0] * 3 + p[1] * 6 + p[2]) / 10;
  }
};

// Loads a PNG as RGBA and checks it really stores four channels.
Image LoadRgba(const std::string& path) {
  Image img;
  int channels = 0;
  if (!stbi_info(path.c_str(), &img.w, &img.h, &channels)) {
    ADD_FAILURE() << path << " missing or not an image";
    return img;
  }
  EXPECT_EQ(channels, 4) << path;
  unsigned char* data = stbi_load(path.c_str(), &img.w, &img.h, &channels, 4);
  if (!data) {
    ADD_FAILURE() << path << " does not decode";
    return img;
  }
  img.px.assign(data, data + static_cast<size_t>(img.w) * img.h * 4);
  stbi_image_free(data);
  return img;
}

// Counts texels in a rectangle whose alpha exceeds `threshold`.
int CountOpaque(const Image& img, int x0, int y0, int w, int h, int threshold) {
  int n = 0;
  for (int y = y0; y < y0 + h; ++y)
    for (int x = x0; x < x0 + w; ++x) n += img.Alpha(x, y) > threshold;
  return n;
}

enum class Kind { Opaque, Alpha, Text, Glow };

struct Expected {
  const char* path;
  int w, h;
  Kind kind;
};

// Every screen, HUD and sprite texture with the size its draws imply.
const Expected kTextures[] = {
    {"Data/Texture/fadeOut.png", 1280, 720, Kind::Opaque},
    {"Data/Texture/Warning.png", 1280, 720, Kind::Text},
    {"Data/Texture/Title.png", 1000, 200, Kind::Text},
    {"Data/Texture/start.png", 400, 57, Kind::Text},
    {"Data/Texture/BulletHole.png", 300, 300, Kind::Alpha},
    {"Data/Texture/HPCover2.png", 240, 40, Kind::Alpha},
    {"Data/Texture/PlayerHP.png", 220, 22, Kind::Opaque},
    {"Data/Texture/frame.png", 320, 220, Kind::Alpha},
    {"Data/Texture/gunIllust.png", 150, 75, Kind::Alpha},
    {"Data/Texture/ItemFrame.png", 41, 41, Kind::Alpha},
    {"Data/Texture/magazineIllust.png", 40, 40, Kind::Alpha},
    {"Data/Texture/attachmentIllust.png", 40, 40, Kind::Alpha},
    {"Data/Texture/gaugeCover.png", 154, 30, Kind::Alpha},
    {"Data/Texture/gauge.png", 140, 18, Kind::Opaque},
    {"Data/Texture/site.png", 32, 32, Kind::Alpha},
    {"Data/Texture/num.png", 280, 34, Kind::Text},
    {"Data/Texture/cross.png", 40, 40, Kind::Alpha},
    {"Data/Texture/R.png", 61, 64, Kind::Text},
    {"Data/Texture/reload.png", 172, 63, Kind::Text},
    {"Data/Texture/ReloadCover.png", 300, 38, Kind::Alpha},
    {"Data/Texture/ReloadGauge.png", 286, 28, Kind::Opaque},
    {"Data/Texture/nowReload.png", 207, 61, Kind::Text},
    {"Data/Texture/clear.png", 850, 100, Kind::Text},
    {"Data/Texture/ToTitle_clear.png", 250, 72, Kind::Text},
    {"Data/Texture/dead.png", 356, 135, Kind::Text},
    {"Data/Texture/ToTitle_dead.png", 238, 62, Kind::Text},
    {"Data/Texture/Retry_dead.png", 181, 71, Kind::Text},
    {"Data/Texture/overlayText.png", kVelOverlayTextureW, kVelOverlayTextureH, Kind::Text},
    {"Data/Effect/Discover.png", 128, 128, Kind::Glow},
    {"Data/Effect/chargeBluePower.png", 128, 128, Kind::Glow},
    {"Data/Effect/chargeYellowPower.png", 128, 128, Kind::Glow},
    {"Data/Effect/chargeRedPower.png", 128, 128, Kind::Glow},
    {"Data/Effect/dmgNum2.png", 200, 25, Kind::Text},
    {"Data/Player/Bullet.png", 64, 64, Kind::Glow},
    {"Data/Player/chargebullet.png", 128, 128, Kind::Glow},
    {"Data/Player/flash.png", 128, 128, Kind::Glow},
    {"Data/Player/barrelFlash.png", 128, 128, Kind::Glow},
};

TEST(AssetTextures, EveryTextureHasItsSizeAndContent) {
  for (const Expected& e : kTextures) {
    SCOPED_TRACE(e.path);
    Image img = LoadRgba(e.path);
    ASSERT_EQ(img.w, e.w);
    ASSERT_EQ(img.h, e.h);
    int total = e.w * e.h;
    int opaque = CountOpaque(img, 0, 0, e.w, e.h, 250);
    int visible = CountOpaque(img, 0, 0, e.w, e.h, 8);
    switch (e.kind) {
      case Kind::Opaque:
        EXPECT_EQ(opaque, total);
        break;
      case Kind::Alpha:
        EXPECT_GT(visible, total / 50);
        EXPECT_LT(visible, total) << "no transparent texel";
        break;
      case Kind::Text:
        EXPECT_GT(opaque, total / 100) << "no solid lettering";
        EXPECT_LT(visible, total) << "no transparent texel";
        break;
      case Kind::Glow: {
        int corners[4][2] = {{0, 0}, {e.w - 1, 0}, {0, e.h - 1}, {e.w - 1, e.h - 1}};
        for (auto& c : corners) {
          EXPECT_EQ(img.Alpha(c[0], c[1]), 0);
          EXPECT_EQ(img.Luma(c[0], c[1]), 0) << "glow edges must be black";
        }
        EXPECT_GT(img.Alpha(e.w / 2, e.h / 2), 200) << "glow centre should be bright";
        EXPECT_GT(img.Luma(e.w / 2, e.h / 2), 120);
        break;
      }
    }
  }
}

TEST(AssetTextures, FadeTextureIsSolidBlack) {
  Image img = LoadRgba("Data/Texture/fadeOut.png");
  ASSERT_EQ(img.w, 1280);
  for (size_t i = 0; i < img.px.size(); i += 4) {
    ASSERT_EQ(img.px[i] | img.px[i + 1] | img.px[i + 2], 0);
    ASSERT_EQ(img.px[i + 3], 255);
  }
}

TEST(AssetTextures, BarColumnsRunFromRedToGreen) {
  Image hp = LoadRgba("Data/Texture/PlayerHP.png");
  ASSERT_EQ(hp.w, 220);
  const unsigned char* low = &hp.px[(10 * hp.w + 0) * 4];
  const unsigned char* full = &hp.px[(10 * hp.w + hp.w - 1) * 4];
  EXPECT_GT(low[0], low[1] + 80);
  EXPECT_GT(full[1], full[0] + 80);
}

struct Sheet {
  const char* path;
  int cellW, cellH, columns, frames;
};

// Strips are one row of equal cells; grids are addressed by pixel cell size.
const Sheet kSheets[] = {
    {"Data/Effect/enemySpawn.png", 64, 48, 10, 22},       {"Data/Effect/smoke.png", 32, 32, 8, 63},
    {"Data/Effect/ItemDrop.png", 128, 128, 5, 5},         {"Data/Effect/ItemFlash.png", 128, 128, 10, 10},
    {"Data/Effect/EnergyCharge.png", 128, 128, 10, 10},   {"Data/Effect/BulletCharge.png", 64, 64, 5, 5},
    {"Data/Effect/hitBullet2.png", 128, 128, 5, 5},       {"Data/Effect/hitCharge.png", 128, 128, 5, 5},
    {"Data/Effect/ShieldDamage.png", 128, 128, 15, 15},   {"Data/Effect/PlayerBulletLost.png", 64, 64, 8, 8},
    {"Data/Effect/ChargeBulletLost.png", 64, 64, 10, 10}, {"Data/Effect/healPlayer2.png", 128, 128, 10, 10},
    {"Data/Effect/chargeFlash.png", 128, 128, 5, 5},      {"Data/Enemy/enemyBullet.png", 64, 64, 4, 4},
};

TEST(AssetTextures, SheetCellsAreLaidOutAndEachShowsSomething) {
  for (const Sheet& s : kSheets) {
    SCOPED_TRACE(s.path);
    Image img = LoadRgba(s.path);
    int rows = (s.frames + s.columns - 1) / s.columns;
    ASSERT_EQ(img.w, s.cellW * s.columns);
    ASSERT_EQ(img.h, s.cellH * rows);
    for (int f = 0; f < s.frames; ++f) {
      int x0 = (f % s.columns) * s.cellW, y0 = (f / s.columns) * s.cellH;
      EXPECT_GT(CountOpaque(img, x0, y0, s.cellW, s.cellH, 24), s.cellW * s.cellH / 100) << "frame " << f;
      // Additive sprites: a cell's rim must be dark so neighbours never bleed in.
      int rim = 0;
      for (int x = x0; x < x0 + s.cellW; ++x)
        rim = std::max({rim, int(img.Alpha(x, y0)), int(img.Alpha(x, y0 + s.cellH - 1))});
      EXPECT_LT(rim, 40) << "frame " << f;
    }
  }
}

// Digit glyph d must be inside the rectangle the draw code uses and nothing of
// a neighbour may show through it.
void ExpectDigitCells(const char* path, const std::vector<int>& lefts, int cellW) {
  SCOPED_TRACE(path);
  Image img = LoadRgba(path);
  ASSERT_GT(img.w, 0);
  std::vector<int> columns(img.w, 0);
  for (int x = 0; x < img.w; ++x) columns[x] = CountOpaque(img, x, 0, 1, img.h, 40) > 0;
  for (size_t d = 0; d < lefts.size(); ++d) {
    int ink = 0;
    for (int x = lefts[d]; x < lefts[d] + cellW; ++x) ink += columns[x];
    EXPECT_GT(ink, cellW / 3) << "digit " << d;
    // The one-pixel columns at the window's sides stay clear: the glyph is
    // whole and no neighbour's ink is cut in.
    EXPECT_EQ(columns[lefts[d]], 0) << "digit " << d;
    EXPECT_EQ(columns[lefts[d] + cellW - 1], 0) << "digit " << d;
  }
}

TEST(AssetTextures, ThePistolPictureKeepsClearOfTheItemFramesAndDigits) {
  // The HUD draws the picture's 150 x 75 texels centred at (440, -280). The
  // item frames at (360, -310) and (420, -310) cover its texels x < 76 from
  // y 47 down; a two-digit round count starts at x 131 from y 45 down.
  Image img = LoadRgba("Data/Texture/gunIllust.png");
  ASSERT_EQ(img.w, 150);
  ASSERT_EQ(img.h, 75);
  EXPECT_EQ(CountOpaque(img, 0, 47, 76, 28, 8), 0) << "under the item frames";
  EXPECT_EQ(CountOpaque(img, 131, 45, 19, 30, 8), 0) << "under the round count";
  EXPECT_GT(CountOpaque(img, 4, 4, 142, 40, 200), 2000) << "the slide across the top";
  EXPECT_GT(CountOpaque(img, 80, 47, 50, 20, 200), 300) << "the grip at the right";
}

TEST(AssetTextures, DigitGlyphsSitInTheirSourceRectangles) {
  std::vector<int> ammo;
  for (int d = 0; d < 10; ++d) ammo.push_back(28 * d);
  ExpectDigitCells("Data/Texture/num.png", ammo, 27);
  // The damage numbers read digit 9 from x 179.
  ExpectDigitCells("Data/Effect/dmgNum2.png", {0, 21, 42, 63, 84, 105, 126, 147, 168, 179}, 20);
}

std::vector<char> ReadAll(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every glyph of the overlay's strip has ink in both of its cells, and none
// reaches a cell's edge, where a neighbour would show.
TEST(AssetTextures, OverlayGlyphsSitInTheirCells) {
  Image img = LoadRgba(kVelOverlayTexture);
  ASSERT_EQ(img.w, kVelOverlayTextureW);
  const int rows[2][3] = {{0, kVelOverlaySmallCellW, kVelOverlaySmallCellH},
                          {kVelOverlaySmallCellH, kVelOverlayLargeCellW, kVelOverlayLargeCellH}};
  for (const auto& row : rows) {
    const int top = row[0], w = row[1], h = row[2];
    for (int i = 0; i < kVelOverlayGlyphCount; ++i) {
      SCOPED_TRACE(std::string("glyph ") + kVelOverlayGlyphs[i] + " in cells " + std::to_string(w));
      const int left = i * w;
      EXPECT_GT(CountOpaque(img, left, top, w, h, 200), 0);
      EXPECT_EQ(CountOpaque(img, left, top, 1, h, 40), 0);
      EXPECT_EQ(CountOpaque(img, left + w - 1, top, 1, h, 40), 0);
      EXPECT_EQ(CountOpaque(img, left, top, w, 1, 40), 0);
      EXPECT_EQ(CountOpaque(img, left, top + h - 1, w, 1, 40), 0);
    }
  }
}

TEST(AssetTextures, TwoGenerationsAreByteIdentical) {
  namespace fs = std::filesystem;
  fs::path base = fs::temp_directory_path() / ("halvane-textures-" + std::to_string(::getpid()));
  fs::path a = base / "a", b = base / "b";
  std::string gen = HALVANE_ASSETGEN;
  ASSERT_EQ(std::system((gen + " " + a.string() + " textures").c_str()), 0);
  ASSERT_EQ(std::system((gen + " " + b.string() + " textures").c_str()), 0);
  int files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(a)) {
    if (!entry.is_regular_file()) continue;
    fs::path rel = fs::relative(entry.path(), a);
    ASSERT_TRUE(fs::exists(b / rel)) << rel;
    EXPECT_TRUE(ReadAll(entry.path()) == ReadAll(b / rel)) << rel << " differs between runs";
    ++files;
  }
  EXPECT_EQ(files, 51);
  fs::remove_all(base);
}

}  // namespace
