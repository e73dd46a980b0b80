#include "Echo.h"

#include <cmath>

#include "SynthMath.h"

Echo::Echo(int sampleRate, double delaySeconds, double feedback, double toneHz)
    : line_(static_cast<size_t>(std::lround(delaySeconds * sampleRate)) + 1, 0.0f),
      feedback_(static_cast<float>(feedback)),
      toneCoefficient_(static_cast<float>(1.0 - std::exp(-synth::kTwoPi * toneHz / sampleRate))) {}

float Echo::Process(float in) {
  float delayed = line_[pos_];
  toneState_ += toneCoefficient_ * (delayed - toneState_);
  line_[pos_] = in + toneState_ * feedback_;
  if (++pos_ == line_.size()) pos_ = 0;
  return delayed;
}
