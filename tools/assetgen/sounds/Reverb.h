#pragma once

#include <cstddef>
#include <vector>

// A small Schroeder-Moorer room: eight damped combs in parallel, four all-passes in
// series. Returns the wet signal only; the caller mixes it with the dry one.
class Reverb {
 public:
  // size 0..1 sets the decay (about 0.3 s to 4 s), damping 0..1 darkens the tail.
  Reverb(int sampleRate, double size, double damping);
  float Process(float in);

 private:
  struct Comb {
    std::vector<float> line;
    size_t pos = 0;
    float store = 0.0f;
  };
  struct AllPass {
    std::vector<float> line;
    size_t pos = 0;
  };
  std::vector<Comb> combs_;
  std::vector<AllPass> allPasses_;
  float feedback_;
  float damping_;
};
