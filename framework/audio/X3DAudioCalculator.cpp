#include "framework/audio/Audio3DCalculation.h"
#include "framework/audio/Audio3DCalculator.h"
#include "framework/audio/XAudio2Library.h"

static_assert(kX3DAudioHandleBytes == 20, "X3DAudio handle size");

namespace {

// X3DAudio is reached through the library loaded at run time.
struct X3DAudioApi {
  using Vector = X3DAUDIO_VECTOR;
  using Listener = X3DAUDIO_LISTENER;
  using Emitter = X3DAUDIO_EMITTER;
  using DspSettings = X3DAUDIO_DSP_SETTINGS;
  static constexpr UINT32 kCalculateMatrix = kX3DAudioCalculateMatrix;
  static constexpr UINT32 kCalculateDoppler = kX3DAudioCalculateDoppler;
  static void Calculate(const uint8_t* handle, const Listener* l, const Emitter* e, UINT32 flags,
                        DspSettings* dsp) {
    XAudio2Library::Get().x3dCalculate(handle, l, e, flags, dsp);
  }
};

}  // namespace

Audio3DCalculator::Audio3DCalculator(uint32_t channelMask) {
  const XAudio2Library& library = XAudio2Library::Get();
  ready = library.x3dInitialize && library.x3dCalculate &&
          SUCCEEDED(library.x3dInitialize(channelMask, kAudio3DSpeedOfSound, handle.data()));
}

bool Audio3DCalculator::Calculate(const AudioListener& listener, const AudioEmitter& emitter,
                                  int outputChannels, float* levels, float* dopplerRatio) const {
  if (!ready) return false;
  CalculateAudio3D<X3DAudioApi>(handle.data(), listener, emitter, outputChannels, levels, dopplerRatio);
  return true;
}
