#include "framework/VelFrameRateOverlay.h"

#include <cstdio>
#include <cstring>

#include "framework/VelGraphicsDevice.h"
#include "framework/VelOverlayGlyphs.h"
#include "framework/VelShaderManager.h"
#include "framework/VelTexture.h"

namespace {
// Glyphs are narrower than their cells: lines advance by less.
constexpr int kSmallAdvance = 10;
constexpr int kLargeAdvance = 36;
constexpr int kCornerMargin = 8;
constexpr int kHalfWidth = 640;
constexpr int kHalfHeight = 360;

std::vector<VelOverlayGlyphQuad> Layout(const std::string& text, int left, int bottom, int advance, int top,
                                        int cellW, int cellH) {
  std::vector<VelOverlayGlyphQuad> quads;
  int x = left;
  for (char c : text) {
    const char* at = c ? std::strchr(kVelOverlayGlyphs, c) : nullptr;
    if (at) {
      VelOverlayGlyphQuad quad;
      quad.x = x;
      quad.y = bottom;
      quad.source = {int32_t(at - kVelOverlayGlyphs) * cellW, top, cellW, cellH};
      quads.push_back(quad);
    }
    x += advance;
  }
  return quads;
}
}  // namespace

VelFrameRateOverlay& VelFrameRateOverlay::GetInstance() {
  static VelFrameRateOverlay instance;
  return instance;
}

std::string VelFrameRateOverlay::CornerText() const {
  char text[32];
  std::snprintf(text, sizeof text, "%d FPS x%.2f", frameRate,
                double(VelGraphicsDevice::GetInstance().GetRenderScale().GetScale()));
  return text;
}

std::vector<VelOverlayGlyphQuad> VelFrameRateOverlay::LayoutCorner(const std::string& text) {
  return Layout(text, -kHalfWidth + kCornerMargin, kHalfHeight - kCornerMargin - kVelOverlaySmallCellH,
                kSmallAdvance, 0, kVelOverlaySmallCellW, kVelOverlaySmallCellH);
}

std::vector<VelOverlayGlyphQuad> VelFrameRateOverlay::LayoutCentre(const std::string& text) {
  // The line's extent: advances between the glyphs, a whole cell for the last.
  const int width = text.empty() ? 0 : int(text.size() - 1) * kLargeAdvance + kVelOverlayLargeCellW;
  return Layout(text, -width / 2, -kVelOverlayLargeCellH / 2, kLargeAdvance, kVelOverlaySmallCellH,
                kVelOverlayLargeCellW, kVelOverlayLargeCellH);
}

void VelFrameRateOverlay::Draw() {
  VelGraphicsDevice& device = VelGraphicsDevice::GetInstance();
  if ((!showFrameRate && !paused) || !device.IsReady()) return;
  if (!glyphs && !loadFailed) {
    auto loaded = std::make_unique<VelTexture>();
    if (loaded->Load(kVelOverlayTexture))
      glyphs = std::move(loaded);
    else
      loadFailed = true;
  }
  if (!glyphs) return;

  VelSpriteShader& sprites = VelShaderManager::GetInstance().spriteShader;
  const VelCbSprite saved = sprites.cbSprite.View();
  BeginSprite(false, true);
  device.SetBlendState(device.CreateBlendState(1));
  sprites.cbSprite.Data().g_mTransform = MatrixIdentity();
  if (showFrameRate) DrawLine(LayoutCorner(CornerText()), kVelOverlaySmallCellW, kVelOverlaySmallCellH);
  if (paused) DrawLine(LayoutCentre("PAUSED"), kVelOverlayLargeCellW, kVelOverlayLargeCellH);
  EndSprite();
  sprites.cbSprite.Data() = saved;
}

void VelFrameRateOverlay::DrawLine(const std::vector<VelOverlayGlyphQuad>& quads, int cellW, int cellH) {
  const float4 white{1, 1, 1, 1};
  for (const VelOverlayGlyphQuad& quad : quads)
    DrawSprite(glyphs.get(), quad.x, quad.y, cellW, cellH, &quad.source, &white, {0, 0});
}

void VelFrameRateOverlay::Release() {
  glyphs.reset();
  loadFailed = false;
}
