#pragma once

// What game code calls to make sound: plays WAV files by file name, one-shot,
// positioned or looping. Keeps one loaded effect per file name (a file that
// fails to load is tried once and stays silent) and one looping instance per
// file name. File names are UTF-8, compared byte for byte.

#include <map>
#include <memory>
#include <string>

#include "framework/VelMath.h"

class VelSoundEffect;
class VelSoundInstance;

class VelSoundManager {
 public:
  static VelSoundManager& GetInstance();

  // Once, unpositioned, at the volume; rapid calls overlap.
  void Play(const std::string& fileName, float volume);
  // Once (or looping) at position, at volume 1, attenuation starting at 2
  // units from the listener.
  void Play3D(const std::string& fileName, const float3& position, bool loop);
  // Starts the file's looping instance at the volume unless it is already
  // playing (then nothing changes, not even the volume).
  void PlayLoop(const std::string& fileName, float volume);
  // Stops the file's looping instance at once if it plays.
  void StopLoop(const std::string& fileName);
  // The listener for sounds positioned from now on.
  void SetListener(const float3& position, const float3& front, const float3& top);

  std::shared_ptr<VelSoundEffect> GetSoundEffect(const std::string& fileName);
  std::shared_ptr<VelSoundInstance> GetLoopInstance(const std::string& fileName);

  // Forgets every cached effect and loop instance, for a fresh engine (tests
  // and tools that Init the engine more than once). The game never needs it.
  void ClearCaches();

  std::map<std::string, std::shared_ptr<VelSoundInstance>> loopInstances;
  std::map<std::string, std::shared_ptr<VelSoundEffect>> effects;

 private:
  VelSoundManager() = default;
};
