#include "textures/Canvas.h"

#include <stb_image_write.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

Rgba Mix(const Rgba& a, const Rgba& b, float t) {
  return Rgba{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Rgba WithAlpha(const Rgba& c, float a) {
  return Rgba{c.r, c.g, c.b, a};
}

float Clamp01(float v) {
  return v < 0 ? 0 : (v > 1 ? 1 : v);
}

float SmoothStep(float edge0, float edge1, float v) {
  float t = Clamp01((v - edge0) / (edge1 - edge0));
  return t * t * (3 - 2 * t);
}

float SdCircle(float x, float y, float cx, float cy, float r) {
  return std::hypot(x - cx, y - cy) - r;
}

float SdBox(float x, float y, float cx, float cy, float halfW, float halfH, float cornerRadius) {
  float qx = std::fabs(x - cx) - halfW + cornerRadius;
  float qy = std::fabs(y - cy) - halfH + cornerRadius;
  float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
  return outside + std::min(std::max(qx, qy), 0.0f) - cornerRadius;
}

float SdSegment(float x, float y, float ax, float ay, float bx, float by, float halfWidth) {
  float px = x - ax, py = y - ay, dx = bx - ax, dy = by - ay;
  float len2 = dx * dx + dy * dy;
  float t = len2 > 0 ? Clamp01((px * dx + py * dy) / len2) : 0.0f;
  return std::hypot(px - dx * t, py - dy * t) - halfWidth;
}

float SdPolygon(float x, float y, const std::vector<Point>& pts) {
  float best = 1e30f;
  bool inside = false;
  for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
    const Point& a = pts[j];
    const Point& b = pts[i];
    best = std::min(best, SdSegment(x, y, a.x, a.y, b.x, b.y, 0.0f));
    if ((b.y > y) != (a.y > y) && x < (a.x - b.x) * (y - b.y) / (a.y - b.y) + b.x) inside = !inside;
  }
  return inside ? -best : best;
}

Paint Solid(const Rgba& c) {
  return [c](float, float) { return c; };
}

Paint VerticalGradient(float y0, const Rgba& top, float y1, const Rgba& bottom) {
  return [=](float, float y) { return Mix(top, bottom, Clamp01((y - y0) / (y1 - y0))); };
}

// ---------------------------------------------------------------- Mask

Mask::Mask(int w, int h) : w_(w), h_(h), v_(static_cast<size_t>(w) * h, 0.0f) {}

Mask Mask::FromSdf(int w, int h, const Sdf& sdf) {
  Mask m(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) m.Ref(x, y) = Clamp01(0.5f - sdf(x + 0.5f, y + 0.5f));
  return m;
}

float Mask::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= w_ || y >= h_) return 0.0f;
  return v_[static_cast<size_t>(y) * w_ + x];
}

void Mask::Union(const Mask& o, int dx, int dy) {
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) Ref(x, y) = std::max(Ref(x, y), o.At(x - dx, y - dy));
}

void Mask::Subtract(const Mask& o, int dx, int dy) {
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) Ref(x, y) *= 1.0f - o.At(x - dx, y - dy);
}

void Mask::Scale(float factor) {
  for (float& v : v_) v *= factor;
}

Mask Mask::Dilated(float radius) const {
  Mask out(w_, h_);
  int r = static_cast<int>(std::ceil(radius + 0.5f));
  struct Tap {
    int dx, dy;
    float weight;
  };
  std::vector<Tap> taps;
  for (int dy = -r; dy <= r; ++dy)
    for (int dx = -r; dx <= r; ++dx) {
      float w = Clamp01(radius + 0.5f - std::hypot(static_cast<float>(dx), static_cast<float>(dy)));
      if (w > 0) taps.push_back({dx, dy, w});
    }
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) {
      float best = 0;
      for (const Tap& t : taps) best = std::max(best, At(x + t.dx, y + t.dy) * t.weight);
      out.Ref(x, y) = best;
    }
  return out;
}

