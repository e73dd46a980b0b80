#include <cmath>
#include <filesystem>

#include "AssetGen.h"
#include "textures/TextureSet.h"

const char* const kLetteringFontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

namespace {
bool GenerateTextures(const std::string& dataRoot) {
  TextureContext ctx;
  ctx.dataRoot = dataRoot;
  if (!ctx.font.Load(kLetteringFontPath)) return false;
  bool ok = GenerateHudTextures(ctx);
  ok = GenerateEffectTextures(ctx) && ok;
  return ok;
}

AssetGeneratorRegistration registration("textures", GenerateTextures);
}  // namespace

bool SaveTexture(const TextureContext& ctx, const std::string& relativePath, const Canvas& canvas,
                 bool glow) {
  std::filesystem::path path = std::filesystem::path(ctx.dataRoot) / relativePath;
  std::error_code ec;
  std::filesystem::create_directories(path.parent_path(), ec);
  return WritePng(path.string(), canvas.Width(), canvas.Height(),
                  glow ? canvas.ToGlow() : canvas.ToStraight());
}

void DrawText(Canvas& canvas, const Mask& text, float cx, float cy, const TextStyle& style) {
  int pad = static_cast<int>(std::ceil(style.outlineWidth)) + 3 * std::max(style.shadowBlur, style.glowBlur) +
            std::max(std::abs(style.shadowDx), std::abs(style.shadowDy)) + 2;
  Mask m = text.Padded(pad);
  int x0, y0, x1, y1;
  if (!m.InkBounds(x0, y0, x1, y1)) return;
  int dx = static_cast<int>(std::lround(cx - (x0 + x1 + 1) * 0.5f));
  int dy = static_cast<int>(std::lround(cy - (y0 + y1 + 1) * 0.5f));
  Mask body = style.outlineWidth > 0 ? m.Dilated(style.outlineWidth) : m;
  if (style.glow.a > 0) canvas.Over(body.Blurred(style.glowBlur), Solid(style.glow), dx, dy);
  if (style.shadow.a > 0)
    canvas.Over(body.Blurred(style.shadowBlur), Solid(style.shadow), dx + style.shadowDx,
                dy + style.shadowDy);
  if (style.outlineWidth > 0) canvas.Over(body, Solid(style.outline), dx, dy);
  canvas.Over(m, style.fill, dx, dy);
}
