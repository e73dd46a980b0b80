#include "framework/audio/AudioEngine.h"

#include <F3DAudio.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <iterator>

#include "framework/audio/AudioVoice.h"
#include "framework/audio/FAudioBackend.h"
#include "framework/audio/HeadlessAudioBackend.h"
#include "framework/audio/SoundEffect.h"
#include "framework/audio/SoundEffectInstance.h"

static_assert(F3DAUDIO_HANDLE_BYTESIZE == 20, "F3DAudio handle size changed");

namespace {

// World units per second; only Doppler uses it, and the game gives no
// velocities.
constexpr float kSpeedOfSound = 343.5f;

F3DAUDIO_VECTOR ToF3D(const float3& v) {
  return {v.x, v.y, v.z};
}

bool Finite(const float3& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

// F3DAudio wants an orthonormal front and top; the game hands in whatever its
// camera has, so straighten them (and fall back to looking down +z).
void Orthonormalize(float3& front, float3& top) {
  front = Finite(front) ? Normalize(front) : float3{};
  if (front == float3{}) front = {0, 0, 1};
  float3 up = Finite(top) ? top - front * Dot(top, front) : float3{};
  if (LengthSquared(up) < 1e-12f) {
    float3 guess = std::fabs(front.y) < 0.9f ? float3{0, 1, 0} : float3{1, 0, 0};
    up = guess - front * Dot(guess, front);
  }
  top = Normalize(up);
}

}  // namespace

AudioEngine::AudioEngine(Backend backend) : kind(backend) {
  if (backend == Backend::Headless) {
    this->backend = std::make_unique<HeadlessAudioBackend>();
  } else {
    this->backend = std::make_unique<FAudioBackend>();
  }
  F3DAudioInitialize(this->backend->OutputChannelMask(), kSpeedOfSound, f3dHandle.data());
}

AudioEngine::~AudioEngine() {
  // Voices must go before the mixer that made them; copies, because the
  // callbacks unregister.
  for (SoundEffectInstance* instance : std::set<SoundEffectInstance*>(instances)) instance->OnDestroyEngine();
  for (SoundEffect* effect : std::set<SoundEffect*>(effects)) effect->OnDestroyEngine();
}

bool AudioEngine::Update() {
  return backend->Update();
}

bool AudioEngine::IsAudioDevicePresent() const {
  return backend->IsDevicePresent();
}

int AudioEngine::GetOutputChannels() const {
  return backend->OutputChannels();
}

int AudioEngine::GetOutputSampleRate() const {
  return backend->OutputSampleRate();
}

std::unique_ptr<AudioVoice> AudioEngine::CreateVoice(std::shared_ptr<const WaveData> wave) {
  return backend->CreateVoice(std::move(wave));
}

std::vector<float> AudioEngine::Calculate3D(const AudioListener& listener, const AudioEmitter& emitter,
                                            float* frequencyRatio) const {
  float3 listenerFront = listener.OrientFront, listenerTop = listener.OrientTop;
  float3 emitterFront = emitter.OrientFront, emitterTop = emitter.OrientTop;
  Orthonormalize(listenerFront, listenerTop);
  Orthonormalize(emitterFront, emitterTop);

  F3DAUDIO_LISTENER l{};
  l.OrientFront = ToF3D(listenerFront);
  l.OrientTop = ToF3D(listenerTop);
  l.Position = ToF3D(listener.Position);
  l.Velocity = ToF3D(listener.Velocity);

  float azimuths[AudioEmitter::kMaxChannels];
  std::copy(std::begin(emitter.ChannelAzimuths), std::end(emitter.ChannelAzimuths), azimuths);
  F3DAUDIO_EMITTER e{};
  e.OrientFront = ToF3D(emitterFront);
  e.OrientTop = ToF3D(emitterTop);
  e.Position = ToF3D(emitter.Position);
  e.Velocity = ToF3D(emitter.Velocity);
  e.InnerRadius = emitter.InnerRadius;
  e.InnerRadiusAngle = emitter.InnerRadiusAngle;
  e.ChannelCount = 1;  // only mono sources are positioned
  e.ChannelRadius = emitter.ChannelRadius;
  e.pChannelAzimuths = azimuths;
  e.CurveDistanceScaler = emitter.CurveDistanceScaler > 0 ? emitter.CurveDistanceScaler : FLT_MIN;
  e.DopplerScaler = emitter.DopplerScaler;

  int outputs = backend->OutputChannels();
  std::vector<float> levels(size_t(outputs), 0.0f);
  F3DAUDIO_DSP_SETTINGS dsp{};
  dsp.SrcChannelCount = 1;
  dsp.DstChannelCount = uint32_t(outputs);
  dsp.pMatrixCoefficients = levels.data();
  F3DAudioCalculate(f3dHandle.data(), &l, &e, F3DAUDIO_CALCULATE_MATRIX | F3DAUDIO_CALCULATE_DOPPLER, &dsp);
  if (frequencyRatio) *frequencyRatio = dsp.DopplerFactor > 0 ? dsp.DopplerFactor : 1.0f;
  for (float& level : levels) {
    if (!std::isfinite(level)) level = 0;
  }
  return levels;
}
