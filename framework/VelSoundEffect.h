#pragma once

// A WAV file loaded once for the game, shared by every instance made from it.
// An effect whose file failed to load has no wave data and makes no
// instances.

#include <memory>
#include <string>

class SoundEffect;
class VelSoundInstance;

class VelSoundEffect : public std::enable_shared_from_this<VelSoundEffect> {
 public:
  VelSoundEffect();
  ~VelSoundEffect();

  // fileName is UTF-8. False when the engine is not initialised or the file
  // cannot be used.
  bool Load(const std::string& fileName);
  // Null when the engine is not initialised or there is no wave data.
  std::shared_ptr<VelSoundInstance> CreateInstance(bool use3D);

  bool HasWaveData() const { return effect != nullptr; }
  const std::string& GetFileName() const { return fileName; }

  std::unique_ptr<SoundEffect> effect;
  std::string fileName;
};
