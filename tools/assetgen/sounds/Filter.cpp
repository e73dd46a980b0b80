#include "Filter.h"

#include <cmath>

#include "SynthMath.h"

Filter::Filter(Mode mode, int sampleRate, double cutoffHz, double q)
    : mode_(mode), rate_(sampleRate), cutoff_(cutoffHz), q_(q) {
  Update();
}

void Filter::SetCutoff(double cutoffHz) {
  // Steps under half a percent (a tenth of a semitone) are inaudible; skipping them keeps
  // per-sample sweeps cheap.
  if (std::fabs(cutoffHz - cutoff_) <= 0.005 * cutoff_) return;
  cutoff_ = cutoffHz;
  Update();
}

void Filter::SetQ(double q) {
  if (q == q_) return;
  q_ = q;
  Update();
}

void Filter::Update() {
  // Keep the cutoff below Nyquist, where tan() would blow up.
  double fc = cutoff_;
  if (fc < 5.0) fc = 5.0;
  if (fc > rate_ * 0.45) fc = rate_ * 0.45;
  double g = std::tan(synth::kPi * fc / rate_);
  k_ = 1.0 / q_;
  a1_ = 1.0 / (1.0 + g * (g + k_));
  a2_ = g * a1_;
  a3_ = g * a2_;
}

float Filter::Process(float in) {
  double v0 = in;
  double v3 = v0 - ic2_;
  double v1 = a1_ * ic1_ + a2_ * v3;
  double v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
  ic1_ = 2.0 * v1 - ic1_;
  ic2_ = 2.0 * v2 - ic2_;
  switch (mode_) {
    case Mode::kLowPass:
      return static_cast<float>(v2);
    case Mode::kBandPass:
      return static_cast<float>(v1);
    case Mode::kHighPass:
      return static_cast<float>(v0 - k_ * v1 - v2);
  }
  return 0.0f;
}
