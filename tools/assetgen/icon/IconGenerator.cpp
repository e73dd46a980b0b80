#include "icon/IconGenerator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "AssetGen.h"
#include "icon/IcoWriter.h"
#include "textures/TextureSet.h"

namespace {

// The title's colours: steel lettering with an evening-orange foot, ink
// outline, cyan rail with amber tips.
const Rgba kInk = Rgb8(10, 14, 24);
const Rgba kCyan = Rgb8(96, 214, 244);
const Rgba kAmber = Rgb8(255, 178, 62);

Sdf Box(float cx, float cy, float hw, float hh, float r) {
  return [=](float x, float y) { return SdBox(x, y, cx, cy, hw, hh, r); };
}

bool WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (out) return true;
  std::fprintf(stderr, "icon: cannot write %s\n", path.string().c_str());
  return false;
}

}  // namespace

Canvas DrawIcon(const Font& font, int size) {
  const float s = static_cast<float>(size);
  const float k = s / 256.0f;  // the shapes are laid out on a 256-pixel grid
  Canvas c(size, size);

  // The plate: dusk over the airbase, deep blue at the top warming to orange
  // at the horizon, inside a thin cyan rim.
  const float margin = std::max(1.0f, 10 * k);
  const float half = s / 2 - margin;
  const float corner = 44 * k;
  c.OverSdf(Box(s / 2, s / 2, half, half, corner), [=](float, float y) {
    float t = Clamp01((y - margin) / (s - 2 * margin));
    if (t < 0.55f) return Mix(Rgb8(12, 20, 38), Rgb8(30, 42, 70), t / 0.55f);
    return Mix(Rgb8(30, 42, 70), Rgb8(168, 86, 42), SmoothStep(0.55f, 1.0f, t));
  });
  const float rim = std::max(0.5f, 3 * k);
  c.OverSdf(
      [=](float x, float y) {
        return std::fabs(SdBox(x, y, s / 2, s / 2, half - rim, half - rim, corner - rim)) - rim / 2;
      },
      Solid(WithAlpha(kCyan, 0.8f)));

  // The rail under the letter, as under the title.
  if (size >= 32) {
    const float railY = 204 * k, railHalf = 70 * k;
    c.OverSdf(Box(s / 2, railY, railHalf, std::max(0.75f, 5 * k), 2 * k), [=](float x, float) {
      float t = 1 - std::fabs(x - s / 2) / railHalf;
      return WithAlpha(kCyan, 0.35f + 0.65f * SmoothStep(0, 0.5f, t));
    });
    if (size >= 48) {
      for (int side = -1; side <= 1; side += 2) {
        float x = s / 2 + side * (railHalf + 6 * k);
        std::vector<Point> tip = {{x, railY - 10 * k}, {x + side * 16 * k, railY}, {x, railY + 10 * k}};
        c.OverSdf([tip](float px, float py) { return SdPolygon(px, py, tip); }, Solid(kAmber));
      }
    }
  }

  // The H of the title, as large as the plate allows above the rail.
  const float top = 40 * k, bottom = 178 * k;
  TextStyle style;
  style.fill = [=](float, float y) {
    float t = Clamp01((y - top) / (bottom - top));
    if (t < 0.5f) return Mix(Rgb8(250, 252, 255), Rgb8(196, 210, 226), t / 0.5f);
    return Mix(Rgb8(150, 164, 182), Rgb8(255, 150, 62), (t - 0.5f) / 0.5f);
  };
  style.outline = kInk;
  style.outlineWidth = std::max(1.0f, 6 * k);
  style.shadow = WithAlpha(kInk, 0.7f);
  style.shadowBlur = static_cast<int>(std::lround(4 * k));
  style.shadowDy = static_cast<int>(std::lround(6 * k));
  style.glow = WithAlpha(Rgb8(255, 140, 60), 0.35f);
  style.glowBlur = static_cast<int>(std::lround(8 * k));
  float px = font.FitHeight("H", 4 * (bottom - top), 150 * k, bottom - top);
  DrawText(c, font.Render("H", px), s / 2, (top + bottom) / 2, style);
  return c;
}

bool GenerateIcons(const std::string& dataRoot) {
  Font font;
  if (!font.Load(kLetteringFontPath)) return false;
  std::filesystem::path dir = std::filesystem::path(dataRoot) / "Icon";
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (ec) {
    std::fprintf(stderr, "icon: cannot create %s: %s\n", dir.string().c_str(), ec.message().c_str());
    return false;
  }
  bool ok = true;
  for (int size : {48, 128, 256}) {
    Canvas icon = DrawIcon(font, size);
    std::string name = "halvane-" + std::to_string(size) + ".png";
    ok = WritePng((dir / name).string(), size, size, icon.ToStraight()) && ok;
  }
  std::vector<IcoImage> pictures;
  for (int size : {16, 32, 48, 256}) pictures.push_back({size, DrawIcon(font, size).ToStraight()});
  std::vector<uint8_t> ico = EncodeIco(pictures);
  if (ico.empty()) {
    std::fprintf(stderr, "icon: the .ico could not be packed\n");
    return false;
  }
  return WriteBytes(dir / "halvane.ico", ico) && ok;
}

namespace {
AssetGeneratorRegistration registration("icon", GenerateIcons);
}  // namespace
