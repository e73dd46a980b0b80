#pragma once

// One playing (or playable) copy of a VelSoundEffect, with its 3D emitter.
// It keeps its effect, and so the wave data, alive.

#include <memory>

#include "framework/VelMath.h"
#include "framework/audio/Audio3D.h"

class SoundEffectInstance;
class VelSoundEffect;

class VelSoundInstance : public std::enable_shared_from_this<VelSoundInstance> {
 public:
  VelSoundInstance(std::unique_ptr<SoundEffectInstance> instance, std::shared_ptr<VelSoundEffect> source,
                   bool is3D);
  ~VelSoundInstance();

  // Restarts from the beginning, once or looping; with keepUntilDone the
  // engine holds the instance until it has finished.
  void Play(bool loop, bool keepUntilDone);
  // As Play at volume 1, positioned at position for the engine's listener.
  void Play3D(const float3& position, bool loop, bool keepUntilDone);
  void Stop();
  void SetVolume(float volume);
  void SetCurveDistanceScaler(float scaler);
  bool IsPlaying();

  std::unique_ptr<SoundEffectInstance> instance;
  std::shared_ptr<VelSoundEffect> source;
  AudioEmitter emitter;
  bool is3D = false;

 private:
  void Apply3D();
};
