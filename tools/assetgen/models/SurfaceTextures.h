#pragma once

// Procedural surface textures for the models: small tiling PNGs (concrete, metal,
// stripes, sky), each a pure function of its name, so every run writes the same bytes.

#include <string>
#include <vector>

namespace models {

class Image {
 public:
  Image(int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }
  float* At(int x, int y) { return &pixels_[(static_cast<size_t>(y) * width_ + x) * 4]; }
  void Fill(float r, float g, float b, float a = 1.0f);
  // Multiplies the colour (not alpha) of every pixel by 1 + amount x noise.
  void Grain(float amount, int period, int octaves, int seed);
  // Blends a colour over a rectangle in pixels (clipped), by coverage alpha.
  void Rect(int x0, int y0, int x1, int y1, float r, float g, float b, float alpha);
  bool WritePng(const std::string& path) const;

 private:
  int width_, height_;
  std::vector<float> pixels_;
};

// Tileable fractal noise in -1..1 over the unit square, repeating every `period`
// cells at the base octave (a power of two).
float TileNoise(float u, float v, int period, int octaves, int seed);

// Writes the named texture (see the .cpp for the list) to dir/name.png.
bool WriteSurfaceTexture(const std::string& dir, const std::string& name);

}  // namespace models
