#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A small raster kit for the generated textures. Pixel (x, y) covers the square
// [x, x + 1) x [y, y + 1) with y growing downwards, as in the PNG; shape
// functions take continuous coordinates and sample each pixel at its centre.

struct Rgba {
  float r = 0, g = 0, b = 0, a = 0;
};

inline Rgba MakeRgb(float r, float g, float b, float a = 1.0f) {
  return Rgba{r, g, b, a};
}
// Colour from 0..255 components, the way palettes are usually written down.
inline Rgba Rgb8(int r, int g, int b, float a = 1.0f) {
  return Rgba{r / 255.0f, g / 255.0f, b / 255.0f, a};
}
Rgba Mix(const Rgba& a, const Rgba& b, float t);
Rgba WithAlpha(const Rgba& c, float a);

float Clamp01(float v);
float SmoothStep(float edge0, float edge1, float v);

// Signed distances in pixels, negative inside.
float SdCircle(float x, float y, float cx, float cy, float r);
float SdBox(float x, float y, float cx, float cy, float halfW, float halfH, float cornerRadius);
float SdSegment(float x, float y, float ax, float ay, float bx, float by, float halfWidth);
struct Point {
  float x, y;
};
float SdPolygon(float x, float y, const std::vector<Point>& points);

using Sdf = std::function<float(float x, float y)>;
using Paint = std::function<Rgba(float x, float y)>;
using Light = std::function<void(float x, float y, float rgb[3])>;

Paint Solid(const Rgba& c);
// Colour running from `top` at y0 to `bottom` at y1.
Paint VerticalGradient(float y0, const Rgba& top, float y1, const Rgba& bottom);

// Per-pixel coverage in 0..1.
class Mask {
 public:
  Mask() = default;
  Mask(int w, int h);
  static Mask FromSdf(int w, int h, const Sdf& sdf);

  int Width() const { return w_; }
  int Height() const { return h_; }
  float At(int x, int y) const;
  float& Ref(int x, int y) { return v_[static_cast<size_t>(y) * w_ + x]; }

  void Union(const Mask& other, int dx = 0, int dy = 0);
  void Subtract(const Mask& other, int dx = 0, int dy = 0);
  void Scale(float factor);
  // Grows the shape by `radius` pixels, anti-aliased at the new rim.
  Mask Dilated(float radius) const;
  // Three box passes per axis, close to a gaussian of about `radius` pixels.
  Mask Blurred(int radius) const;
  // A copy with `pad` empty pixels on every side.
  Mask Padded(int pad) const;
  // Smallest rectangle holding coverage above `threshold`; false when empty.
  bool InkBounds(int& x0, int& y0, int& x1, int& y1, float threshold = 0.02f) const;

 private:
  int w_ = 0, h_ = 0;
  std::vector<float> v_;
};

// RGBA canvas kept premultiplied in floats so layers composite exactly.
class Canvas {
 public:
  Canvas(int w, int h);

  int Width() const { return w_; }
  int Height() const { return h_; }

  void Fill(const Rgba& c);
  // Source-over of `paint` through the coverage of `mask` placed at (dx, dy).
  void Over(const Mask& mask, const Paint& paint, int dx = 0, int dy = 0);
  void OverSdf(const Sdf& sdf, const Paint& paint);
  // Adds light (premultiplied colour without coverage) for the additive passes.
  void AddLight(const Light& light);
  void AddLight(const Mask& mask, const Rgba& colour, float intensity, int dx = 0, int dy = 0);
  // Soft round glow: intensity at the centre falling smoothly to 0 at `radius`.
  void AddGlow(float cx, float cy, float radius, const Rgba& colour, float intensity, float sharpness = 2.0f);
  // Source-over of another canvas with its top-left corner at (dx, dy).
  void Blit(const Canvas& src, int dx, int dy);
  // Multiplies every channel, for fading a whole layer.
  void Scale(float factor);
  // Fades everything to nothing over `margin` pixels at the borders, so sheet
  // cells never bleed into their neighbours under filtering.
  void FadeBorders(float margin);

  const float* Pixel(int x, int y) const { return &px_[(static_cast<size_t>(y) * w_ + x) * 4]; }

  // Straight-alpha 8-bit pixels for alpha-blended sprites.
  std::vector<uint8_t> ToStraight() const;
  // Pixels for additive sprites drawn as colour x alpha + destination: colour
  // and alpha both fall to 0 with the light, and colour x alpha reproduces it.
  std::vector<uint8_t> ToGlow() const;

 private:
  int w_, h_;
  std::vector<float> px_;
};

bool WritePng(const std::string& path, int w, int h, const std::vector<uint8_t>& rgba);

// Deterministic generator (splitmix64) so noise never depends on the C library.
class Rng {
 public:
  explicit Rng(uint64_t seed) : state_(seed) {}
  uint64_t Next();
  float Uniform();                  // [0, 1)
  float Range(float lo, float hi);  // [lo, hi)

 private:
  uint64_t state_;
};

// Smooth value noise with a fixed seed; Fbm sums octaves into roughly 0..1.
float ValueNoise(float x, float y, uint32_t seed);
float Fbm(float x, float y, uint32_t seed, int octaves);
