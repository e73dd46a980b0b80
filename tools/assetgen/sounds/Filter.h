#pragma once

// State-variable filter (trapezoidal, stable under fast cutoff sweeps): one call gives
// the low-pass, band-pass and high-pass outputs of the same state.
class Filter {
 public:
  enum class Mode { kLowPass, kBandPass, kHighPass };

  Filter(Mode mode, int sampleRate, double cutoffHz, double q = 0.707);
  void SetCutoff(double cutoffHz);
  void SetQ(double q);
  float Process(float in);

 private:
  void Update();

  Mode mode_;
  double rate_;
  double cutoff_;
  double q_;
  double a1_ = 0.0, a2_ = 0.0, a3_ = 0.0, k_ = 0.0;
  double ic1_ = 0.0, ic2_ = 0.0;
};
