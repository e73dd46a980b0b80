#pragma once

// The process-wide sound engine: owns the audio toolkit's engine, the 3D
// listener and the one-shot and looping instances that are still playing.
// The shell calls Init at start-up, Update once per frame and Release at
// shutdown.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/VelMath.h"
#include "framework/audio/Audio3D.h"

class AudioEngine;
class VelSoundInstance;

class VelSoundEngine {
 public:
  // One call into the sound manager, as the headless engine records it.
  struct Call {
    enum class Op { Play, Play3D, PlayLoop, StopLoop, SetListener };
    Op op = Op::Play;
    std::string file;   // empty for SetListener
    float volume = 0;   // Play and PlayLoop as asked, Play3D 1; 0 otherwise
    float3 position;    // Play3D and SetListener
    float3 front;       // SetListener
    float3 top;         // SetListener
    bool loop = false;  // Play3D as asked, PlayLoop true
    // Whether the call changed what plays: a sound started (Play, Play3D,
    // PlayLoop) or a playing loop stopped (StopLoop). False for a file that
    // did not load, for PlayLoop of a loop already playing, and whenever
    // nothing can play (no engine, no device).
    bool effective = false;
    uint32_t timeMs = 0;  // Sys().GetMilliseconds() at the call
  };

  static VelSoundEngine& GetInstance();

  // Chooses the backend of the next Init: headless (no output; sounds last
  // their duration on the platform clock; calls are recorded) or FAudio.
  void UseHeadless(bool headless) { useHeadless = headless; }
  bool IsHeadless() const { return useHeadless; }

  // Always succeeds; without an audio device the game runs silent.
  bool Init();
  void Update();
  void Release();

  // The master volume, 0 to 1 (1 unless the player chose less): kept for the
  // next Init and handed to a running engine at once.
  void SetMasterVolume(float volume);
  float GetMasterVolume() const { return masterVolume; }

  AudioEngine* GetAudioEngine() { return engine.get(); }
  AudioListener& GetListener() { return listener; }

  // Keeps a playing instance alive until Update sees it has finished.
  void AddPlaying(std::shared_ptr<VelSoundInstance> instance);
  const std::map<const VelSoundInstance*, std::shared_ptr<VelSoundInstance>>& GetPlaying() const {
    return playing;
  }

  // The calls recorded since the last ClearRecord, oldest first. Recorded
  // only while UseHeadless(true) is in force (a platform must be installed).
  void Record(const Call& call);
  const std::vector<Call>& GetRecord() const { return record; }
  void ClearRecord() { record.clear(); }

 private:
  VelSoundEngine() = default;

  bool useHeadless = false;
  float masterVolume = 1.0f;
  std::unique_ptr<AudioEngine> engine;
  AudioListener listener{{0, 0, -1}, {0, 1, 0}, {}, {}};
  std::map<const VelSoundInstance*, std::shared_ptr<VelSoundInstance>> playing;
  std::vector<Call> record;
};
