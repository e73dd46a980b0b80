#include "Reverb.h"

Reverb::Reverb(int sampleRate, double size, double damping)
    : feedback_(static_cast<float>(0.70 + 0.28 * size)), damping_(static_cast<float>(damping)) {
  // Mutually prime lengths tuned at 44.1 kHz, scaled to the rate.
  static const int kCombLengths[] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
  static const int kAllPassLengths[] = {556, 441, 341, 225};
  double scale = sampleRate / 44100.0;
  for (int length : kCombLengths) {
    Comb comb;
    comb.line.assign(static_cast<size_t>(length * scale), 0.0f);
    combs_.push_back(comb);
  }
  for (int length : kAllPassLengths) {
    AllPass pass;
    pass.line.assign(static_cast<size_t>(length * scale), 0.0f);
    allPasses_.push_back(pass);
  }
}

float Reverb::Process(float in) {
  float input = in * 0.015f;
  float out = 0.0f;
  for (Comb& c : combs_) {
    float y = c.line[c.pos];
    c.store = y * (1.0f - damping_) + c.store * damping_;
    c.line[c.pos] = input + c.store * feedback_;
    if (++c.pos == c.line.size()) c.pos = 0;
    out += y;
  }
  for (AllPass& a : allPasses_) {
    float buffered = a.line[a.pos];
    a.line[a.pos] = out + buffered * 0.5f;
    out = buffered - out;
    if (++a.pos == a.line.size()) a.pos = 0;
  }
  return out;
}
