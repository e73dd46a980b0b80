#pragma once

#include <string>

#include "textures/Canvas.h"
#include "textures/Font.h"

// The face of the title and every other lettering (the icon's H too).
extern const char* const kLetteringFontPath;

// What every texture family needs: where to write and the face to letter with.
struct TextureContext {
  std::string dataRoot;
  Font font;
};

// Each writes its files below dataRoot and returns false when one failed.
bool GenerateHudTextures(const TextureContext& ctx);
bool GenerateEffectTextures(const TextureContext& ctx);

// Writes `canvas` as Data/<relativePath>; glow textures go through Canvas::ToGlow.
bool SaveTexture(const TextureContext& ctx, const std::string& relativePath, const Canvas& canvas, bool glow);

// How a line of text is dressed on its canvas.
struct TextStyle {
  Paint fill = Solid(MakeRgb(1, 1, 1));
  Rgba outline = MakeRgb(0, 0, 0, 0);
  float outlineWidth = 0;
  Rgba shadow = MakeRgb(0, 0, 0, 0);
  int shadowBlur = 0;
  int shadowDx = 0, shadowDy = 0;
  Rgba glow = MakeRgb(0, 0, 0, 0);
  int glowBlur = 0;
};

// Draws a rendered text mask with its ink centred on (cx, cy).
void DrawText(Canvas& canvas, const Mask& text, float cx, float cy, const TextStyle& style);
