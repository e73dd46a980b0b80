#pragma once

// Where a fixed-size frame sits when it is shown scaled, aspect kept and
// centred, in a larger or smaller output (the full-screen window, or the
// drawable the graphics backend renders into). Maps points both ways, so
// cursor positions can stay in frame pixels.

#include "platform/Platform.h"

struct Letterbox {
  double scale = 1.0;
  double offsetX = 0.0;
  double offsetY = 0.0;
  // The frame's rectangle in the output in whole pixels: the viewport the
  // frame is drawn into. The bars around it are symmetric, so the same
  // rectangle holds with the origin at the bottom.
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  // An output of no area leaves the frame unscaled.
  static Letterbox Fit(int frameWidth, int frameHeight, int outputWidth, int outputHeight);

  // The output pixel that shows frame pixel p, and the frame pixel shown at
  // output pixel p (pixels are mapped by their centres; points outside the
  // frame map outside it).
  PlatformPoint FrameToOutput(PlatformPoint p) const;
  PlatformPoint OutputToFrame(PlatformPoint p) const;
};
