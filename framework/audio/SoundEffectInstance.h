#pragma once

// One playable copy of a sound effect's wave, with its own volume, loop and
// position. Only a mono wave can be positioned; a stereo one always plays
// unpositioned.

#include <memory>
#include <vector>

#include "framework/audio/Audio3D.h"

class AudioEngine;
class AudioVoice;
class WaveData;

class SoundEffectInstance {
 public:
  static constexpr unsigned kUse3D = 1;

  // Made by SoundEffect::CreateInstance.
  SoundEffectInstance(AudioEngine* engine, std::shared_ptr<const WaveData> wave, unsigned flags);
  ~SoundEffectInstance();
  SoundEffectInstance(const SoundEffectInstance&) = delete;
  SoundEffectInstance& operator=(const SoundEffectInstance&) = delete;

  // Plays from the start (restarting if it was playing), once or looping.
  void Play(bool loop = false);
  // Stops at once.
  void Stop();
  // A gain: 1 as recorded, 0 silent.
  void SetVolume(float volume);
  float GetVolume() const { return volume; }
  bool IsPlaying();
  // Places a mono instance made with kUse3D for the listener; others are left
  // as they are.
  void Apply3D(const AudioListener& listener, const AudioEmitter& emitter);
  // Output channels rows of source channels gains, as last set.
  std::vector<float> GetOutputMatrix() const;
  int GetChannelCount() const;

  // Called by the engine as it is destroyed.
  void OnDestroyEngine();

 private:
  AudioEngine* engine = nullptr;
  std::shared_ptr<const WaveData> wave;
  std::unique_ptr<AudioVoice> voice;
  unsigned flags = 0;
  float volume = 1;
};
