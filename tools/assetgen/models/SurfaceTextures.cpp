#include "models/SurfaceTextures.h"

#include <stb/stb_image_write.h>
#include <stb/stb_perlin.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "framework/VelMath.h"

namespace models {

Image::Image(int width, int height)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height * 4, 1.0f) {}

void Image::Fill(float r, float g, float b, float a) {
  for (size_t i = 0; i < pixels_.size(); i += 4) {
    pixels_[i] = r;
    pixels_[i + 1] = g;
    pixels_[i + 2] = b;
    pixels_[i + 3] = a;
  }
}

float TileNoise(float u, float v, int period, int octaves, int seed) {
  float sum = 0, amplitude = 1, total = 0;
  for (int o = 0; o < octaves; ++o) {
    int p = period << o;
    sum += amplitude * stb_perlin_noise3_seed(u * p, v * p, 0.5f, p, p, 0, seed + o);
    total += amplitude;
    amplitude *= 0.5f;
  }
  return std::clamp(sum / total * 1.6f, -1.0f, 1.0f);
}

void Image::Grain(float amount, int period, int octaves, int seed) {
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      float n = TileNoise((x + 0.5f) / width_, (y + 0.5f) / height_, period, octaves, seed);
      float* p = At(x, y);
      for (int c = 0; c < 3; ++c) p[c] *= 1.0f + amount * n;
    }
}

void Image::Rect(int x0, int y0, int x1, int y1, float r, float g, float b, float alpha) {
  for (int y = std::max(0, y0); y < std::min(height_, y1); ++y)
    for (int x = std::max(0, x0); x < std::min(width_, x1); ++x) {
      float* p = At(x, y);
      p[0] += (r - p[0]) * alpha;
      p[1] += (g - p[1]) * alpha;
      p[2] += (b - p[2]) * alpha;
    }
}

