#pragma once

// A phase-accumulating oscillator whose frequency may change every sample (glides,
// vibrato, FM). Saw and square are band-limited with PolyBLEP so high notes do not alias.
class Oscillator {
 public:
  enum class Wave { kSine, kTriangle, kSaw, kSquare };

  Oscillator(Wave wave, int sampleRate, double startPhase = 0.0);
  // One sample at the given frequency; width is the square's duty cycle.
  float Next(double hz, double width = 0.5);
  // Phase in cycles, [0, 1).
  double Phase() const { return phase_; }

 private:
  Wave wave_;
  double inverseRate_;
  double phase_;
};
