#include "app/FrameSkip.h"

#include <algorithm>

void FrameSkip::SetMode(FrameSkipMode newMode) {
  mode = newMode;
  Reset();
}

void FrameSkip::Reset() {
  drawNext = true;
  skippedInRow = 0;
  lagMs = 0;
}

void FrameSkip::FrameDone(uint32_t elapsedMs, bool drew) {
  skippedInRow = drew ? 0 : skippedInRow + 1;
  // Time ahead of the clock is not banked: a fast stretch does not pay for a
  // later slow one.
  lagMs = std::clamp(lagMs + float(elapsedMs) - kFrameMs, 0.0f, kMaxLagMs);
  switch (mode) {
    case FrameSkipMode::Off:
      drawNext = true;
      break;
    case FrameSkipMode::EveryOther:
      drawNext = !drew;
      break;
    case FrameSkipMode::WhenBehind:
      drawNext = lagMs < kFrameMs || skippedInRow >= kMaxSkippedInRow;
      break;
  }
}
