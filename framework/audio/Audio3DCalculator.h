#pragma once

// The 3D audio calculation of the system's audio library (F3DAudio on Linux,
// X3DAudio on Windows): the output levels and the Doppler pitch ratio of one
// mono emitter for a listener. Orientations must already be orthonormal.

#include <array>
#include <cstdint>

#include "framework/audio/Audio3D.h"

class Audio3DCalculator {
 public:
  // channelMask: the output's speaker layout (a WAVEFORMATEXTENSIBLE mask).
  explicit Audio3DCalculator(uint32_t channelMask);

  // levels receives outputChannels gains; false (levels untouched) when the
  // library could not be initialised.
  bool Calculate(const AudioListener& listener, const AudioEmitter& emitter, int outputChannels,
                 float* levels, float* dopplerRatio) const;

 private:
  std::array<uint8_t, 20> handle{};
  bool ready = false;
};
