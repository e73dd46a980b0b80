#include <F3DAudio.h>

#include "framework/audio/Audio3DCalculation.h"
#include "framework/audio/Audio3DCalculator.h"

static_assert(F3DAUDIO_HANDLE_BYTESIZE == 20, "F3DAudio handle size changed");

namespace {

struct F3DAudioApi {
  using Vector = F3DAUDIO_VECTOR;
  using Listener = F3DAUDIO_LISTENER;
  using Emitter = F3DAUDIO_EMITTER;
  using DspSettings = F3DAUDIO_DSP_SETTINGS;
  static constexpr uint32_t kCalculateMatrix = F3DAUDIO_CALCULATE_MATRIX;
  static constexpr uint32_t kCalculateDoppler = F3DAUDIO_CALCULATE_DOPPLER;
  static void Calculate(const uint8_t* handle, const Listener* l, const Emitter* e, uint32_t flags,
                        DspSettings* dsp) {
    F3DAudioCalculate(handle, l, e, flags, dsp);
  }
};

}  // namespace

Audio3DCalculator::Audio3DCalculator(uint32_t channelMask) {
  ready = F3DAudioInitialize8(channelMask, kAudio3DSpeedOfSound, handle.data()) == 0;
}

bool Audio3DCalculator::Calculate(const AudioListener& listener, const AudioEmitter& emitter,
                                  int outputChannels, float* levels, float* dopplerRatio) const {
  if (!ready) return false;
  CalculateAudio3D<F3DAudioApi>(handle.data(), listener, emitter, outputChannels, levels, dopplerRatio);
  return true;
}
