#pragma once

// The audio toolkit's engine: one mixer with its output, and the 3D
// calculation of positioned sound. Sound effects and their instances are made
// against an engine; when the engine goes first they fall silent and stay
// harmless.

#include <cstdint>
#include <memory>
#include <set>
#include <vector>

#include "framework/audio/Audio3D.h"
#include "framework/audio/Audio3DCalculator.h"

class AudioBackend;
class AudioVoice;
class SoundEffect;
class SoundEffectInstance;
class WaveData;

class AudioEngine {
 public:
  enum class Backend {
    Device,    // real output: FAudio and SDL's audio device on Linux, XAudio2 on Windows
    Headless,  // no output; sounds last their duration on the platform clock
  };

  explicit AudioEngine(Backend backend = Backend::Device);
  ~AudioEngine();
  AudioEngine(const AudioEngine&) = delete;
  AudioEngine& operator=(const AudioEngine&) = delete;

  // Once per frame; false when the mixer reported a problem.
  bool Update();
  // False when no output device could be opened: everything still works,
  // nothing is heard and no instance ever plays.
  bool IsAudioDevicePresent() const;
  Backend GetBackend() const { return kind; }
  int GetOutputChannels() const;
  int GetOutputSampleRate() const;
  // The level of the whole output, 0 to 1 (the mixer's master voice).
  void SetMasterVolume(float volume);
  float GetMasterVolume() const;

  // For SoundEffect and SoundEffectInstance.
  std::unique_ptr<AudioVoice> CreateVoice(std::shared_ptr<const WaveData> wave);
  // The output levels (output channels rows of one mono source) and the
  // Doppler pitch ratio of a mono emitter heard by the listener.
  std::vector<float> Calculate3D(const AudioListener& listener, const AudioEmitter& emitter,
                                 float* frequencyRatio) const;
  void Register(SoundEffect* effect) { effects.insert(effect); }
  void Unregister(SoundEffect* effect) { effects.erase(effect); }
  void Register(SoundEffectInstance* instance) { instances.insert(instance); }
  void Unregister(SoundEffectInstance* instance) { instances.erase(instance); }

 private:
  Backend kind;
  std::unique_ptr<AudioBackend> backend;
  std::unique_ptr<Audio3DCalculator> calculator;
  std::set<SoundEffect*> effects;
  std::set<SoundEffectInstance*> instances;
};
