#pragma once

// The render scale of the world passes: the fraction of the back buffer's
// width and height the 3D scene is drawn at before it is stretched onto the
// screen. Fixed, or automatic: then the scale of the next frame follows the
// measured cost of the last frames, lowered when frames run over the 60 Hz
// budget and raised when there is headroom. A machine that draws in time
// keeps exactly 1.

#include <cstddef>
#include <vector>

class VelRenderScale {
 public:
  static constexpr float kMinScale = 0.5f;
  static constexpr float kMaxScale = 1.0f;
  // Scales are whole sixteenths, so every scaled target keeps the 16:9
  // shape in whole pixels (1280 x 720 / 16 = 80 x 45).
  static constexpr int kSteps = 16;
  static constexpr float kBudgetMs = 1000.0f / 60.0f;

  // A fixed scale, rounded down to a sixteenth within 0.5..1; leaves the
  // automatic mode.
  void SetFixed(float scale);
  // The automatic mode, starting from 1.
  void SetAutomatic();
  bool IsAutomatic() const { return automatic; }
  // The scale the next frame draws at.
  float GetScale() const { return float(step) / float(kSteps); }

  // The cost of the frame just drawn, in milliseconds. In the automatic mode
  // it may change the scale of the next frame: down when most of the last
  // frames ran over the budget, down one step when a few frames of the last
  // second ran a little over it (hitches of twice the budget do not count),
  // up one step after a second of frames with room to spare at the higher
  // scale; never on two frames in a row. A raise taken back within a second
  // is tried again only after two seconds, then four, up to sixteen: a step
  // may cost more than its pixels (full scale lights and filters each pixel
  // in full), and a scale that bounces is worse than one a step lower.
  void ReportFrameCost(float milliseconds);

 private:
  void ChangeTo(int newStep);
  void Lower(int newStep);

  bool automatic = false;
  int step = kSteps;
  // Costs since the last change, oldest first (a second of them at most).
  std::vector<float> costs;
  size_t framesSinceChange = 0;
  bool lastChangeRaised = false;
  // The step of the last raise taken back (0 for none), and how many frames
  // at the step below the next raise to it waits.
  int failedStep = 0;
  size_t failedWait = 0;
};