bool Image::WritePng(const std::string& path) const {
  std::vector<uint8_t> bytes(pixels_.size());
  for (size_t i = 0; i < pixels_.size(); ++i)
    bytes[i] = static_cast<uint8_t>(std::lround(std::clamp(pixels_[i], 0.0f, 1.0f) * 255.0f));
  if (!stbi_write_png(path.c_str(), width_, height_, 4, bytes.data(), width_ * 4)) {
    std::fprintf(stderr, "models: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

namespace {

float Smooth(float e0, float e1, float x) {
  float t = std::clamp((x - e0) / (e1 - e0), 0.0f, 1.0f);
  return t * t * (3 - 2 * t);
}

// Darkens a seam line of the given width along the image border (for tiles).
void BorderSeams(Image& img, int width, float darkness) {
  int w = img.Width(), h = img.Height();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int d = std::min(std::min(x, w - 1 - x), std::min(y, h - 1 - y));
      if (d < width) {
        float* p = img.At(x, y);
        for (int c = 0; c < 3; ++c) p[c] *= 1.0f - darkness * (1.0f - d / static_cast<float>(width));
      }
    }
}

void Stains(Image& img, float amount, int seed) {
  for (int y = 0; y < img.Height(); ++y)
    for (int x = 0; x < img.Width(); ++x) {
      float n = TileNoise(x / float(img.Width()), y / float(img.Height()), 2, 3, seed);
      float* p = img.At(x, y);
      float k = 1.0f - amount * Smooth(0.1f, 0.6f, n);
      for (int c = 0; c < 3; ++c) p[c] *= k;
    }
}

Image Slab() {
  Image img(256, 256);
  img.Fill(0.47f, 0.47f, 0.45f);
  img.Grain(0.10f, 16, 4, 11);
  Stains(img, 0.18f, 12);
  BorderSeams(img, 3, 0.55f);
  return img;
}

// The start area's apron, 384 x 384 world units per repeat: slabs every 12 units,
// the yellow taxi line along x = 0, the red hold line at z = -115 where the first
// wave wakes, and the white stand around the parked plane.
Image Airfield() {
  Image img(1024, 1024);
  img.Fill(0.36f, 0.36f, 0.37f);
  img.Grain(0.12f, 32, 4, 21);
  Stains(img, 0.15f, 22);
  const float unit = 384.0f / 1024.0f;
  for (int py = 0; py < 1024; ++py)
    for (int px = 0; px < 1024; ++px) {
      float x = px < 512 ? px * unit : px * unit - 384.0f;
      float z = py * unit - 384.0f;
      float* p = img.At(px, py);
      auto paint = [&](float r, float g, float b, float a) {
        p[0] += (r - p[0]) * a;
        p[1] += (g - p[1]) * a;
        p[2] += (b - p[2]) * a;
      };
      float sx = std::fmod(x + 384.0f, 12.0f), sz = std::fmod(z + 384.0f, 12.0f);
      if (sx < 0.4f || sz < 0.4f) paint(0.18f, 0.18f, 0.19f, 0.6f);
      float wear = 0.75f + 0.25f * TileNoise(px / 1024.0f, py / 1024.0f, 64, 2, 23);
      if (std::fabs(x) < 0.6f && std::fmod(z + 384.0f, 8.0f) < 5.0f && z < -6)
        paint(0.95f, 0.75f, 0.15f, wear);
      if (std::fabs(z + 115.0f) < 0.8f || std::fabs(z + 118.0f) < 0.4f) paint(0.85f, 0.2f, 0.12f, wear);
      bool inStand = x > -130 && x < -30 && z > -265 && z < -155;
      bool onStand = inStand && (x < -129 || x > -31 || z < -264 || z > -156);
      if (onStand) paint(0.92f, 0.92f, 0.9f, wear);
      if (std::fabs(z + 240.0f) < 6 && std::fabs(x) < 6 &&
          (std::fabs(x) > 5.3f || std::fabs(z + 240.0f) > 5.3f))
        paint(0.92f, 0.92f, 0.9f, wear);
    }
  return img;
}

// Light concrete: walls stand almost edge-on to the overhead sun and get little
// more than the ambient half of their colour.
Image Wall() {
  Image img(256, 256);
  img.Fill(0.86f, 0.84f, 0.8f);
  img.Grain(0.08f, 16, 4, 31);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) {
      // Rain streaks run down from the panel joints.
      float streak = TileNoise(x / 256.0f, 0.3f, 32, 2, 32) * 0.5f + 0.5f;
      float k = 1.0f - 0.12f * streak * (y / 255.0f);
      float* p = img.At(x, y);
      for (int c = 0; c < 3; ++c) p[c] *= k;
    }
  img.Rect(0, 126, 256, 130, 0.3f, 0.3f, 0.3f, 0.6f);
  BorderSeams(img, 3, 0.5f);
  return img;
}

Image Metal() {
  Image img(256, 256);
  img.Fill(0.62f, 0.66f, 0.68f);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) {
      float rib = 0.5f + 0.5f * std::sin(x / 256.0f * 2 * kPi * 16);
      float rust = Smooth(0.3f, 0.8f, TileNoise(x / 256.0f, y / 256.0f, 4, 4, 41));
      float* p = img.At(x, y);
      float k = 0.8f + 0.2f * rib;
      p[0] = (p[0] * (1 - rust) + 0.55f * rust) * k;
      p[1] = (p[1] * (1 - rust) + 0.36f * rust) * k;
      p[2] = (p[2] * (1 - rust) + 0.25f * rust) * k;
    }
  img.Grain(0.06f, 32, 2, 42);
  img.Rect(0, 0, 256, 3, 0.25f, 0.25f, 0.25f, 0.7f);
  return img;
}

Image Hazard() {
  Image img(128, 128);
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 128; ++x) {
      float* p = img.At(x, y);
      bool yellow = ((x + y) / 32) % 2 == 0;
      float wear = 0.85f + 0.15f * TileNoise(x / 128.0f, y / 128.0f, 8, 3, 51);
      p[0] = (yellow ? 0.95f : 0.08f) * wear;
      p[1] = (yellow ? 0.72f : 0.08f) * wear;
      p[2] = (yellow ? 0.08f : 0.08f) * wear;
    }
  return img;
}

