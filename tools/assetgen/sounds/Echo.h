#pragma once

#include <cstddef>
#include <vector>

// A feedback delay whose repeats grow darker, as a tape echo's do. Returns the
// repeats only.
class Echo {
 public:
  Echo(int sampleRate, double delaySeconds, double feedback, double toneHz);
  float Process(float in);

 private:
  std::vector<float> line_;
  size_t pos_ = 0;
  float feedback_;
  float toneCoefficient_;
  float toneState_ = 0.0f;
};
