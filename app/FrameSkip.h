#pragma once

// The optional frame skip of the main loop. Every speed and timer counts
// frames, so a machine that cannot draw 60 frames a second would play in slow
// motion; with the skip on, a loop that has fallen a whole frame behind the
// 60 Hz clock runs the next frame's update without drawing it, at most two in
// a row, so game time keeps pace and the picture drops to 20 frames a second
// at worst. Off by default: then every frame draws, as the loop always did.

#include <cstdint>

enum class FrameSkipMode {
  Off,
  // Skip a draw when the loop is a frame behind the clock.
  WhenBehind,
  // Skip every other draw whatever the clock says: the check that drawing
  // changes no game state (a run gives the same trace either way).
  EveryOther,
};

class FrameSkip {
 public:
  static constexpr float kFrameMs = 1000.0f / 60.0f;
  static constexpr int kMaxSkippedInRow = 2;
  // Lag past this is dropped: after a hitch (a scene being built) the game
  // catches up at most this much.
  static constexpr float kMaxLagMs = 100.0f;

  // Sets the mode and starts afresh (Reset).
  void SetMode(FrameSkipMode newMode);
  // Back to drawing the next frame, on time; the loop calls it as it starts.
  void Reset();
  FrameSkipMode GetMode() const { return mode; }

  // Whether the frame about to run draws.
  bool DrawsNext() const { return drawNext; }
  // Whether the frame about to run skips its draw to catch up with the clock:
  // it then does not sleep either.
  bool CatchingUp() const { return !drawNext && mode == FrameSkipMode::WhenBehind; }
  // After each frame: the milliseconds from its start to the next frame's
  // start, and whether it drew.
  void FrameDone(uint32_t elapsedMs, bool drew);
  // How far the loop is behind the 60 Hz clock.
  float LagMs() const { return lagMs; }

 private:
  FrameSkipMode mode = FrameSkipMode::Off;
  bool drawNext = true;
  int skippedInRow = 0;
  float lagMs = 0;
};