Mask Mask::Blurred(int radius) const {
  Mask a = *this;
  if (radius <= 0) return a;
  Mask b(w_, h_);
  float norm = 1.0f / (2 * radius + 1);
  for (int pass = 0; pass < 3; ++pass) {
    for (int y = 0; y < h_; ++y)
      for (int x = 0; x < w_; ++x) {
        float s = 0;
        for (int k = -radius; k <= radius; ++k) s += a.At(x + k, y);
        b.Ref(x, y) = s * norm;
      }
    for (int y = 0; y < h_; ++y)
      for (int x = 0; x < w_; ++x) {
        float s = 0;
        for (int k = -radius; k <= radius; ++k) s += b.At(x, y + k);
        a.Ref(x, y) = s * norm;
      }
  }
  return a;
}

Mask Mask::Padded(int pad) const {
  Mask out(w_ + 2 * pad, h_ + 2 * pad);
  out.Union(*this, pad, pad);
  return out;
}

bool Mask::InkBounds(int& x0, int& y0, int& x1, int& y1, float threshold) const {
  x0 = w_, y0 = h_, x1 = -1, y1 = -1;
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x)
      if (At(x, y) > threshold) {
        x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
      }
  return x1 >= 0;
}

// ---------------------------------------------------------------- Canvas

Canvas::Canvas(int w, int h) : w_(w), h_(h), px_(static_cast<size_t>(w) * h * 4, 0.0f) {}

void Canvas::Fill(const Rgba& c) {
  for (size_t i = 0; i < px_.size(); i += 4) {
    px_[i] = c.r * c.a, px_[i + 1] = c.g * c.a, px_[i + 2] = c.b * c.a, px_[i + 3] = c.a;
  }
}

void Canvas::Over(const Mask& mask, const Paint& paint, int dx, int dy) {
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) {
      float m = mask.At(x - dx, y - dy);
      if (m <= 0) continue;
      Rgba c = paint(x + 0.5f, y + 0.5f);
      float a = Clamp01(c.a * m);
      float* p = &px_[(static_cast<size_t>(y) * w_ + x) * 4];
      p[0] = c.r * a + p[0] * (1 - a);
      p[1] = c.g * a + p[1] * (1 - a);
      p[2] = c.b * a + p[2] * (1 - a);
      p[3] = a + p[3] * (1 - a);
    }
}

void Canvas::OverSdf(const Sdf& sdf, const Paint& paint) {
  Over(Mask::FromSdf(w_, h_, sdf), paint);
}

void Canvas::AddLight(const Light& light) {
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) {
      float rgb[3] = {0, 0, 0};
      light(x + 0.5f, y + 0.5f, rgb);
      float* p = &px_[(static_cast<size_t>(y) * w_ + x) * 4];
      for (int k = 0; k < 3; ++k) p[k] += std::max(rgb[k], 0.0f);
      p[3] = std::max(p[3], std::max(p[0], std::max(p[1], p[2])));
    }
}

void Canvas::AddLight(const Mask& mask, const Rgba& colour, float intensity, int dx, int dy) {
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) {
      float m = mask.At(x - dx, y - dy) * intensity;
      if (m <= 0) continue;
      float* p = &px_[(static_cast<size_t>(y) * w_ + x) * 4];
      p[0] += colour.r * m, p[1] += colour.g * m, p[2] += colour.b * m;
      p[3] = std::max(p[3], std::max(p[0], std::max(p[1], p[2])));
    }
}

void Canvas::AddGlow(float cx, float cy, float radius, const Rgba& colour, float intensity, float sharpness) {
  AddLight([=](float x, float y, float rgb[3]) {
    float d = std::hypot(x - cx, y - cy) / radius;
    if (d >= 1) return;
    float k = std::pow(1 - d * d, sharpness) * intensity;
    rgb[0] = colour.r * k, rgb[1] = colour.g * k, rgb[2] = colour.b * k;
  });
}

