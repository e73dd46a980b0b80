// Screen textures: title, HUD, prompts and the result screens. Sizes follow the
// source rectangles the HUD draws with; buttons fill their whole texture since
// the hit test uses the texture size.
#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "framework/VelOverlayGlyphs.h"
#include "textures/TextureSet.h"

namespace {

const float kPi = 3.14159265f;

// Palette: dusk over a military airbase, cyan instrument accents, amber cautions.
const Rgba kPanel = Rgb8(10, 17, 28, 0.82f);
const Rgba kPanelDeep = Rgb8(4, 8, 14, 0.9f);
const Rgba kCyan = Rgb8(96, 214, 244);
const Rgba kAmber = Rgb8(255, 178, 62);
const Rgba kInk = Rgb8(6, 9, 15);
const Rgba kText = Rgb8(238, 243, 248);

// A line of `halfWidth` along the outline of an SDF shape.
Sdf Stroke(Sdf shape, float halfWidth) {
  return [shape, halfWidth](float x, float y) { return std::fabs(shape(x, y)) - halfWidth; };
}

Sdf Box(float cx, float cy, float hw, float hh, float r) {
  return [=](float x, float y) { return SdBox(x, y, cx, cy, hw, hh, r); };
}

TextStyle PlainText(const Paint& fill, float outline) {
  TextStyle s;
  s.fill = fill;
  s.outline = kInk;
  s.outlineWidth = outline;
  s.shadow = WithAlpha(kInk, 0.55f);
  s.shadowBlur = 2;
  s.shadowDy = 2;
  return s;
}

// Text shrunk until it fits maxW x maxH and centred on (cx, cy).
void FitText(Canvas& c, const Font& font, const std::string& text, float cx, float cy, float maxW, float maxH,
             const TextStyle& style, float xScale = 1.0f, float tracking = 0.0f) {
  float px = font.FitHeight(text, maxH * 1.6f, maxW, maxH, xScale, tracking);
  DrawText(c, font.Render(text, px, xScale, tracking), cx, cy, style);
}

// Dark instrument panel with a fine cyan rim.
void PanelBox(Canvas& c, float cx, float cy, float hw, float hh, float r, const Rgba& rim) {
  c.OverSdf(Box(cx, cy, hw, hh, r), VerticalGradient(cy - hh, kPanel, cy + hh, kPanelDeep));
  c.OverSdf(Stroke(Box(cx, cy, hw - 0.75f, hh - 0.75f, r), 0.6f), Solid(rim));
}

// A recessed slot that a bar texture is drawn into.
void Slot(Canvas& c, float x0, float y0, float x1, float y1) {
  float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2, hw = (x1 - x0) / 2 + 1, hh = (y1 - y0) / 2 + 1;
  c.OverSdf(Box(cx, cy, hw, hh, 2), Solid(Rgb8(2, 4, 8, 0.92f)));
  c.OverSdf(Stroke(Box(cx, cy, hw, hh, 2), 0.5f), Solid(WithAlpha(kCyan, 0.45f)));
}

// Column colour runs along x; rows carry a glossy highlight, as the bar
// stretches one column over its whole length.
Canvas Bar(int w, int h, const std::function<Rgba(float t)>& colourAt) {
  Canvas c(w, h);
  for (int x = 0; x < w; ++x) {
    Rgba base = colourAt(w > 1 ? x / static_cast<float>(w - 1) : 0.0f);
    Mask column(w, h);
    for (int y = 0; y < h; ++y) column.Ref(x, y) = 1;
    c.Over(column, [&](float, float y) {
      float v = y / h;
      float light = 1.15f - 0.45f * v;
      Rgba k = MakeRgb(base.r * light, base.g * light, base.b * light);
      if (v < 0.3f) k = Mix(k, MakeRgb(1, 1, 1), 0.35f * (1 - v / 0.3f));
      if (y < 1 || y > h - 1) k = Mix(k, kInk, 0.5f);
      return k;
    });
  }
  return c;
}

// Hazard stripes (amber and near-black) between rows y0 and y1.
void Hazard(Canvas& c, float y0, float y1, float alpha) {
  c.OverSdf([=](float, float y) { return std::max(y0 - y, y - y1); },
            [=](float x, float y) {
              float s = std::fmod(x + y + 4000.0f, 48.0f);
              float k = SmoothStep(23.0f, 24.5f, s) * (1 - SmoothStep(46.5f, 48.0f, s));
              return WithAlpha(Mix(Rgb8(255, 170, 30), Rgb8(20, 16, 12), k), alpha);
            });
}

Canvas Button(const Font& font, int w, int h, const std::string& label, const Rgba& accent) {
  Canvas c(w, h);
  float cx = w / 2.0f, cy = h / 2.0f;
  Sdf plate = Box(cx, cy, cx - 1, cy - 1, 10);
  c.OverSdf(plate,
            VerticalGradient(0, Rgb8(34, 48, 68, 0.94f), static_cast<float>(h), Rgb8(10, 15, 24, 0.94f)));
  c.OverSdf(Stroke(Box(cx, cy, cx - 2.5f, cy - 2.5f, 9), 1.2f), Solid(accent));
  c.OverSdf(Stroke(Box(cx, cy, cx - 7, cy - 7, 5), 0.5f), Solid(WithAlpha(accent, 0.35f)));
  // Chevron on the left marks the plate as something to press.
  float ax = 18, ah = h * 0.16f;
  std::vector<Point> chevron = {{ax, cy - ah}, {ax + ah * 1.1f, cy}, {ax, cy + ah}};
  c.OverSdf([chevron](float x, float y) { return SdPolygon(x, y, chevron); }, Solid(accent));
  TextStyle style =
      PlainText(VerticalGradient(cy - h * 0.25f, kText, cy + h * 0.25f, Rgb8(190, 205, 220)), 2);
  FitText(c, font, label, cx + 10, cy, w - 60.0f, h * 0.42f, style, 1.0f, 1.5f);
  return c;
}

bool Title(const TextureContext& ctx) {
  Canvas c(1000, 200);
  // Underline: a cyan rail fading to either side with hazard tips.
  c.OverSdf(Box(500, 174, 380, 2, 1), [](float x, float) {
    float t = 1 - std::fabs(x - 500) / 380;
    return WithAlpha(kCyan, 0.25f + 0.7f * SmoothStep(0, 0.6f, t));
  });
  for (int side = -1; side <= 1; side += 2) {
    float x = 500 + side * 400.0f;
    std::vector<Point> tip = {{x, 166}, {x + side * 14.0f, 174}, {x, 182}};
    c.OverSdf([tip](float px, float py) { return SdPolygon(px, py, tip); }, Solid(kAmber));
    for (int k = 0; k < 3; ++k) {
      float bx = 500 + side * (352.0f - k * 16);
      c.OverSdf(Box(bx, 186, 5, 2, 1), Solid(WithAlpha(kAmber, 0.8f - k * 0.2f)));
    }
  }
  TextStyle style;
  style.fill = [](float, float y) {
    // Polished steel catching the orange of the evening sky near its foot.
    if (y < 95) return Mix(Rgb8(250, 252, 255), Rgb8(196, 210, 226), Clamp01((y - 25) / 70));
    return Mix(Rgb8(150, 164, 182), Rgb8(255, 150, 62), Clamp01((y - 95) / 55));
  };
  style.outline = Rgb8(10, 14, 24);
  style.outlineWidth = 4;
  style.shadow = Rgb8(0, 0, 0, 0.7f);
  style.shadowBlur = 4;
  style.shadowDy = 6;
  style.glow = WithAlpha(Rgb8(255, 140, 60), 0.35f);
  style.glowBlur = 8;
  Mask text = ctx.font.Render("Halvane", 150, 1.0f, 10);
  DrawText(c, text, 500, 88, style);
  return SaveTexture(ctx, "Texture/Title.png", c, false);
}

bool Start(const TextureContext& ctx) {
  Canvas c(400, 57);
  for (int side = -1; side <= 1; side += 2) {
    float x = 200 + side * 178.0f;
    std::vector<Point> tip = {{x - side * 9.0f, 20}, {x, 28.5f}, {x - side * 9.0f, 37}};
    c.OverSdf([tip](float px, float py) { return SdPolygon(px, py, tip); }, Solid(kAmber));
  }
  TextStyle style = PlainText(VerticalGradient(14, kText, 44, Rgb8(200, 214, 228)), 2.5f);
  FitText(c, ctx.font, "CLICK TO START", 200, 28.5f, 320, 30, style, 1.0f, 3);
  return SaveTexture(ctx, "Texture/start.png", c, false);
}

bool BulletHole(const TextureContext& ctx) {
  Canvas c(300, 300);
  const float cx = 150, cy = 150;
  Rng rng(0x5EED0001);
  // Frosted, crazed glass around the impact.
  Mask frost =
      Mask::FromSdf(300, 300, [&](float x, float y) { return SdCircle(x, y, cx, cy, 46); }).Blurred(8);
  c.Over(frost, Solid(Rgb8(220, 230, 240, 0.22f)));
  // Radial cracks: jittered polylines that taper, each with a dark edge so they
  // read on bright and dark scenes alike.
  std::vector<std::vector<Point>> cracks;
  int count = 15;
  for (int i = 0; i < count; ++i) {
    float angle = (i + rng.Range(-0.3f, 0.3f)) * 2 * kPi / count;
    float length = rng.Range(70, 142);
    std::vector<Point> line;
    float r = 12;
    while (r < length) {
      line.push_back({cx + std::cos(angle) * r, cy + std::sin(angle) * r});
      r += rng.Range(9, 18);
      angle += rng.Range(-0.12f, 0.12f);
    }
    line.push_back({cx + std::cos(angle) * length, cy + std::sin(angle) * length});
    cracks.push_back(line);
  }
  // Concentric fractures link neighbouring cracks.
  std::vector<std::array<Point, 2>> rings;
  for (int i = 0; i < count; ++i) {
    const auto& a = cracks[i];
    const auto& b = cracks[(i + 1) % count];
    for (size_t k = 1; k < 5 && k < a.size() && k < b.size(); k += 2)
      if (rng.Uniform() < 0.65f) rings.push_back({a[k], b[k]});
  }
  Mask light(300, 300), dark(300, 300);
  for (const auto& line : cracks)
    for (size_t k = 0; k + 1 < line.size(); ++k) {
      float t = k / static_cast<float>(line.size());
      float w = 1.5f * (1 - t) + 0.35f;
      Point a = line[k], b = line[k + 1];
      Mask seg =
          Mask::FromSdf(300, 300, [&](float x, float y) { return SdSegment(x, y, a.x, a.y, b.x, b.y, w); });
      light.Union(seg);
      dark.Union(seg, 1, 1);
    }
  for (const auto& seg : rings) {
    Mask m = Mask::FromSdf(300, 300, [&](float x, float y) {
      return SdSegment(x, y, seg[0].x, seg[0].y, seg[1].x, seg[1].y, 0.55f);
    });
    light.Union(m);
    dark.Union(m, 1, 1);
  }
  c.Over(dark, Solid(Rgb8(10, 12, 16, 0.55f)));
  c.Over(light, [&](float x, float y) {
    float d = std::hypot(x - cx, y - cy);
    return Rgb8(240, 246, 255, 0.95f - 0.5f * Clamp01(d / 150));
  });
  // The hole: jagged, dark, with a pale crushed rim.
  std::vector<Point> hole;
  for (int i = 0; i < 18; ++i) {
    float a = i * 2 * kPi / 18;
    float r = rng.Range(9, 14);
    hole.push_back({cx + std::cos(a) * r, cy + std::sin(a) * r});
  }
  c.OverSdf(
      [&](float x, float y) { return SdPolygon(x, y, hole) - 6; },
      [&](float x, float y) { return Rgb8(205, 215, 226, 0.45f + 0.4f * Fbm(x * 0.3f, y * 0.3f, 7, 3)); });
  c.OverSdf([&](float x, float y) { return SdPolygon(x, y, hole); },
            [&](float x, float y) {
              float d = std::hypot(x - cx, y - cy);
              return Mix(Rgb8(2, 2, 4), Rgb8(40, 44, 52), Clamp01((d - 6) / 8));
            });
  return SaveTexture(ctx, "Texture/BulletHole.png", c, false);
}

bool Fade(const TextureContext& ctx) {
  Canvas c(1280, 720);
  c.Fill(MakeRgb(0, 0, 0, 1));
  return SaveTexture(ctx, "Texture/fadeOut.png", c, false);
}

bool Warning(const TextureContext& ctx) {
  Canvas c(1280, 720);
  // Red alarm light washing in from the edges, clear in the middle.
  c.Over(Mask::FromSdf(1280, 720, [](float, float) { return -1.0f; }), [](float x, float y) {
    float dx = std::fabs(x - 640) / 640, dy = std::fabs(y - 360) / 360;
    float e = std::max(dx * dx, dy * dy * 0.9f) + 0.35f * dx * dy;
    return Rgb8(200, 14, 20, 0.85f * SmoothStep(0.25f, 1.05f, e));
  });
  Hazard(c, 96, 150, 0.9f);
  Hazard(c, 570, 624, 0.9f);
  for (float y : {92.0f, 154.0f, 566.0f, 628.0f})
    c.OverSdf(Box(640, y, 640, 2, 0), Solid(Rgb8(255, 60, 50, 0.9f)));
  TextStyle big;
  big.fill = VerticalGradient(290, Rgb8(255, 236, 220), 420, Rgb8(255, 70, 50));
  big.outline = Rgb8(40, 0, 4);
  big.outlineWidth = 5;
  big.glow = Rgb8(255, 30, 20, 0.75f);
  big.glowBlur = 10;
  DrawText(c, ctx.font.Render("WARNING", 170, 1.0f, 14), 640, 340, big);
  TextStyle small = PlainText(Solid(Rgb8(255, 220, 210)), 3);
  small.glow = Rgb8(255, 30, 20, 0.6f);
  small.glowBlur = 5;
  DrawText(c, ctx.font.Render("HOSTILE COMMANDER APPROACHING", 34, 1.0f, 6), 640, 460, small);
  return SaveTexture(ctx, "Texture/Warning.png", c, false);
}

bool HealthBar(const TextureContext& ctx) {
  Canvas cover(240, 40);
  PanelBox(cover, 120, 20, 119.5f, 19.5f, 6, WithAlpha(kCyan, 0.85f));
  Slot(cover, 10, 9, 230, 31);
  for (int k = 0; k <= 10; ++k) {
    float x = 10 + 22.0f * k;
    float len = k % 5 == 0 ? 3.0f : 1.8f;
    cover.OverSdf(Box(x, 5 - len / 2 + 1, 0.6f, len / 2, 0), Solid(WithAlpha(kCyan, 0.7f)));
    cover.OverSdf(Box(x, 35 + len / 2 - 1, 0.6f, len / 2, 0), Solid(WithAlpha(kCyan, 0.7f)));
  }
  bool ok = SaveTexture(ctx, "Texture/HPCover2.png", cover, false);
  Canvas bar = Bar(220, 22, [](float t) {
    if (t < 0.5f) return Mix(Rgb8(220, 36, 36), Rgb8(244, 186, 40), t / 0.5f);
    return Mix(Rgb8(244, 186, 40), Rgb8(60, 220, 96), (t - 0.5f) / 0.5f);
  });
  return SaveTexture(ctx, "Texture/PlayerHP.png", bar, false) && ok;
}

// Small label in the instrument style.
void Label(Canvas& c, const Font& font, const std::string& text, float cx, float cy, float px,
           const Rgba& colour) {
  TextStyle s;
  s.fill = Solid(colour);
  s.outline = WithAlpha(kInk, 0.8f);
  s.outlineWidth = 1;
  DrawText(c, font.Render(text, px, 1.0f, 1.5f), cx, cy, s);
}

bool WeaponPanel(const TextureContext& ctx) {
  // Laid out around what the HUD draws on it: the gun illustration at
  // (55..205, 92..167), item frames centred at (50, 160) and (110, 160), the
  // charge gauge in (63..217, 60..90) and the ammunition digits near (240, 140).
  Canvas c(320, 220);
  std::vector<Point> outline = {{18, 1}, {319, 1}, {319, 219}, {1, 219}, {1, 18}};
  Sdf body = [outline](float x, float y) { return SdPolygon(x, y, outline); };
  c.OverSdf(body, VerticalGradient(0, Rgb8(14, 24, 38, 0.86f), 220, Rgb8(5, 9, 16, 0.92f)));
  c.OverSdf(Stroke(body, 0.7f), Solid(WithAlpha(kCyan, 0.9f)));
  // Header strip.
  c.OverSdf(Box(168, 22, 140, 11, 2), Solid(Rgb8(30, 52, 74, 0.7f)));
  Label(c, ctx.font, "HANDGUN", 70, 22, 15, kText);
  for (int k = 0; k < 8; ++k)
    c.OverSdf(Box(150 + k * 9.0f, 22, 1.2f, 5, 0), Solid(WithAlpha(kCyan, 0.75f - k * 0.08f)));
  Label(c, ctx.font, "HG-9", 280, 22, 13, kAmber);
  // Charge gauge bay.
  Label(c, ctx.font, "CHG", 34, 75, 12, WithAlpha(kCyan, 0.95f));
  c.OverSdf(Stroke(Box(140, 75, 78, 16, 4), 0.5f), Solid(WithAlpha(kCyan, 0.3f)));
  // Ammunition bay and item tray.
  Label(c, ctx.font, "AMMO", 280, 122, 12, WithAlpha(kCyan, 0.95f));
  c.OverSdf(Box(262, 181, 48, 0.6f, 0), Solid(WithAlpha(kCyan, 0.5f)));
  Label(c, ctx.font, "ITEMS", 80, 194, 11, WithAlpha(kCyan, 0.9f));
  // Amber corner brackets.
  for (Point p : {Point{304, 46}, Point{304, 200}}) {
    c.OverSdf(Box(p.x + 6, p.y, 1.2f, 7, 0), Solid(kAmber));
  }
  c.OverSdf(Box(8, 100, 1.2f, 30, 0), Solid(WithAlpha(kAmber, 0.8f)));
  return SaveTexture(ctx, "Texture/frame.png", c, false);
}

// Union of shapes, drawn with a dark rim and a lit body.
void Silhouette(Canvas& c, const Sdf& shape, const Paint& fill, float rim) {
  Mask m = Mask::FromSdf(c.Width(), c.Height(), shape);
  c.Over(m.Dilated(rim), Solid(kInk));
  c.Over(m, fill);
}

// The pistol faces left with its grip at the right: the HUD lays the two item
// frames over the lower left of this picture (x below 76, y from 47 down), so
// the slide keeps to the top and the grip to the right of them.
bool GunIllustration(const TextureContext& ctx) {
  Canvas c(150, 75);
  // Drawn facing right, then mirrored, moved 6 pixels left and raised by 7.
  auto placed = [](Sdf shape) { return Sdf([shape](float x, float y) { return shape(144 - x, y + 7); }); };
  std::vector<Point> grip = {{24, 33}, {60, 33}, {52, 70}, {17, 68}};
  Sdf gun = [grip](float x, float y) {
    float slide = SdBox(x, y, 80, 21, 60, 10, 3);
    float frame = SdBox(x, y, 86, 36, 50, 5, 2);
    float handle = SdPolygon(x, y, grip) - 1.5f;
    float sight = std::min(SdBox(x, y, 134, 10, 3, 2, 1), SdBox(x, y, 26, 10, 4, 2, 1));
    return std::min(std::min(slide, frame), std::min(handle, sight));
  };
  Silhouette(c, placed(gun), VerticalGradient(5, Rgb8(214, 224, 236), 65, Rgb8(108, 120, 138)), 2);
  // Trigger guard and trigger.
  Sdf guard = [](float x, float y) {
    float ring = std::fabs(SdBox(x, y, 76, 44, 12, 7, 6)) - 1.6f;
    return std::max(ring, 40 - y);
  };
  Silhouette(c, placed(guard), Solid(Rgb8(150, 162, 178)), 1.2f);
  c.OverSdf(placed([](float x, float y) { return SdSegment(x, y, 72, 41, 70, 48, 1.4f); }),
            Solid(Rgb8(60, 66, 78)));
  // Slide serrations, ejection port, grip ridges and a cyan edge light.
  for (int k = 0; k < 5; ++k)
    c.OverSdf(placed(Box(32 + k * 4.0f, 21, 0.8f, 6, 0)), Solid(Rgb8(70, 80, 96, 0.9f)));
  c.OverSdf(placed(Box(100, 17, 12, 3, 1)), Solid(Rgb8(30, 36, 46)));
  for (int k = 0; k < 6; ++k) {
    float y = 40 + k * 5.0f;
    c.OverSdf(placed([y](float x, float py) {
                return SdSegment(x, py, 26 - (y - 40) * 0.2f, y, 52 - (y - 40) * 0.2f, y, 0.8f);
              }),
              Solid(Rgb8(58, 66, 80, 0.85f)));
  }
  c.OverSdf(placed(Box(80, 12.2f, 56, 0.8f, 0)), Solid(WithAlpha(kCyan, 0.8f)));
  c.OverSdf(placed([](float x, float y) { return SdCircle(x, y, 138, 21, 2.4f); }), Solid(Rgb8(20, 22, 28)));
  return SaveTexture(ctx, "Texture/gunIllust.png", c, false);
}

bool ItemIcons(const TextureContext& ctx) {
  Canvas frame(41, 41);
  Sdf box = Box(20.5f, 20.5f, 19.5f, 19.5f, 4);
  frame.OverSdf(box, Solid(Rgb8(10, 18, 30, 0.55f)));
  frame.OverSdf(Stroke(Box(20.5f, 20.5f, 19, 19, 4), 0.6f), Solid(WithAlpha(kCyan, 0.8f)));
  for (int sx = -1; sx <= 1; sx += 2)
    for (int sy = -1; sy <= 1; sy += 2) {
      float x = 20.5f + sx * 18.0f, y = 20.5f + sy * 18.0f;
      frame.OverSdf(Box(x - sx * 3, y, 4, 1.2f, 0.5f), Solid(kText));
      frame.OverSdf(Box(x, y - sy * 3, 1.2f, 4, 0.5f), Solid(kText));
    }
  bool ok = SaveTexture(ctx, "Texture/ItemFrame.png", frame, false);

  Canvas mag(40, 40);
  std::vector<Point> body = {{10, 9}, {27, 9}, {31, 33}, {14, 33}};
  Silhouette(
      mag,
      [body](float x, float y) {
        return std::min(SdPolygon(x, y, body) - 1, SdBox(x, y, 22.5f, 34.5f, 10.5f, 2.5f, 1));
      },
      VerticalGradient(8, Rgb8(150, 160, 176), 36, Rgb8(70, 78, 92)), 1.5f);
  for (int k = 0; k < 2; ++k) {
    float x = 14.5f + k * 7.0f;
    mag.OverSdf(Box(x + 3, 6.5f, 3.6f, 2.4f, 2),
                VerticalGradient(4, Rgb8(255, 222, 140), 9, Rgb8(200, 132, 40)));
  }
  for (int k = 0; k < 3; ++k)
    mag.OverSdf([k](float x, float y) { return SdCircle(x, y, 20.5f + k * 1.0f, 15 + k * 6.0f, 1.4f); },
                Solid(Rgb8(30, 34, 42)));
  mag.OverSdf([](float x, float y) { return SdSegment(x, y, 12.2f, 12, 15.6f, 31, 0.7f); },
              Solid(WithAlpha(kCyan, 0.8f)));
  ok = SaveTexture(ctx, "Texture/magazineIllust.png", mag, false) && ok;

  Canvas boost(40, 40);
  std::vector<Point> bolt = {{24, 3}, {9, 22}, {18, 22}, {14, 37}, {31, 16}, {21.5f, 16}, {27, 3}};
  Silhouette(
      boost, [bolt](float x, float y) { return SdPolygon(x, y, bolt); },
      VerticalGradient(3, Rgb8(255, 240, 150), 37, Rgb8(255, 128, 30)), 1.6f);
  boost.OverSdf([](float x, float y) { return SdSegment(x, y, 23, 6, 14, 19, 0.7f); },
                Solid(Rgb8(255, 255, 230, 0.9f)));
  return SaveTexture(ctx, "Texture/attachmentIllust.png", boost, false) && ok;
}

bool ChargeGauge(const TextureContext& ctx) {
  Canvas cover(154, 30);
  PanelBox(cover, 77, 15, 76.5f, 14.5f, 5, WithAlpha(kCyan, 0.85f));
  Slot(cover, 7, 6, 147, 24);
  for (int k = 1; k < 4; ++k)
    cover.OverSdf(Box(7 + 35.0f * k, 2.5f, 0.6f, 1.5f, 0), Solid(WithAlpha(kCyan, 0.7f)));
  bool ok = SaveTexture(ctx, "Texture/gaugeCover.png", cover, false);
  Canvas bar = Bar(140, 18, [](float t) {
    if (t < 0.7f) return Mix(Rgb8(120, 60, 250), Rgb8(70, 200, 255), t / 0.7f);
    return Mix(Rgb8(70, 200, 255), Rgb8(220, 250, 255), (t - 0.7f) / 0.3f);
  });
  return SaveTexture(ctx, "Texture/gauge.png", bar, false) && ok;
}

bool Sight(const TextureContext& ctx) {
  Canvas c(32, 32);
  Sdf shape = [](float x, float y) {
    float ring = std::fabs(SdCircle(x, y, 16, 16, 6.5f)) - 0.8f;
    float ticks =
        std::min(std::min(SdSegment(x, y, 16, 1.5f, 16, 6, 0.9f), SdSegment(x, y, 16, 26, 16, 30.5f, 0.9f)),
                 std::min(SdSegment(x, y, 1.5f, 16, 6, 16, 0.9f), SdSegment(x, y, 26, 16, 30.5f, 16, 0.9f)));
    float dot = SdCircle(x, y, 16, 16, 1.3f);
    return std::min(std::min(ring, ticks), dot);
  };
  Mask m = Mask::FromSdf(32, 32, shape);
  c.Over(m.Dilated(1.2f), Solid(Rgb8(0, 0, 0, 0.6f)));
  c.Over(m, Solid(Rgb8(230, 250, 255)));
  return SaveTexture(ctx, "Texture/site.png", c, false);
}

// One glyph per cell; digits share a baseline so numbers sit level.
void DigitStrip(Canvas& c, const Font& font, int cellH, float emPx, float xScale, const TextStyle& style,
                const std::function<float(int)>& centreX) {
  int base0 = 0;
  font.Render("0", emPx, xScale, 0, 0, &base0);
  Mask zero = font.Render("0", emPx, xScale);
  float top = (cellH - zero.Height()) / 2.0f;
  for (int d = 0; d < 10; ++d) {
    int baseline = 0;
    std::string s(1, static_cast<char>('0' + d));
    Mask glyph = font.Render(s, emPx, xScale, 0, 0, &baseline);
    // Centre the ink horizontally in the cell; place the baseline where "0"'s lies.
    float cy = top + base0 - baseline + glyph.Height() / 2.0f;
    DrawText(c, glyph, centreX(d), cy, style);
  }
}

bool AmmoDigits(const TextureContext& ctx) {
  Canvas num(280, 34);
  TextStyle style = PlainText(VerticalGradient(3, Rgb8(255, 255, 255), 31, Rgb8(170, 226, 246)), 2);
  style.shadow = MakeRgb(0, 0, 0, 0);
  DigitStrip(num, ctx.font, 34, 38, 0.88f, style, [](int d) { return 28 * d + 13.5f; });
  bool ok = SaveTexture(ctx, "Texture/num.png", num, false);

  // The separator between rounds left and capacity: a slash between x 15 and 31.
  Canvas cross(40, 40);
  Mask slash =
      Mask::FromSdf(40, 40, [](float x, float y) { return SdSegment(x, y, 27.5f, 6, 19.5f, 35, 1.8f); });
  cross.Over(slash.Dilated(1.5f), Solid(kInk));
  cross.Over(slash, Solid(WithAlpha(kCyan, 1)));
  return SaveTexture(ctx, "Texture/cross.png", cross, false) && ok;
}

bool ReloadDisplay(const TextureContext& ctx) {
  Canvas key(61, 64);
  key.OverSdf(Box(30.5f, 34, 28, 28, 9), Solid(Rgb8(20, 22, 28, 0.95f)));
  key.OverSdf(Box(30.5f, 30, 27, 27, 8), VerticalGradient(3, Rgb8(248, 250, 252), 57, Rgb8(176, 186, 198)));
  key.OverSdf(Stroke(Box(30.5f, 30, 27, 27, 8), 1.0f), Solid(kAmber));
  TextStyle keyText;
  keyText.fill = Solid(Rgb8(24, 28, 36));
  DrawText(key, ctx.font.Render("R", 36), 30.5f, 30, keyText);
  bool ok = SaveTexture(ctx, "Texture/R.png", key, false);

  Canvas word(172, 63);
  TextStyle amber = PlainText(VerticalGradient(14, Rgb8(255, 234, 160), 50, Rgb8(255, 150, 40)), 2.5f);
  // Kept clear of the key drawn just left of it.
  FitText(word, ctx.font, "RELOAD", 92, 30, 148, 40, amber, 1.0f, 2);
  word.OverSdf(Box(86, 55, 70, 1, 0.5f),
               [](float x, float) { return WithAlpha(kAmber, 0.9f * (1 - std::fabs(x - 86) / 70)); });
  ok = SaveTexture(ctx, "Texture/reload.png", word, false) && ok;

  // The gauge (286 wide) is drawn from x -23 and the cover spans -30..270, so
  // the slot sits 7 pixels in from the cover's left and right edges.
  Canvas cover(300, 38);
  PanelBox(cover, 150, 19, 149.5f, 18.5f, 6, WithAlpha(kAmber, 0.85f));
  Slot(cover, 7, 5, 293, 33);
  bool cok = SaveTexture(ctx, "Texture/ReloadCover.png", cover, false);
  Canvas gauge = Bar(286, 28, [](float t) { return Mix(Rgb8(255, 120, 24), Rgb8(255, 236, 150), t); });
  ok = SaveTexture(ctx, "Texture/ReloadGauge.png", gauge, false) && cok && ok;

  Canvas now(207, 61);
  TextStyle white = PlainText(VerticalGradient(16, kText, 46, Rgb8(160, 220, 244)), 2.5f);
  FitText(now, ctx.font, "RELOADING", 103.5f, 30.5f, 195, 36, white, 1.0f, 1);
  return SaveTexture(ctx, "Texture/nowReload.png", now, false) && ok;
}

bool ResultScreens(const TextureContext& ctx) {
  Canvas clear(850, 100);
  TextStyle gold;
  gold.fill = [](float, float y) {
    if (y < 50) return Mix(Rgb8(255, 252, 232), Rgb8(255, 220, 120), Clamp01((y - 14) / 36));
    return Mix(Rgb8(255, 200, 80), Rgb8(230, 120, 20), Clamp01((y - 50) / 36));
  };
  gold.outline = Rgb8(40, 20, 4);
  gold.outlineWidth = 3.5f;
  gold.glow = Rgb8(255, 160, 40, 0.6f);
  gold.glowBlur = 6;
  FitText(clear, ctx.font, "MISSION CLEAR", 425, 50, 790, 70, gold, 1.0f, 8);
  bool ok = SaveTexture(ctx, "Texture/clear.png", clear, false);

  Canvas dead(356, 135);
  TextStyle red;
  red.fill = VerticalGradient(25, Rgb8(255, 120, 96), 85, Rgb8(160, 16, 16));
  red.outline = Rgb8(12, 2, 2);
  red.outlineWidth = 3;
  red.glow = Rgb8(0, 0, 0, 0.6f);
  red.glowBlur = 5;
  FitText(dead, ctx.font, "GAME OVER", 178, 54, 330, 66, red, 1.0f, 3);
  dead.OverSdf(Box(178, 97, 150, 1.2f, 0.5f),
               [](float x, float) { return Rgb8(255, 60, 50, 0.95f * (1 - std::fabs(x - 178) / 150)); });
  TextStyle grey = PlainText(Solid(Rgb8(220, 224, 230)), 2);
  FitText(dead, ctx.font, "MISSION FAILED", 178, 116, 240, 16, grey, 1.0f, 4);
  ok = SaveTexture(ctx, "Texture/dead.png", dead, false) && ok;

  ok = SaveTexture(ctx, "Texture/ToTitle_clear.png", Button(ctx.font, 250, 72, "TO TITLE", kCyan), false) &&
       ok;
  ok =
      SaveTexture(ctx, "Texture/ToTitle_dead.png", Button(ctx.font, 238, 62, "TO TITLE", kCyan), false) && ok;
  ok = SaveTexture(ctx, "Texture/Retry_dead.png", Button(ctx.font, 181, 71, "RETRY", kAmber), false) && ok;
  return ok;
}

}  // namespace

