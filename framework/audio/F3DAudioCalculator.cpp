#include <F3DAudio.h>

#include <algorithm>
#include <cfloat>
#include <iterator>

#include "framework/audio/Audio3DCalculator.h"

static_assert(F3DAUDIO_HANDLE_BYTESIZE == 20, "F3DAudio handle size changed");

namespace {

// World units per second; only Doppler uses it, and the game gives no
// velocities.
constexpr float kSpeedOfSound = 343.5f;

F3DAUDIO_VECTOR ToF3D(const float3& v) {
  return {v.x, v.y, v.z};
}

}  // namespace

Audio3DCalculator::Audio3DCalculator(uint32_t channelMask) {
  ready = F3DAudioInitialize8(channelMask, kSpeedOfSound, handle.data()) == 0;
}

bool Audio3DCalculator::Calculate(const AudioListener& listener, const AudioEmitter& emitter,
                                  int outputChannels, float* levels, float* dopplerRatio) const {
  if (!ready) return false;
  F3DAUDIO_LISTENER l{};
  l.OrientFront = ToF3D(listener.OrientFront);
  l.OrientTop = ToF3D(listener.OrientTop);
  l.Position = ToF3D(listener.Position);
  l.Velocity = ToF3D(listener.Velocity);

  float azimuths[AudioEmitter::kMaxChannels];
  std::copy(std::begin(emitter.ChannelAzimuths), std::end(emitter.ChannelAzimuths), azimuths);
  F3DAUDIO_EMITTER e{};
  e.OrientFront = ToF3D(emitter.OrientFront);
  e.OrientTop = ToF3D(emitter.OrientTop);
  e.Position = ToF3D(emitter.Position);
  e.Velocity = ToF3D(emitter.Velocity);
  e.InnerRadius = emitter.InnerRadius;
  e.InnerRadiusAngle = emitter.InnerRadiusAngle;
  e.ChannelCount = 1;  // only mono sources are positioned
  e.ChannelRadius = emitter.ChannelRadius;
  e.pChannelAzimuths = azimuths;
  e.CurveDistanceScaler = emitter.CurveDistanceScaler > 0 ? emitter.CurveDistanceScaler : FLT_MIN;
  e.DopplerScaler = emitter.DopplerScaler;

  F3DAUDIO_DSP_SETTINGS dsp{};
  dsp.SrcChannelCount = 1;
  dsp.DstChannelCount = uint32_t(outputChannels);
  dsp.pMatrixCoefficients = levels;
  F3DAudioCalculate(handle.data(), &l, &e, F3DAUDIO_CALCULATE_MATRIX | F3DAUDIO_CALCULATE_DOPPLER, &dsp);
  *dopplerRatio = dsp.DopplerFactor;
  return true;
}
