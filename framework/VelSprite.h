#pragma once

// Sprite drawing in screen pixels: origin at the centre of the 1280 x 720
// screen, x right, y up. Users set the sprite shader's g_mTransform (identity
// unless they move) before drawing.

#include <cstdint>

#include "framework/VelMath.h"
#include "framework/VelSpriteShader.h"

class VelTexture;

// A source rectangle in texture pixels.
struct VelSpriteRect {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
};

// Opens a pass (once): the projection from the viewport, saves the blend,
// depth-stencil and pixel sampler 0 states, binds the sprite states and
// shader. The blend state is left as the scene set it.
void BeginSprite(bool linearFilter, bool depthOff);
// One rectangle of w x h pixels; pivot (0, 0) puts its bottom-left corner at
// (x, y), (0.5, 0.5) centres it, (1, 1) puts its top-right corner there. A
// colour, when given, becomes g_color. Outside a pass it opens and closes its
// own (point filtering, depth off). Without a texture it draws nothing.
void DrawSprite(const VelTexture* texture, int x, int y, int w, int h, const VelSpriteRect* source = nullptr,
                const float4* color = nullptr, float2 pivot = {0, 0});
// Closes the pass and restores the saved states.
void EndSprite();
// The cursor as (client x - 640, 360 - client y, 0).
float3 GetCursorPosCentered();

// The four strip vertices DrawSprite sends: bottom-left, top-left,
// bottom-right, top-right. Texture size matters only with a source rectangle.
void VelBuildSpriteQuad(uint32_t textureWidth, uint32_t textureHeight, int x, int y, int w, int h,
                        const VelSpriteRect* source, float2 pivot, VelSpriteVertex out[4]);
