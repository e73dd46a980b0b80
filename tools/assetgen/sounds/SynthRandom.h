#pragma once

#include <cstdint>

// Seeded generator (SplitMix64) so every generated sound is the same on every run;
// the standard distributions are not portable enough for that.
class SynthRandom {
 public:
  explicit SynthRandom(uint64_t seed) : state_(seed) {}

  uint64_t NextBits() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // Uniform in [0, 1).
  double Uniform() { return static_cast<double>(NextBits() >> 11) * (1.0 / 9007199254740992.0); }
  // Uniform in [-1, 1): white noise.
  float Bipolar() { return static_cast<float>(Uniform() * 2.0 - 1.0); }
  double Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }

 private:
  uint64_t state_;
};
