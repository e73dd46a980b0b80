#pragma once

#include <stb_truetype.h>

#include <string>
#include <vector>

#include "textures/Canvas.h"

// A TrueType face read at generation time, rendering anti-aliased text into masks.
class Font {
 public:
  // False (after saying why on stderr) when the file is missing or unreadable.
  bool Load(const std::string& path);

  // Text at `pixelHeight` (em size in pixels), squeezed horizontally by
  // `xScale`, with `tracking` extra pixels between letters; the result is
  // cropped to its ink plus `pad` pixels on every side. `baseline`, when
  // given, receives the baseline's row in the result.
  Mask Render(const std::string& text, float pixelHeight, float xScale = 1.0f, float tracking = 0.0f,
              int pad = 0, int* baseline = nullptr) const;
  // The largest em size (up to `maxPixelHeight`) whose ink fits maxW x maxH.
  float FitHeight(const std::string& text, float maxPixelHeight, float maxW, float maxH, float xScale = 1.0f,
                  float tracking = 0.0f) const;

 private:
  std::vector<unsigned char> data_;
  stbtt_fontinfo info_{};
};
