#pragma once

// A WAV file loaded for an engine; instances of it play it.

#include <cstdint>
#include <memory>
#include <string>

class AudioEngine;
class SoundEffectInstance;
class WaveData;

class SoundEffect {
 public:
  // path is UTF-8. Throws std::runtime_error when the file cannot be read or
  // decoded, or when there is no engine.
  SoundEffect(AudioEngine* engine, const std::string& path);
  ~SoundEffect();
  SoundEffect(const SoundEffect&) = delete;
  SoundEffect& operator=(const SoundEffect&) = delete;

  // flags: SoundEffectInstance::kUse3D or 0. Null once the engine is gone.
  std::unique_ptr<SoundEffectInstance> CreateInstance(unsigned flags = 0);

  int GetChannelCount() const;
  int GetSampleRate() const;
  uint32_t GetSampleDurationMS() const;

  // Called by the engine as it is destroyed.
  void OnDestroyEngine() { engine = nullptr; }

 private:
  AudioEngine* engine = nullptr;
  std::shared_ptr<const WaveData> wave;
};