// A blast door's face, mapped once per face: steel panels, rivet rows and hazard
// chevrons along the bottom edge and the meeting edge.
Image Door() {
  Image img(512, 512);
  img.Fill(0.55f, 0.57f, 0.56f);
  img.Grain(0.08f, 16, 4, 61);
  Stains(img, 0.2f, 62);
  for (int i = 1; i < 4; ++i) img.Rect(0, i * 128 - 3, 512, i * 128 + 3, 0.22f, 0.22f, 0.22f, 0.8f);
  img.Rect(252, 0, 260, 512, 0.22f, 0.22f, 0.22f, 0.6f);
  for (int y = 0; y < 512; ++y)
    for (int x = 0; x < 512; ++x) {
      bool band = y > 430 || y < 40;
      if (!band) continue;
      float* p = img.At(x, y);
      bool yellow = ((x + y) / 40) % 2 == 0;
      p[0] = yellow ? 0.95f : 0.07f;
      p[1] = yellow ? 0.7f : 0.07f;
      p[2] = yellow ? 0.07f : 0.07f;
    }
  for (int x = 24; x < 512; x += 48)
    for (int row : {60, 196, 316, 410}) img.Rect(x - 3, row - 3, x + 3, row + 3, 0.8f, 0.8f, 0.78f, 0.7f);
  BorderSeams(img, 6, 0.6f);
  return img;
}

Image Plates() {
  Image img(256, 256);
  img.Fill(0.42f, 0.44f, 0.5f);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) {
      // Diamond tread pattern.
      int u = (x + y) % 16, v = (x - y + 256) % 16;
      float* p = img.At(x, y);
      if ((u < 3 && v > 5 && v < 11) || (v < 3 && u > 5 && u < 11))
        for (int c = 0; c < 3; ++c) p[c] *= 1.25f;
    }
  img.Grain(0.08f, 16, 3, 71);
  BorderSeams(img, 4, 0.6f);
  for (int cx : {10, 246})
    for (int cy : {10, 246}) img.Rect(cx - 3, cy - 3, cx + 3, cy + 3, 0.75f, 0.75f, 0.78f, 0.8f);
  return img;
}

Image Camo() {
  Image img(256, 256);
  img.Fill(0.5f, 0.53f, 0.5f);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) {
      float n = TileNoise(x / 256.0f, y / 256.0f, 2, 3, 81);
      float* p = img.At(x, y);
      if (n > 0.15f) {
        p[0] *= 0.82f;
        p[1] *= 0.86f;
        p[2] *= 0.8f;
      }
    }
  img.Grain(0.05f, 32, 2, 82);
  for (int i = 0; i < 256; i += 64) {
    img.Rect(i, 0, i + 2, 256, 0.25f, 0.27f, 0.25f, 0.5f);
    img.Rect(0, i, 256, i + 2, 0.25f, 0.27f, 0.25f, 0.5f);
  }
  return img;
}

// Dusk, wrapped around the dome: u is the bearing, v runs from the zenith (0) to
// the horizon (1). A low sun, a warm band at the horizon and clouds lit from below.
Image Sky() {
  Image img(1024, 512);
  const float zenith[3] = {0.05f, 0.07f, 0.2f}, middle[3] = {0.36f, 0.22f, 0.42f},
              horizon[3] = {1.0f, 0.56f, 0.28f};
  for (int y = 0; y < 512; ++y)
    for (int x = 0; x < 1024; ++x) {
      float u = (x + 0.5f) / 1024.0f, v = (y + 0.5f) / 512.0f;
      float* p = img.At(x, y);
      float a = Smooth(0.0f, 0.75f, v), b = Smooth(0.6f, 1.0f, v);
      for (int c = 0; c < 3; ++c)
        p[c] = zenith[c] + (middle[c] - zenith[c]) * a + (horizon[c] - middle[c]) * b;
      float du = std::fabs(u - 0.3f) * 4.0f, dv = (1.0f - v) * 1.2f;
      float sun = std::sqrt(du * du + dv * dv);
      float glow = std::exp(-sun * 6.0f) * 0.9f + (sun < 0.045f ? 1.0f : 0.0f);
      p[0] += glow;
      p[1] += glow * 0.8f;
      p[2] += glow * 0.5f;
      // Clouds: stretched noise, densest in a band above the horizon.
      float n = TileNoise(u, v * 0.25f, 8, 5, 91);
      float band = Smooth(0.25f, 0.6f, v) * (1.0f - Smooth(0.9f, 0.99f, v));
      float cloud = Smooth(0.05f, 0.45f, n) * band;
      float lit = 0.5f + 0.5f * TileNoise(u, v * 0.25f + 0.02f, 8, 3, 92);
      const float dark[3] = {0.28f, 0.16f, 0.3f}, bright[3] = {1.0f, 0.62f, 0.45f};
      for (int c = 0; c < 3; ++c) {
        float col = dark[c] + (bright[c] - dark[c]) * lit * v;
        p[c] += (col - p[c]) * cloud * 0.85f;
      }
    }
  return img;
}

