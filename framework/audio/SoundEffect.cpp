#include "framework/audio/SoundEffect.h"

#include <stdexcept>

#include "framework/audio/AudioEngine.h"
#include "framework/audio/SoundEffectInstance.h"
#include "framework/audio/WaveData.h"

SoundEffect::SoundEffect(AudioEngine* engine, const std::string& path) : engine(engine) {
  if (!engine) throw std::runtime_error("SoundEffect: no audio engine");
  std::string error;
  wave = WaveData::Load(path, &error);
  if (!wave) throw std::runtime_error("SoundEffect: " + path + ": " + error);
  engine->Register(this);
}

SoundEffect::~SoundEffect() {
  if (engine) engine->Unregister(this);
}

std::unique_ptr<SoundEffectInstance> SoundEffect::CreateInstance(unsigned flags) {
  if (!engine) return nullptr;
  return std::make_unique<SoundEffectInstance>(engine, wave, flags);
}

int SoundEffect::GetChannelCount() const {
  return wave->channels;
}

int SoundEffect::GetSampleRate() const {
  return wave->sampleRate;
}

uint32_t SoundEffect::GetSampleDurationMS() const {
  return wave->DurationMilliseconds();
}