void Canvas::Blit(const Canvas& src, int dx, int dy) {
  for (int y = 0; y < src.h_; ++y)
    for (int x = 0; x < src.w_; ++x) {
      int tx = x + dx, ty = y + dy;
      if (tx < 0 || ty < 0 || tx >= w_ || ty >= h_) continue;
      const float* s = src.Pixel(x, y);
      float* p = &px_[(static_cast<size_t>(ty) * w_ + tx) * 4];
      float a = Clamp01(s[3]);
      for (int k = 0; k < 4; ++k) p[k] = s[k] + p[k] * (1 - a);
    }
}

void Canvas::Scale(float factor) {
  for (float& v : px_) v *= factor;
}

void Canvas::FadeBorders(float margin) {
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) {
      float d = std::min(std::min(x + 0.5f, w_ - x - 0.5f), std::min(y + 0.5f, h_ - y - 0.5f)) - 0.5f;
      float k = SmoothStep(0, margin, d);
      float* p = &px_[(static_cast<size_t>(y) * w_ + x) * 4];
      for (int c = 0; c < 4; ++c) p[c] *= k;
    }
}

namespace {
uint8_t ToByte(float v) {
  return static_cast<uint8_t>(std::lround(Clamp01(v) * 255.0f));
}
}  // namespace

std::vector<uint8_t> Canvas::ToStraight() const {
  std::vector<uint8_t> out(px_.size());
  for (size_t i = 0; i < px_.size(); i += 4) {
    float a = Clamp01(px_[i + 3]);
    uint8_t a8 = ToByte(a);
    if (a8 == 0) continue;  // fully transparent texels stay black
    for (int k = 0; k < 3; ++k) out[i + k] = ToByte(px_[i + k] / a);
    out[i + 3] = a8;
  }
  return out;
}

std::vector<uint8_t> Canvas::ToGlow() const {
  std::vector<uint8_t> out(px_.size());
  for (size_t i = 0; i < px_.size(); i += 4) {
    float r = px_[i], g = px_[i + 1], b = px_[i + 2];
    float peak = std::max(r, std::max(g, b));
    if (peak <= 0) continue;
    // Overbright light is clipped, keeping its hue.
    if (peak > 1) r /= peak, g /= peak, b /= peak, peak = 1;
    float a = std::sqrt(peak);
    uint8_t a8 = ToByte(a);
    if (a8 == 0) continue;
    out[i] = ToByte(r / a), out[i + 1] = ToByte(g / a), out[i + 2] = ToByte(b / a);
    out[i + 3] = a8;
  }
  return out;
}

bool WritePng(const std::string& path, int w, int h, const std::vector<uint8_t>& rgba) {
  if (!stbi_write_png(path.c_str(), w, h, 4, rgba.data(), w * 4)) {
    std::fprintf(stderr, "textures: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

// ---------------------------------------------------------------- noise

uint64_t Rng::Next() {
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

float Rng::Uniform() {
  return static_cast<float>(Next() >> 40) / static_cast<float>(1ull << 24);
}

float Rng::Range(float lo, float hi) {
  return lo + (hi - lo) * Uniform();
}

namespace {
float Lattice(int x, int y, uint32_t seed) {
  uint32_t h =
      static_cast<uint32_t>(x) * 0x8DA6B343u ^ static_cast<uint32_t>(y) * 0xD8163841u ^ seed * 0xCB1AB31Fu;
  h ^= h >> 13;
  h *= 0x5BD1E995u;
  h ^= h >> 15;
  return (h & 0xFFFFFF) / static_cast<float>(0xFFFFFF);
}
}  // namespace

float ValueNoise(float x, float y, uint32_t seed) {
  int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
  float fx = x - ix, fy = y - iy;
  float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
  float a = Lattice(ix, iy, seed), b = Lattice(ix + 1, iy, seed);
  float c = Lattice(ix, iy + 1, seed), d = Lattice(ix + 1, iy + 1, seed);
  return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}

float Fbm(float x, float y, uint32_t seed, int octaves) {
  float sum = 0, amp = 0.5f, norm = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += ValueNoise(x, y, seed + i * 101u) * amp;
    norm += amp;
    x *= 2.03f, y *= 2.03f, amp *= 0.5f;
  }
  return sum / norm;
}
