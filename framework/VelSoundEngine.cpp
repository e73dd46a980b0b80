#include "framework/VelSoundEngine.h"

#include "framework/VelSoundInstance.h"
#include "framework/audio/AudioEngine.h"
#include "platform/Platform.h"

VelSoundEngine& VelSoundEngine::GetInstance() {
  static VelSoundEngine instance;
  return instance;
}

bool VelSoundEngine::Init() {
  playing.clear();
  engine.reset();
  engine = std::make_unique<AudioEngine>(useHeadless ? AudioEngine::Backend::Headless
                                                     : AudioEngine::Backend::Device);
  if (masterVolume != 1.0f) engine->SetMasterVolume(masterVolume);
  listener.OrientFront = {0, 0, 1};
  return true;
}

void VelSoundEngine::SetMasterVolume(float volume) {
  masterVolume = volume < 0.0f ? 0.0f : (volume > 1.0f ? 1.0f : volume);
  if (engine) engine->SetMasterVolume(masterVolume);
}

void VelSoundEngine::Update() {
  if (engine) engine->Update();
  for (auto it = playing.begin(); it != playing.end();) {
    if (it->second->IsPlaying()) {
      ++it;
    } else {
      it = playing.erase(it);
    }
  }
}

void VelSoundEngine::Release() {
  playing.clear();
  engine.reset();
}

void VelSoundEngine::AddPlaying(std::shared_ptr<VelSoundInstance> instance) {
  const VelSoundInstance* key = instance.get();
  playing[key] = std::move(instance);
}

void VelSoundEngine::Record(const Call& call) {
  if (!useHeadless) return;
  record.push_back(call);
  record.back().timeMs = Sys().GetMilliseconds();
}
