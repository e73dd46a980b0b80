#pragma once

// The one way the HUD and the screens draw: the element's transform into the
// sprite path's g_mTransform, then the source rectangle at its own size in
// white with the given alpha.

#include "framework/VelMath.h"
#include "framework/VelSprite.h"

class VelTexture;

constexpr float2 kPivotCentre{0.5f, 0.5f};

// Opacities move in float steps of hundredths, whose sums drift a hair off
// the exact values; a fade's turning points are met within a tolerance far
// below one step, so that every fade takes its stated number of frames.
inline bool ReachedUp(float value, float limit) {
  return value >= limit - 1e-4f;
}
inline bool ReachedDown(float value, float limit) {
  return value <= limit + 1e-4f;
}

void DrawHudSprite(const VelTexture& texture, const float4x4& transform, const VelSpriteRect& source,
                   float alpha, float2 pivot = kPivotCentre);
// Screen coordinates of the cursor: origin at the centre, y up.
float2 HudCursor();
// Whether a screen point lies on a button centred at the transform's
// translation, with the size of its texture as loaded.
bool OnButton(const VelTexture& texture, const float4x4& transform, float2 point);