// The overlay's glyph strip: every glyph in a small and a large cell, inks
// centred across, baselines level with "0"'s.
bool OverlayText(const TextureContext& ctx) {
  Canvas c(kVelOverlayTextureW, kVelOverlayTextureH);
  struct Row {
    int top, cellW, cellH;
    float emPx, xScale, outline;
  };
  const Row rows[] = {{0, kVelOverlaySmallCellW, kVelOverlaySmallCellH, 15, 0.8f, 1.5f},
                      {kVelOverlaySmallCellH, kVelOverlayLargeCellW, kVelOverlayLargeCellH, 46, 0.85f, 3}};
  for (const Row& row : rows) {
    TextStyle style;
    style.fill = Solid(kText);
    style.outline = kInk;
    style.outlineWidth = row.outline;
    int base0 = 0;
    const Mask zero = ctx.font.Render("0", row.emPx, row.xScale, 0, 0, &base0);
    const float top = row.top + (row.cellH - zero.Height()) / 2.0f;
    for (int i = 0; i < kVelOverlayGlyphCount; ++i) {
      int baseline = 0;
      const Mask glyph =
          ctx.font.Render(std::string(1, kVelOverlayGlyphs[i]), row.emPx, row.xScale, 0, 0, &baseline);
      DrawText(c, glyph, row.cellW * (i + 0.5f), top + base0 - baseline + glyph.Height() / 2.0f, style);
    }
  }
  return SaveTexture(ctx, "Texture/overlayText.png", c, false);
}

bool GenerateHudTextures(const TextureContext& ctx) {
  bool ok = true;
  for (auto step : {Title, Start, BulletHole, Fade, Warning, HealthBar, WeaponPanel, GunIllustration,
                    ItemIcons, ChargeGauge, Sight, AmmoDigits, ReloadDisplay, ResultScreens, OverlayText})
    ok = step(ctx) && ok;
  return ok;
}
