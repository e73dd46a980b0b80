#include "framework/audio/AudioEngine.h"

#include <cmath>

#include "framework/audio/AudioBackend.h"
#include "framework/audio/AudioVoice.h"
#include "framework/audio/HeadlessAudioBackend.h"
#include "framework/audio/SoundEffect.h"
#include "framework/audio/SoundEffectInstance.h"

namespace {

bool Finite(const float3& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

// The 3D calculation wants an orthonormal front and top; the game hands in whatever its
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
    this->backend = CreateDeviceAudioBackend();
  }
  calculator = std::make_unique<Audio3DCalculator>(this->backend->OutputChannelMask());
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

void AudioEngine::SetMasterVolume(float volume) {
  backend->SetMasterVolume(volume);
}

float AudioEngine::GetMasterVolume() const {
  return backend->MasterVolume();
}

std::unique_ptr<AudioVoice> AudioEngine::CreateVoice(std::shared_ptr<const WaveData> wave) {
  return backend->CreateVoice(std::move(wave));
}

std::vector<float> AudioEngine::Calculate3D(const AudioListener& listener, const AudioEmitter& emitter,
                                            float* frequencyRatio) const {
  AudioListener l = listener;
  AudioEmitter e = emitter;
  Orthonormalize(l.OrientFront, l.OrientTop);
  Orthonormalize(e.OrientFront, e.OrientTop);

  std::vector<float> levels(size_t(backend->OutputChannels()), 0.0f);
  float doppler = 1;
  calculator->Calculate(l, e, backend->OutputChannels(), levels.data(), &doppler);
  if (frequencyRatio) *frequencyRatio = doppler > 0 && std::isfinite(doppler) ? doppler : 1.0f;
  for (float& level : levels) {
    if (!std::isfinite(level)) level = 0;
  }
  return levels;
}
