#include "textures/Font.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>

bool Font::Load(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(
        stderr,
        "textures: font %s not found; install the package fonts-dejavu-core (tools/install-deps.sh)\n",
        path.c_str());
    return false;
  }
  data_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (data_.empty() || !stbtt_InitFont(&info_, data_.data(), stbtt_GetFontOffsetForIndex(data_.data(), 0))) {
    std::fprintf(stderr, "textures: %s is not a readable TrueType font\n", path.c_str());
    return false;
  }
  return true;
}

Mask Font::Render(const std::string& text, float pixelHeight, float xScale, float tracking, int pad,
                  int* baselineOut) const {
  float sy = stbtt_ScaleForPixelHeight(&info_, pixelHeight);
  float sx = sy * xScale;
  int ascent, descent, lineGap;
  stbtt_GetFontVMetrics(&info_, &ascent, &descent, &lineGap);
  float baseline = std::ceil(ascent * sy) + 2;
  int height = static_cast<int>(std::ceil((ascent - descent) * sy)) + 4;

  // Lay the glyphs out first to size the scratch mask.
  struct Placed {
    int codepoint;
    float x;
  };
  std::vector<Placed> placed;
  float pen = 2;
  for (size_t i = 0; i < text.size(); ++i) {
    int cp = static_cast<unsigned char>(text[i]);
    placed.push_back({cp, pen});
    int advance, lsb;
    stbtt_GetCodepointHMetrics(&info_, cp, &advance, &lsb);
    pen += advance * sx + tracking;
    if (i + 1 < text.size())
      pen += stbtt_GetCodepointKernAdvance(&info_, cp, static_cast<unsigned char>(text[i + 1])) * sx;
  }
  int width = static_cast<int>(std::ceil(pen + pixelHeight)) + 4;

  Mask scratch(width, height);
  std::vector<unsigned char> glyph;
  for (const Placed& p : placed) {
    float originX = std::floor(p.x);
    float shiftX = p.x - originX;
    int x0, y0, x1, y1;
    stbtt_GetCodepointBitmapBoxSubpixel(&info_, p.codepoint, sx, sy, shiftX, 0, &x0, &y0, &x1, &y1);
    int gw = x1 - x0, gh = y1 - y0;
    if (gw <= 0 || gh <= 0) continue;
    glyph.assign(static_cast<size_t>(gw) * gh, 0);
    stbtt_MakeCodepointBitmapSubpixel(&info_, glyph.data(), gw, gh, gw, sx, sy, shiftX, 0, p.codepoint);
    for (int y = 0; y < gh; ++y)
      for (int x = 0; x < gw; ++x) {
        int tx = static_cast<int>(originX) + x0 + x;
        int ty = static_cast<int>(baseline) + y0 + y;
        if (tx < 0 || ty < 0 || tx >= width || ty >= height) continue;
        float v = glyph[static_cast<size_t>(y) * gw + x] / 255.0f;
        // Overlapping neighbours (kerned pairs) add up their coverage.
        scratch.Ref(tx, ty) = std::min(1.0f, scratch.Ref(tx, ty) + v);
      }
  }

  int bx0, by0, bx1, by1;
  if (!scratch.InkBounds(bx0, by0, bx1, by1, 0.0f)) return Mask(2 * pad, 2 * pad);
  if (baselineOut) *baselineOut = static_cast<int>(baseline) - by0 + pad;
  Mask out(bx1 - bx0 + 1 + 2 * pad, by1 - by0 + 1 + 2 * pad);
  out.Union(scratch, pad - bx0, pad - by0);
  return out;
}

float Font::FitHeight(const std::string& text, float maxPixelHeight, float maxW, float maxH, float xScale,
                      float tracking) const {
  float px = maxPixelHeight;
  while (px > 6) {
    Mask m = Render(text, px, xScale, tracking);
    if (m.Width() <= maxW && m.Height() <= maxH) break;
    px -= 1;
  }
  return px;
}