Image Plating() {
  Image img(128, 128);
  img.Fill(0.9f, 0.9f, 0.9f);
  img.Grain(0.06f, 8, 3, 101);
  img.Rect(0, 62, 128, 65, 0.45f, 0.45f, 0.45f, 0.8f);
  img.Rect(62, 0, 65, 62, 0.45f, 0.45f, 0.45f, 0.8f);
  for (int x : {12, 116})
    for (int y : {12, 50, 78, 116}) img.Rect(x - 2, y - 2, x + 2, y + 2, 0.6f, 0.6f, 0.6f, 0.8f);
  BorderSeams(img, 2, 0.4f);
  return img;
}

Image Armor() {
  Image img(128, 128);
  img.Fill(0.92f, 0.92f, 0.9f);
  img.Grain(0.08f, 8, 4, 111);
  Stains(img, 0.1f, 112);
  img.Rect(0, 0, 128, 2, 0.5f, 0.5f, 0.5f, 0.6f);
  return img;
}

// Honeycomb cells for the boss shield: bright rims, dim cells (it is drawn additively).
Image Shield() {
  Image img(256, 256);
  const float s = 256.0f / 12.0f;  // 12 cells across, so the pattern tiles
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) {
      float qx = x / s, qy = y / (s * 0.8660254f);
      int row = static_cast<int>(std::floor(qy));
      float best = 1e9f;
      for (int r = row - 1; r <= row + 1; ++r) {
        float off = (r & 1) ? 0.5f : 0.0f;
        for (int c = static_cast<int>(std::floor(qx - off)) - 1;
             c <= static_cast<int>(std::floor(qx - off)) + 1; ++c) {
          float cx = (c + off + 0.5f) * s, cy = (r + 0.5f) * s * 0.8660254f;
          float dx = x - cx, dy = y - cy;
          best = std::min(best, dx * dx + dy * dy);
        }
      }
      float d = std::sqrt(best) / s;  // 0 at a cell centre, about 0.5 at its rim
      float rim = Smooth(0.36f, 0.5f, d);
      float shimmer = 0.5f + 0.5f * TileNoise(x / 256.0f, y / 256.0f, 4, 3, 121);
      float* p = img.At(x, y);
      float k = 0.18f + 0.12f * shimmer + 0.7f * rim;
      p[0] = k;
      p[1] = k;
      p[2] = k;
      p[3] = 1.0f;
    }
  return img;
}

}  // namespace

bool WriteSurfaceTexture(const std::string& dir, const std::string& name) {
  struct Entry {
    const char* name;
    Image (*make)();
  };
  static const Entry entries[] = {
      {"slab", Slab},     {"airfield", Airfield}, {"wall", Wall},     {"metal", Metal},
      {"hazard", Hazard}, {"door", Door},         {"plates", Plates}, {"camo", Camo},
      {"sky", Sky},       {"plating", Plating},   {"armor", Armor},   {"shield", Shield},
  };
  for (const auto& e : entries)
    if (name == e.name) return e.make().WritePng(dir + "/" + name + ".png");
  std::fprintf(stderr, "models: no texture named %s\n", name.c_str());
  return false;
}

}  // namespace models
