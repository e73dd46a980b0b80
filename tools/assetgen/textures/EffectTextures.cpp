// Billboard textures: bullets, flashes and the sprite-effect sheets. All but the
// damage digits are drawn with additive blending, so they are light on
// transparent black. Strips are one row of square cells read as cell / N; the
// two grids (enemySpawn, smoke) are read by pixel cell size and column count.
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "textures/TextureSet.h"

namespace {

const float kPi = 3.14159265f;

const Rgba kWhite = MakeRgb(1, 1, 1);
const Rgba kWarm = Rgb8(255, 196, 96);
const Rgba kOrange = Rgb8(255, 120, 30);
const Rgba kViolet = Rgb8(168, 96, 255);
const Rgba kCyan = Rgb8(90, 206, 255);
const Rgba kEnemyRed = Rgb8(255, 52, 84);
const Rgba kGold = Rgb8(255, 206, 84);
const Rgba kHeal = Rgb8(80, 255, 140);

void Put(float rgb[3], const Rgba& c, float k) {
  rgb[0] += c.r * k, rgb[1] += c.g * k, rgb[2] += c.b * k;
}

// A bright band `width` wide around the circle of `radius`.
void Ring(Canvas& c, float cx, float cy, float radius, float width, const Rgba& colour, float intensity,
          float squash = 1.0f) {
  c.AddLight([=](float x, float y, float rgb[3]) {
    float d = std::hypot(x - cx, (y - cy) / squash) - radius;
    Put(rgb, colour, intensity * std::exp(-(d * d) / (width * width)));
  });
}

// A streak from (ax, ay) to (bx, by), brightest at its head b.
void Streak(Canvas& c, float ax, float ay, float bx, float by, float width, const Rgba& colour,
            float intensity) {
  c.AddLight([=](float x, float y, float rgb[3]) {
    float dx = bx - ax, dy = by - ay, len2 = dx * dx + dy * dy;
    float t = len2 > 0 ? Clamp01(((x - ax) * dx + (y - ay) * dy) / len2) : 0.0f;
    float d = std::hypot(x - ax - dx * t, y - ay - dy * t);
    Put(rgb, colour, intensity * t * std::exp(-(d * d) / (width * width)));
  });
}

// Rays of a star: `points` spikes turned by `angle`, reaching `length`.
void Star(Canvas& c, float cx, float cy, int points, float angle, float length, float sharpness,
          const Rgba& colour, float intensity) {
  c.AddLight([=](float x, float y, float rgb[3]) {
    float r = std::hypot(x - cx, y - cy);
    if (r >= length) return;
    float a = std::atan2(y - cy, x - cx) - angle;
    float spike = std::pow(std::fabs(std::cos(a * points * 0.5f)), sharpness);
    float fall = std::pow(1 - r / length, 1.5f);
    Put(rgb, colour, intensity * spike * fall);
  });
}

using FrameFn = std::function<void(Canvas& cell, int frame, float t)>;

// Renders `frames` cells of cellW x cellH into a sheet of `columns` columns.
Canvas Sheet(int cellW, int cellH, int columns, int frames, const FrameFn& draw) {
  int rows = (frames + columns - 1) / columns;
  Canvas sheet(cellW * columns, cellH * rows);
  for (int f = 0; f < frames; ++f) {
    Canvas cell(cellW, cellH);
    draw(cell, f, frames > 1 ? f / static_cast<float>(frames - 1) : 0.0f);
    cell.FadeBorders(3);
    sheet.Blit(cell, (f % columns) * cellW, (f / columns) * cellH);
  }
  return sheet;
}

bool PlayerSprites(const TextureContext& ctx) {
  Canvas bullet(64, 64);
  bullet.AddGlow(32, 32, 31, kOrange, 0.55f, 2);
  bullet.AddGlow(32, 32, 18, kWarm, 0.9f, 2);
  bullet.AddGlow(32, 32, 8, kWhite, 1.2f, 1.5f);
  bullet.FadeBorders(2);
  bool ok = SaveTexture(ctx, "Player/Bullet.png", bullet, true);

  Canvas charge(128, 128);
  charge.AddGlow(64, 64, 63, kViolet, 0.5f, 2);
  charge.AddGlow(64, 64, 38, kCyan, 0.7f, 2);
  charge.AddLight([](float x, float y, float rgb[3]) {
    float dx = x - 64, dy = y - 64, r = std::hypot(dx, dy);
    float a = std::atan2(dy, dx);
    // Three arcs spiralling round the core.
    float arc = std::pow(0.5f + 0.5f * std::cos(3 * a + r * 0.12f), 6);
    float band = std::exp(-std::pow((r - 30) / 5, 2));
    Put(rgb, Mix(kCyan, kWhite, 0.4f), 0.9f * arc * band);
  });
  charge.AddGlow(64, 64, 16, kWhite, 1.4f, 1.5f);
  charge.FadeBorders(2);
  ok = SaveTexture(ctx, "Player/chargebullet.png", charge, true) && ok;

  Canvas flash(128, 128);
  flash.AddGlow(64, 64, 60, kOrange, 0.45f, 2);
  Rng rng(0xF1A5);
  for (int k = 0; k < 6; ++k) {
    float a = k * kPi / 3 + rng.Range(-0.15f, 0.15f);
    float len = rng.Range(44, 60);
    flash.AddLight([=](float x, float y, float rgb[3]) {
      float dx = x - 64, dy = y - 64, r = std::hypot(dx, dy);
      if (r >= len) return;
      float along = dx * std::cos(a) + dy * std::sin(a);
      float across = std::fabs(-dx * std::sin(a) + dy * std::cos(a));
      if (along <= 0) return;
      float halfWidth = 7 * (1 - along / len) + 0.5f;
      float k = std::exp(-std::pow(across / halfWidth, 2)) * std::pow(1 - along / len, 0.8f);
      Put(rgb, Mix(kWarm, kWhite, 0.3f), 1.1f * k);
    });
  }
  flash.AddLight([](float x, float y, float rgb[3]) {
    float r = std::hypot(x - 64, y - 64);
    float n = Fbm(x * 0.08f, y * 0.08f, 31, 3);
    Put(rgb, kOrange, 0.5f * n * std::exp(-r * r / 900));
  });
  flash.AddGlow(64, 64, 24, kWhite, 1.3f, 1.5f);
  flash.FadeBorders(2);
  ok = SaveTexture(ctx, "Player/flash.png", flash, true) && ok;

  // The barrel flash is the soft round burst around the slide.
  Canvas barrel(128, 128);
  barrel.AddLight([](float x, float y, float rgb[3]) {
    float dx = x - 64, dy = y - 64, r = std::hypot(dx, dy);
    float a = std::atan2(dy, dx);
    float petals = 0.6f + 0.4f * Fbm(std::cos(a) * 2.5f + 10, std::sin(a) * 2.5f + 10, 47, 3);
    float reach = 58 * petals;
    if (r >= reach) return;
    float k = std::pow(1 - r / reach, 1.6f);
    Put(rgb, Mix(kOrange, kWarm, k), 0.9f * k);
  });
  barrel.AddGlow(64, 64, 20, kWhite, 1.1f, 1.5f);
  barrel.FadeBorders(2);
  ok = SaveTexture(ctx, "Player/barrelFlash.png", barrel, true) && ok;
  return ok;
}

bool EnemyBullet(const TextureContext& ctx) {
  Canvas sheet = Sheet(64, 64, 4, 4, [](Canvas& c, int f, float) {
    float pulse = 0.85f + 0.15f * std::sin(f * kPi / 2);
    c.AddGlow(32, 32, 30, kEnemyRed, 0.6f, 2);
    Star(c, 32, 32, 4, f * kPi / 8, 28, 10, Mix(kEnemyRed, kWhite, 0.3f), 0.8f);
    c.AddGlow(32, 32, 13 * pulse, Mix(kEnemyRed, kWhite, 0.6f), 1.1f, 1.5f);
    c.AddGlow(32, 32, 6 * pulse, kWhite, 1.0f, 1.5f);
  });
  return SaveTexture(ctx, "Enemy/enemyBullet.png", sheet, true);
}

bool EnemySpawn(const TextureContext& ctx) {
  // 64 x 48 cells stretched on a square quad: a warp column over a widening
  // ground ring, with motes rising through it.
  Canvas sheet = Sheet(64, 48, 10, 22, [](Canvas& c, int, float t) {
    float env = 0.3f + 0.7f * std::sin(kPi * std::min(1.0f, t * 1.15f + 0.08f));
    float colW = 3 + 9 * (1 - t);
    c.AddLight([=](float x, float y, float rgb[3]) {
      float across = (x - 32) / colW;
      float vertical = SmoothStep(2, 12, y) * SmoothStep(46, 30, y);
      float k = std::exp(-across * across) * vertical;
      Put(rgb, Mix(kViolet, kCyan, 0.6f), 0.9f * env * k);
      Put(rgb, kWhite, 0.5f * env * std::exp(-across * across * 9) * vertical);
    });
    Ring(c, 32, 37, 6 + 22 * t, 2.2f, kCyan, 0.9f * env + 0.15f, 0.28f);
    Rng rng(0x5A11);
    for (int k = 0; k < 10; ++k) {
      float x = 32 + rng.Range(-14, 14) * (0.4f + t);
      float phase = rng.Uniform();
      float y = 40 - std::fmod(phase * 30 + t * 34, 30.0f);
      c.AddGlow(x, y, 3.0f, Mix(kCyan, kWhite, 0.5f), 0.8f * env, 1.5f);
    }
  });
  return SaveTexture(ctx, "Effect/enemySpawn.png", sheet, true);
}

bool Explosion(const TextureContext& ctx) {
  // 63 frames of 32 x 32: flash, fireball, cooling smoke.
  Canvas sheet = Sheet(32, 32, 8, 63, [](Canvas& c, int, float t) {
    float radius = 5 + 8.5f * std::pow(t, 0.35f);
    float heat = Clamp01(1 - t * 1.5f);
    float intensity = 0.3f + 1.3f * std::exp(-t * 4);
    c.AddLight([=](float x, float y, float rgb[3]) {
      float dx = x - 16, dy = y - 16 + t * 3;  // the cloud drifts up as it cools
      float r = std::hypot(dx, dy);
      float n = Fbm(x * 0.22f + t * 2, y * 0.22f - t * 3, 77, 4);
      float edge = radius * (0.75f + 0.5f * n);
      if (r >= edge) return;
      float body = std::pow(1 - r / edge, 0.7f) * (0.55f + 0.45f * n);
      Rgba colour = heat > 0.66f   ? Mix(kOrange, kWarm, (heat - 0.66f) / 0.34f)
                    : heat > 0.25f ? Mix(Rgb8(160, 40, 16), kOrange, (heat - 0.25f) / 0.41f)
                                   : Mix(Rgb8(80, 72, 70), Rgb8(160, 40, 16), heat / 0.25f);
      Put(rgb, colour, intensity * body);
    });
    if (t < 0.12f) c.AddGlow(16, 16, 10, kWhite, (0.12f - t) / 0.12f * 1.2f, 1.5f);
    if (t < 0.45f) {
      Rng rng(0xDEB1);
      for (int k = 0; k < 7; ++k) {
        float a = rng.Range(0, 2 * kPi), speed = rng.Range(9, 15);
        float r = 3 + speed * t / 0.45f;
        c.AddGlow(16 + std::cos(a) * r, 16 + std::sin(a) * r, 1.8f, kWarm, 1 - t / 0.45f, 1.5f);
      }
    }
  });
  return SaveTexture(ctx, "Effect/smoke.png", sheet, true);
}

bool Discovery(const TextureContext& ctx) {
  Canvas c(128, 128);
  Ring(c, 64, 64, 48, 3.5f, kOrange, 0.6f);
  c.AddGlow(64, 64, 60, Rgb8(255, 60, 30), 0.35f, 2);
  Mask mark = ctx.font.Render("!", 96).Padded(20);
  int x0, y0, x1, y1;
  mark.InkBounds(x0, y0, x1, y1);
  int dx = 64 - (x0 + x1 + 1) / 2, dy = 64 - (y0 + y1 + 1) / 2;
  c.AddLight(mark.Dilated(3).Blurred(4), kOrange, 1.0f, dx, dy);
  c.AddLight(mark, Mix(kWarm, kWhite, 0.5f), 1.0f, dx, dy);
  c.FadeBorders(2);
  return SaveTexture(ctx, "Effect/Discover.png", c, true);
}

bool PowerGlows(const TextureContext& ctx) {
  struct Power {
    const char* path;
    Rgba colour;
    uint64_t seed;
  };
  const Power powers[] = {{"Effect/chargeBluePower.png", Rgb8(70, 140, 255), 11},
                          {"Effect/chargeYellowPower.png", Rgb8(255, 214, 50), 12},
                          {"Effect/chargeRedPower.png", Rgb8(255, 56, 44), 13}};
  bool ok = true;
  for (const Power& p : powers) {
    Canvas c(128, 128);
    c.AddGlow(64, 64, 63, p.colour, 0.5f, 2);
    Ring(c, 64, 64, 42, 3, Mix(p.colour, kWhite, 0.25f), 0.7f);
    Rng rng(p.seed);
    for (int k = 0; k < 10; ++k) {
      float a = k * 2 * kPi / 10 + rng.Range(-0.2f, 0.2f);
      float r0 = rng.Range(46, 58), r1 = rng.Range(22, 30);
      // Streaks point inward: power gathering to the core.
      Streak(c, 64 + std::cos(a) * r0, 64 + std::sin(a) * r0, 64 + std::cos(a) * r1, 64 + std::sin(a) * r1,
             1.8f, Mix(p.colour, kWhite, 0.5f), 1.0f);
    }
    c.AddGlow(64, 64, 24, Mix(p.colour, kWhite, 0.6f), 1.0f, 1.5f);
    c.AddGlow(64, 64, 10, kWhite, 0.9f, 1.5f);
    c.FadeBorders(2);
    ok = SaveTexture(ctx, p.path, c, true) && ok;
  }
  return ok;
}

bool ItemEffects(const TextureContext& ctx) {
  Canvas drop = Sheet(128, 128, 5, 5, [](Canvas& c, int, float t) {
    float env = 1 - 0.6f * t;
    c.AddLight([=](float x, float y, float rgb[3]) {
      float across = (x - 64) / (5 + 6 * t);
      float vertical = SmoothStep(8, 40, y) * SmoothStep(124, 96, y);
      Put(rgb, kGold, 0.8f * env * std::exp(-across * across) * vertical);
      Put(rgb, kWhite, 0.6f * env * std::exp(-across * across * 8) * vertical);
    });
    Ring(c, 64, 96, 10 + 44 * t, 3, kGold, 0.9f * env, 0.35f);
    c.AddGlow(64, 96, 22, kWarm, 0.6f * env, 2);
  });
  bool ok = SaveTexture(ctx, "Effect/ItemDrop.png", drop, true);

  Canvas flash = Sheet(128, 128, 10, 10, [](Canvas& c, int f, float) {
    float size = 12 + 46 * std::sin(kPi * (f + 0.5f) / 10);
    float turn = f * kPi / 20;
    Star(c, 64, 64, 4, turn, size, 24, Mix(kGold, kWhite, 0.5f), 1.4f);
    Star(c, 64, 64, 4, turn + kPi / 4, size * 0.55f, 24, kGold, 0.8f);
    c.AddGlow(64, 64, size * 0.45f, kGold, 0.7f, 2);
    c.AddGlow(64, 64, size * 0.18f + 3, kWhite, 1.0f, 1.5f);
  });
  return SaveTexture(ctx, "Effect/ItemFlash.png", flash, true) && ok;
}

bool ChargeEffects(const TextureContext& ctx) {
  // Counters wrap through these while the button is held, so both loop.
  Canvas energy = Sheet(128, 128, 10, 10, [](Canvas& c, int f, float) {
    float phase = f / 10.0f;
    c.AddGlow(64, 64, 58, kViolet, 0.45f, 2);
    c.AddLight([=](float x, float y, float rgb[3]) {
      float dx = x - 64, dy = y - 64, r = std::hypot(dx, dy);
      float a = std::atan2(dy, dx) - phase * 2 * kPi / 3;
      float arcs = std::pow(0.5f + 0.5f * std::cos(3 * a + r * 0.1f), 5);
      float band = std::exp(-std::pow((r - 34) / 6, 2));
      Put(rgb, Mix(kViolet, kCyan, 0.6f), 1.0f * arcs * band);
    });
    for (int k = 0; k < 8; ++k) {
      float u = std::fmod(phase + k / 8.0f, 1.0f);
      float r = 56 - 38 * u, a = k * kPi / 4 + 0.3f * k;
      c.AddGlow(64 + std::cos(a) * r, 64 + std::sin(a) * r, 4, Mix(kCyan, kWhite, 0.5f),
                0.9f * std::sin(kPi * u), 1.5f);
    }
    c.AddGlow(64, 64, 20, Mix(kViolet, kWhite, 0.6f), 1.1f, 1.5f);
  });
  bool ok = SaveTexture(ctx, "Effect/EnergyCharge.png", energy, true);

  Canvas bullet = Sheet(64, 64, 5, 5, [](Canvas& c, int f, float) {
    float phase = f / 5.0f;
    float pulse = 1 + 0.18f * std::sin(phase * 2 * kPi);
    c.AddGlow(32, 32, 28, kCyan, 0.5f, 2);
    c.AddLight([=](float x, float y, float rgb[3]) {
      float dx = x - 32, dy = y - 32, r = std::hypot(dx, dy);
      float a = std::atan2(dy, dx) - phase * kPi;
      float arcs = std::pow(0.5f + 0.5f * std::cos(2 * a), 4);
      Put(rgb, Mix(kCyan, kViolet, 0.4f), 0.8f * arcs * std::exp(-std::pow((r - 19) / 3, 2)));
    });
    c.AddGlow(32, 32, 11 * pulse, Mix(kCyan, kWhite, 0.6f), 1.2f, 1.5f);
  });
  ok = SaveTexture(ctx, "Effect/BulletCharge.png", bullet, true) && ok;

  Canvas flash = Sheet(128, 128, 5, 5, [](Canvas& c, int, float t) {
    float fade = 1 - 0.75f * t;
    c.AddGlow(64, 64, 60, Rgb8(200, 90, 255), 0.5f * fade, 2);
    Star(c, 64, 64, 8, t * 0.4f, 44 + 16 * t, 14, Mix(Rgb8(220, 140, 255), kWhite, 0.3f), 1.3f * fade);
    Ring(c, 64, 64, 14 + 36 * t, 3, Rgb8(220, 150, 255), 0.7f * fade);
    c.AddGlow(64, 64, 22 * (1 - 0.45f * t), kWhite, 1.3f * fade, 1.5f);
  });
  return SaveTexture(ctx, "Effect/chargeFlash.png", flash, true) && ok;
}

// Impact burst shared by the normal and the charged hits.
void Burst(Canvas& c, float t, float scale, const Rgba& colour, const Rgba& hot, uint64_t seed) {
  float fade = std::pow(1 - t, 1.3f) + 0.2f;
  c.AddGlow(64, 64, (30 * (1 - t) + 10) * scale, hot, 1.3f * fade, 1.5f);
  c.AddGlow(64, 64, 56 * scale, colour, 0.35f * fade, 2);
  Ring(c, 64, 64, (10 + 42 * t) * scale, 3 * scale, colour, 0.8f * fade);
  Rng rng(seed);
  for (int k = 0; k < 11; ++k) {
    float a = rng.Range(0, 2 * kPi);
    float speed = rng.Range(0.7f, 1.0f);
    float r0 = (6 + 46 * t * speed) * scale, r1 = r0 + (24 * (1 - t) + 6) * scale;
    Streak(c, 64 + std::cos(a) * r0, 64 + std::sin(a) * r0, 64 + std::cos(a) * r1, 64 + std::sin(a) * r1,
           1.6f * scale, Mix(colour, kWhite, 0.5f), 1.2f * fade);
  }
}

bool HitEffects(const TextureContext& ctx) {
  Canvas hit =
      Sheet(128, 128, 5, 5, [](Canvas& c, int, float t) { Burst(c, t, 0.9f, kOrange, kWarm, 0x41); });
  bool ok = SaveTexture(ctx, "Effect/hitBullet2.png", hit, true);
  Canvas charged = Sheet(128, 128, 5, 5, [](Canvas& c, int, float t) {
    Burst(c, t, 1.05f, kViolet, Mix(kCyan, kWhite, 0.5f), 0x42);
    Star(c, 64, 64, 6, 0.3f, 50 * (1 - 0.4f * t), 16, kCyan, 0.8f * (1 - t) + 0.1f);
  });
  ok = SaveTexture(ctx, "Effect/hitCharge.png", charged, true) && ok;

  // The shield's skin: a hexagonal cell pattern lit by a spreading wave, with
  // shards thrown out of the impact.
  Canvas shield = Sheet(128, 128, 15, 15, [](Canvas& c, int, float t) {
    float wave = 8 + 52 * t;
    float fade = 1 - 0.8f * t;
    c.AddLight([=](float x, float y, float rgb[3]) {
      const float size = 9;
      float px = x - 64, py = y - 64, r = std::hypot(px, py);
      // Nearest hexagon centre on a pointy-top lattice.
      float q = (std::sqrt(3.0f) / 3 * px - py / 3) / size, s = (2.0f / 3 * py) / size;
      float cx = q, cz = s, cy = -q - s;
      float rx = std::round(cx), ry = std::round(cy), rz = std::round(cz);
      float ex = std::fabs(rx - cx), ey = std::fabs(ry - cy), ez = std::fabs(rz - cz);
      if (ex > ey && ex > ez)
        rx = -ry - rz;
      else if (ey > ez)
        ry = -rx - rz;
      else
        rz = -rx - ry;
      float hx = size * std::sqrt(3.0f) * (rx + rz / 2), hy = size * 1.5f * rz;
      float lx = std::fabs(px - hx), ly = std::fabs(py - hy);
      float edge = std::max(lx, lx * 0.5f + ly * 0.866f) - size * 0.866f;
      float line = std::exp(-edge * edge / 1.6f);
      float band = std::exp(-std::pow((r - wave) / 10, 2)) + 0.5f * std::exp(-r * r / (wave * wave));
      Put(rgb, kCyan, 0.9f * fade * line * band * SmoothStep(62, 40, r));
    });
    c.AddGlow(64, 64, 26, Mix(kCyan, kWhite, 0.6f), 1.2f * std::pow(1 - t, 2) + 0.1f, 1.5f);
    Rng rng(0x5417);
    for (int k = 0; k < 9; ++k) {
      float a = rng.Range(0, 2 * kPi), speed = rng.Range(30, 48);
      float r = 8 + speed * t;
      float x = 64 + std::cos(a) * r, y = 64 + std::sin(a) * r;
      float spin = a + t * rng.Range(-6, 6);
      std::vector<Point> shard = {{x + std::cos(spin) * 5, y + std::sin(spin) * 5},
                                  {x + std::cos(spin + 2.3f) * 3, y + std::sin(spin + 2.3f) * 3},
                                  {x + std::cos(spin + 4.0f) * 4, y + std::sin(spin + 4.0f) * 4}};
      c.AddLight(Mask::FromSdf(128, 128, [shard](float px, float py) { return SdPolygon(px, py, shard); }),
                 Mix(kCyan, kWhite, 0.5f), 0.9f * fade * SmoothStep(60, 40, r));
    }
  });
  return SaveTexture(ctx, "Effect/ShieldDamage.png", shield, true) && ok;
}

bool LostEffects(const TextureContext& ctx) {
  Canvas normal = Sheet(64, 64, 8, 8, [](Canvas& c, int, float t) {
    float fade = 1 - 0.8f * t;
    c.AddGlow(32, 32, 22 * (1 - 0.5f * t), kOrange, 0.5f * fade, 2);
    c.AddGlow(32, 32, 9 * (1 - t) + 3, kWarm, 1.1f * fade, 1.5f);
    Rng rng(0x105E);
    for (int k = 0; k < 5; ++k) {
      float a = rng.Range(0, 2 * kPi), speed = rng.Range(10, 20);
      float x = 32 + std::cos(a) * speed * t, y = 32 + std::sin(a) * speed * t + 8 * t * t;
      c.AddGlow(x, y, 2.5f, kWarm, 0.9f * fade, 1.5f);
    }
  });
  bool ok = SaveTexture(ctx, "Effect/PlayerBulletLost.png", normal, true);
  Canvas charged = Sheet(64, 64, 10, 10, [](Canvas& c, int, float t) {
    float fade = 1 - 0.8f * t;
    c.AddGlow(32, 32, 28, kViolet, 0.45f * fade, 2);
    Ring(c, 32, 32, 6 + 20 * t, 2.2f, Mix(kViolet, kCyan, 0.5f), 0.9f * fade);
    c.AddGlow(32, 32, 12 * (1 - 0.7f * t) + 2, Mix(kViolet, kWhite, 0.6f), 1.1f * fade, 1.5f);
  });
  return SaveTexture(ctx, "Effect/ChargeBulletLost.png", charged, true) && ok;
}

bool Heal(const TextureContext& ctx) {
  Canvas sheet = Sheet(128, 128, 10, 10, [](Canvas& c, int, float t) {
    float env = std::sin(kPi * (0.08f + 0.84f * t));
    c.AddLight([=](float x, float y, float rgb[3]) {
      float across = (x - 64) / 30;
      float vertical = SmoothStep(6, 40, y) * SmoothStep(124, 90, y);
      Put(rgb, kHeal, 0.35f * env * std::exp(-across * across) * vertical);
    });
    Ring(c, 64, 108 - 70 * t, 38, 2.5f, kHeal, 0.9f * env, 0.3f);
    Rng rng(0x4EA1);
    for (int k = 0; k < 6; ++k) {
      float x = rng.Range(30, 98), start = rng.Range(80, 112), speed = rng.Range(40, 70);
      float y = start - speed * t, s = rng.Range(4, 6.5f);
      float k2 = env * SmoothStep(8, 30, y);
      Mask plus = Mask::FromSdf(128, 128, [=](float px, float py) {
        return std::min(SdBox(px, py, x, y, s, s * 0.33f, 1), SdBox(px, py, x, y, s * 0.33f, s, 1));
      });
      c.AddLight(plus.Dilated(2).Blurred(2), kHeal, 0.6f * k2);
      c.AddLight(plus, Mix(kHeal, kWhite, 0.5f), 0.9f * k2);
    }
  });
  return SaveTexture(ctx, "Effect/healPlayer2.png", sheet, true);
}

bool DamageDigits(const TextureContext& ctx) {
  // Drawn with alpha blending. The damage numbers read digit d at x = 21 d,
  // except 9, whose window starts at x = 179 and overlaps 8's cell: 8 keeps to
  // x 169..178 and 9 to x 188..197, narrower, so neither shows in the other.
  Canvas c(200, 25);
  TextStyle style;
  style.fill = VerticalGradient(3, Rgb8(255, 250, 220), 22, Rgb8(255, 168, 40));
  style.outline = Rgb8(40, 12, 0);
  style.outlineWidth = 1.5f;
  const float em = 26;
  int base0 = 0;
  Mask zero = ctx.font.Render("0", em, 0.82f, 0, 0, &base0);
  float top = (25 - zero.Height()) / 2.0f;
  for (int d = 0; d < 10; ++d) {
    bool narrow = d >= 8;
    int baseline = 0;
    Mask glyph = ctx.font.Render(std::string(1, static_cast<char>('0' + d)), em, narrow ? 0.5f : 0.82f, 0, 0,
                                 &baseline);
    float cx = d == 8 ? 173.5f : d == 9 ? 192.5f : 21 * d + 10.0f;
    DrawText(c, glyph, cx, top + base0 - baseline + glyph.Height() / 2.0f, style);
  }
  return SaveTexture(ctx, "Effect/dmgNum2.png", c, false);
}

}  // namespace

bool GenerateEffectTextures(const TextureContext& ctx) {
  bool ok = true;
  for (auto step : {PlayerSprites, EnemyBullet, EnemySpawn, Explosion, Discovery, PowerGlows, ItemEffects,
                    ChargeEffects, HitEffects, LostEffects, Heal, DamageDigits})
    ok = step(ctx) && ok;
  return ok;
}
