#include "Oscillator.h"

#include <cmath>
#include <vector>

#include "SynthMath.h"

namespace {
// A sine table with linear interpolation: error below -140 dB at a fraction of std::sin's cost.
constexpr int kTableSize = 4096;
const std::vector<float>& SineTable() {
  static const std::vector<float> table = [] {
    std::vector<float> t(kTableSize + 1);
    for (int i = 0; i <= kTableSize; ++i) t[i] = static_cast<float>(std::sin(synth::kTwoPi * i / kTableSize));
    return t;
  }();
  return table;
}

double TableSine(double phase) {
  const std::vector<float>& table = SineTable();
  double x = phase * kTableSize;
  int i = static_cast<int>(x);
  double f = x - i;
  return table[i] + f * (table[i + 1] - table[i]);
}

// Smooths the jump of a naive saw or square at phase 0 (t in cycles, dt the step).
double PolyBlep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}
}  // namespace

Oscillator::Oscillator(Wave wave, int sampleRate, double startPhase)
    : wave_(wave), inverseRate_(1.0 / sampleRate), phase_(startPhase - std::floor(startPhase)) {}

float Oscillator::Next(double hz, double width) {
  double dt = std::fabs(hz) * inverseRate_;
  if (dt > 0.5) dt = 0.5;
  double t = phase_;
  double value = 0.0;
  switch (wave_) {
    case Wave::kSine:
      value = TableSine(t);
      break;
    case Wave::kTriangle:
      value = t < 0.5 ? 4.0 * t - 1.0 : 3.0 - 4.0 * t;
      break;
    case Wave::kSaw:
      value = 2.0 * t - 1.0 - PolyBlep(t, dt);
      break;
    case Wave::kSquare: {
      value = t < width ? 1.0 : -1.0;
      value += PolyBlep(t, dt);
      double down = t - width;
      if (down < 0.0) down += 1.0;
      value -= PolyBlep(down, dt);
      break;
    }
  }
  phase_ += hz * inverseRate_;
  if (phase_ >= 1.0 || phase_ < 0.0) phase_ -= std::floor(phase_);
  return static_cast<float>(value);
}
