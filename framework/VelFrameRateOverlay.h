#pragma once

// What the game can show over everything, at full resolution, after the
// scene has drawn: the frame rate the loop measures (every 500 ms) with the
// world's render scale, small in the top-left corner, for players who ask for
// it; and "PAUSED" in the middle of the screen while the game is paused. Off
// by default: then it draws nothing at all. Letters come from a glyph strip
// generated with the textures (VelOverlayGlyphs.h).

#include <memory>
#include <string>
#include <vector>

#include "framework/VelSprite.h"

class VelTexture;

// One glyph of a laid-out line: its rectangle on the screen (bottom-left
// corner at x, y, in sprite coordinates) and in the strip.
struct VelOverlayGlyphQuad {
  int x = 0;
  int y = 0;
  VelSpriteRect source;
};

class VelFrameRateOverlay {
 public:
  static VelFrameRateOverlay& GetInstance();

  void SetShowFrameRate(bool on) { showFrameRate = on; }
  bool IsShowingFrameRate() const { return showFrameRate; }
  // While paused, "PAUSED" is drawn in the middle of the screen.
  void SetPaused(bool on) { paused = on; }
  bool IsPaused() const { return paused; }
  // The frames drawn per second, as the loop last measured them.
  void SetFrameRate(int framesPerSecond) { frameRate = framesPerSecond; }

  // The corner's line: "60 FPS x1.00", the scale that of the device's
  // render-scale setting.
  std::string CornerText() const;
  // Small glyphs from the screen's top-left corner, and large ones centred
  // on the screen; characters the strip lacks leave a gap.
  static std::vector<VelOverlayGlyphQuad> LayoutCorner(const std::string& text);
  static std::vector<VelOverlayGlyphQuad> LayoutCentre(const std::string& text);

  // Draws what is switched on, in a sprite pass of its own with alpha
  // blending, over whatever is in the back buffer; the sprite states and
  // constants are as they were afterwards. The strip is loaded on the first
  // draw that needs it.
  void Draw();
  // Drops the strip (with the device it lives on).
  void Release();

 private:
  void DrawLine(const std::vector<VelOverlayGlyphQuad>& quads, int cellW, int cellH);

  bool showFrameRate = false;
  bool paused = false;
  int frameRate = 0;
  std::unique_ptr<VelTexture> glyphs;
  bool loadFailed = false;
};
