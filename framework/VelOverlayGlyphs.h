#pragma once

// The glyph strip of the screen overlay (frame rate, render scale and
// "PAUSED"): Data/Texture/overlayText.png, generated with the other textures.
// Its top row holds small cells, the row below large ones, each row the
// glyphs of kVelOverlayGlyphs in order from x 0. The game has no run-time
// font: these are all the letters the overlay can show.

constexpr const char kVelOverlayGlyphs[] = "0123456789.xFPSAUED";
constexpr int kVelOverlayGlyphCount = sizeof(kVelOverlayGlyphs) - 1;
constexpr const char kVelOverlayTexture[] = "Data/Texture/overlayText.png";

constexpr int kVelOverlaySmallCellW = 14;
constexpr int kVelOverlaySmallCellH = 20;
constexpr int kVelOverlayLargeCellW = 44;
constexpr int kVelOverlayLargeCellH = 56;
constexpr int kVelOverlayTextureW = kVelOverlayGlyphCount * kVelOverlayLargeCellW;
constexpr int kVelOverlayTextureH = kVelOverlaySmallCellH + kVelOverlayLargeCellH;
