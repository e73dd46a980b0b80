#include "framework/audio/SoundEffectInstance.h"

#include "framework/audio/AudioEngine.h"
#include "framework/audio/AudioVoice.h"
#include "framework/audio/WaveData.h"

SoundEffectInstance::SoundEffectInstance(AudioEngine* engine, std::shared_ptr<const WaveData> wave,
                                         unsigned flags)
    : engine(engine), wave(std::move(wave)), flags(flags) {
  voice = engine->CreateVoice(this->wave);
  engine->Register(this);
}

SoundEffectInstance::~SoundEffectInstance() {
  if (engine) engine->Unregister(this);
}

void SoundEffectInstance::OnDestroyEngine() {
  voice.reset();
  engine = nullptr;
}

void SoundEffectInstance::Play(bool loop) {
  if (voice) voice->Start(loop);
}

void SoundEffectInstance::Stop() {
  if (voice) voice->Stop();
}

void SoundEffectInstance::SetVolume(float volume) {
  this->volume = volume >= 0 ? volume : 0;  // NaN too
  if (voice) voice->SetVolume(this->volume);
}

bool SoundEffectInstance::IsPlaying() {
  return voice && voice->IsPlaying();
}

void SoundEffectInstance::Apply3D(const AudioListener& listener, const AudioEmitter& emitter) {
  if (!voice || !(flags & kUse3D) || wave->channels != 1) return;
  float ratio = 1;
  voice->SetOutputMatrix(engine->Calculate3D(listener, emitter, &ratio));
  voice->SetFrequencyRatio(ratio);
}

std::vector<float> SoundEffectInstance::GetOutputMatrix() const {
  return voice ? voice->GetOutputMatrix() : std::vector<float>{};
}

int SoundEffectInstance::GetChannelCount() const {
  return wave->channels;
}
