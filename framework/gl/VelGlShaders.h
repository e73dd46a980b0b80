#pragma once

// GLSL sources of the three shading paths and of the world's stretch.

#include <cstdint>
#include <string>

#include "framework/VelGraphicsTypes.h"

// Parts of a fragment stage that a draw may do without. For each draw the
// backend picks the variant built with only the parts the bound constants,
// sampler and maps call for; with all of them it is the general stage, and
// every variant draws what the general stage draws for those constants, but
// for one part, PixelLighting: a scaled world's lit draws do without it and
// are lit per vertex instead. A software rasteriser runs both sides of every
// branch, so a part left out is time saved on every pixel.
namespace VelGlFeature {
constexpr uint32_t Lit = 0x1;           // g_LightEnable is set
constexpr uint32_t PointLights = 0x2;   // lit, and g_PL_Num is above zero
constexpr uint32_t Emissive = 0x4;      // some emissive factor is not zero
constexpr uint32_t Fog = 0x8;           // g_DistanceFogEnable is set
constexpr uint32_t AlphaTest = 0x10;    // some pixel may fall below g_AlphaTestThreshold
constexpr uint32_t Anisotropic = 0x20;  // the sampler filters anisotropically
// Lit, with a metal-roughness map other than a plain white one.
constexpr uint32_t MetalRoughnessLookup = 0x40;
// Emissive, from a map other than the base colour's (a texture loaded from
// the same file holds the same texels).
constexpr uint32_t EmissiveLookup = 0x80;
// A base colour map other than a plain white one; for a sprite, a texture
// not of one plain colour.
constexpr uint32_t BaseLookup = 0x100;
// Lit per pixel. Without it a lit draw is lit per vertex, the lighting
// interpolated between the vertices (a scaled world, with neither point
// lights nor a metal-roughness map).
constexpr uint32_t PixelLighting = 0x200;
constexpr uint32_t All = 0x3FF;
constexpr uint32_t Count = All + 1;
}  // namespace VelGlFeature

// The vertex or fragment source of a path; remapDepth makes the vertex stage
// turn 0..1 clip depth into OpenGL's -1..1 when clip control is missing.
const char* VelGlShaderSource(VelShaderPath path, bool vertexStage);
const char* VelGlShaderPrelude(bool remapDepth);
// The stretch of a scaled world over the back buffer, complete sources.
const char* VelGlStretchSource(bool vertexStage);
// The parts a path's fragment stage has (others are ignored), and the
// definitions that build both of its stages with the given parts, to follow
// the prelude.
uint32_t VelGlFeaturesOf(VelShaderPath path);
std::string VelGlFeatureDefines(uint32_t features);
