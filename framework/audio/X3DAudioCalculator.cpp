#include <algorithm>
#include <cfloat>
#include <iterator>

#include "framework/audio/Audio3DCalculator.h"
#include "framework/audio/XAudio2Library.h"

static_assert(kX3DAudioHandleBytes == 20, "X3DAudio handle size");

namespace {

// World units per second; only Doppler uses it, and the game gives no
// velocities.
constexpr float kSpeedOfSound = 343.5f;

X3DAUDIO_VECTOR ToX3D(const float3& v) {
  return {v.x, v.y, v.z};
}

}  // namespace

Audio3DCalculator::Audio3DCalculator(uint32_t channelMask) {
  const XAudio2Library& library = XAudio2Library::Get();
  ready = library.x3dInitialize && library.x3dCalculate &&
          SUCCEEDED(library.x3dInitialize(channelMask, kSpeedOfSound, handle.data()));
}

bool Audio3DCalculator::Calculate(const AudioListener& listener, const AudioEmitter& emitter,
                                  int outputChannels, float* levels, float* dopplerRatio) const {
  if (!ready) return false;
  X3DAUDIO_LISTENER l{};
  l.OrientFront = ToX3D(listener.OrientFront);
  l.OrientTop = ToX3D(listener.OrientTop);
  l.Position = ToX3D(listener.Position);
  l.Velocity = ToX3D(listener.Velocity);

  float azimuths[AudioEmitter::kMaxChannels];
  std::copy(std::begin(emitter.ChannelAzimuths), std::end(emitter.ChannelAzimuths), azimuths);
  X3DAUDIO_EMITTER e{};
  e.OrientFront = ToX3D(emitter.OrientFront);
  e.OrientTop = ToX3D(emitter.OrientTop);
  e.Position = ToX3D(emitter.Position);
  e.Velocity = ToX3D(emitter.Velocity);
  e.InnerRadius = emitter.InnerRadius;
  e.InnerRadiusAngle = emitter.InnerRadiusAngle;
  e.ChannelCount = 1;  // only mono sources are positioned
  e.ChannelRadius = emitter.ChannelRadius;
  e.pChannelAzimuths = azimuths;
  e.CurveDistanceScaler = emitter.CurveDistanceScaler > 0 ? emitter.CurveDistanceScaler : FLT_MIN;
  e.DopplerScaler = emitter.DopplerScaler;

  X3DAUDIO_DSP_SETTINGS dsp{};
  dsp.SrcChannelCount = 1;
  dsp.DstChannelCount = UINT32(outputChannels);
  dsp.pMatrixCoefficients = levels;
  XAudio2Library::Get().x3dCalculate(handle.data(), &l, &e, kX3DAudioCalculateMatrix | kX3DAudioCalculateDoppler,
                                     &dsp);
  *dopplerRatio = dsp.DopplerFactor;
  return true;
}
