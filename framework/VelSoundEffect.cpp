#include "framework/VelSoundEffect.h"

#include <exception>

#include "framework/VelSoundEngine.h"
#include "framework/VelSoundInstance.h"
#include "framework/audio/AudioEngine.h"
#include "framework/audio/SoundEffect.h"
#include "framework/audio/SoundEffectInstance.h"

VelSoundEffect::VelSoundEffect() = default;

VelSoundEffect::~VelSoundEffect() = default;

bool VelSoundEffect::Load(const std::string& name) {
  AudioEngine* engine = VelSoundEngine::GetInstance().GetAudioEngine();
  if (!engine) return false;
  try {
    effect = std::make_unique<SoundEffect>(engine, name);
  } catch (const std::exception&) {
    return false;
  }
  fileName = name;
  return true;
}

std::shared_ptr<VelSoundInstance> VelSoundEffect::CreateInstance(bool use3D) {
  if (!VelSoundEngine::GetInstance().GetAudioEngine() || !effect) return nullptr;
  auto instance = effect->CreateInstance(use3D ? SoundEffectInstance::kUse3D : 0);
  // The effect's engine may be an earlier one that has since been released.
  if (!instance) return nullptr;
  return std::make_shared<VelSoundInstance>(std::move(instance), shared_from_this(), use3D);
}
