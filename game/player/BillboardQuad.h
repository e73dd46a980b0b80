#pragma once

// The camera-facing textured quad that bullets and flashes share: four
// white vertices of half size s as a triangle strip, drawn on the effect path.

#include "framework/VelBuffer.h"
#include "framework/VelMath.h"
#include "framework/VelTexture.h"

// An immutable quad with the whole texture, or a dynamic one (no contents yet)
// for a quad that rewrites its texture window.
bool CreateBillboardQuad(VelBuffer& buffer, float halfSize);
bool CreateDynamicBillboardQuad(VelBuffer& buffer);
// Rewrites a dynamic quad with the texture window [uLeft, uRight] x [0, 1].
void WriteBillboardQuad(VelBuffer& buffer, float halfSize, float uLeft, float uRight);

// Binds the quad and its texture, writes g_mW and draws the strip; a quad
// without a buffer draws nothing.
void DrawBillboardQuad(const VelBuffer& buffer, const VelTexture& texture, const float4x4& world);
