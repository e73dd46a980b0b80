#pragma once

// The one 3D calculation behind Audio3DCalculator. F3DAudio (Linux) and
// X3DAudio (Windows) take the same structures and flags under two sets of
// names; each backend names them in a small Api struct:
//   Vector, Listener, Emitter, DspSettings   the library's types
//   kCalculateMatrix, kCalculateDoppler      its flags
//   Calculate(handle, listener, emitter, flags, dsp)
// The library headers stay in the backend files.

#include <algorithm>
#include <cfloat>
#include <cstdint>
#include <iterator>

#include "framework/audio/Audio3D.h"

// World units per second; only Doppler uses it, and the game gives no
// velocities.
constexpr float kAudio3DSpeedOfSound = 343.5f;

// Fills the library's listener and mono emitter and computes outputChannels
// levels and the Doppler pitch ratio.
template <typename Api>
void CalculateAudio3D(const uint8_t* handle, const AudioListener& listener, const AudioEmitter& emitter,
                      int outputChannels, float* levels, float* dopplerRatio) {
  auto vector = [](const float3& v) { return typename Api::Vector{v.x, v.y, v.z}; };
  typename Api::Listener l{};
  l.OrientFront = vector(listener.OrientFront);
  l.OrientTop = vector(listener.OrientTop);
  l.Position = vector(listener.Position);
  l.Velocity = vector(listener.Velocity);

  float azimuths[AudioEmitter::kMaxChannels];
  std::copy(std::begin(emitter.ChannelAzimuths), std::end(emitter.ChannelAzimuths), azimuths);
  typename Api::Emitter e{};
  e.OrientFront = vector(emitter.OrientFront);
  e.OrientTop = vector(emitter.OrientTop);
  e.Position = vector(emitter.Position);
  e.Velocity = vector(emitter.Velocity);
  e.InnerRadius = emitter.InnerRadius;
  e.InnerRadiusAngle = emitter.InnerRadiusAngle;
  e.ChannelCount = 1;  // only mono sources are positioned
  e.ChannelRadius = emitter.ChannelRadius;
  e.pChannelAzimuths = azimuths;
  e.CurveDistanceScaler = emitter.CurveDistanceScaler > 0 ? emitter.CurveDistanceScaler : FLT_MIN;
  e.DopplerScaler = emitter.DopplerScaler;

  typename Api::DspSettings dsp{};
  dsp.SrcChannelCount = 1;
  dsp.DstChannelCount = uint32_t(outputChannels);
  dsp.pMatrixCoefficients = levels;
  Api::Calculate(handle, &l, &e, Api::kCalculateMatrix | Api::kCalculateDoppler, &dsp);
  *dopplerRatio = dsp.DopplerFactor;
}
