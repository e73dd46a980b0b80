#include "framework/VelSoundManager.h"

#include "framework/VelSoundEffect.h"
#include "framework/VelSoundEngine.h"
#include "framework/VelSoundInstance.h"

namespace {

using Call = VelSoundEngine::Call;

void Record(Call::Op op, const std::string& file, float volume, const float3& position, bool loop,
            bool effective) {
  Call call;
  call.op = op;
  call.file = file;
  call.volume = volume;
  call.position = position;
  call.loop = loop;
  call.effective = effective;
  VelSoundEngine::GetInstance().Record(call);
}

}  // namespace

VelSoundManager& VelSoundManager::GetInstance() {
  static VelSoundManager instance;
  return instance;
}

void VelSoundManager::Play(const std::string& fileName, float volume) {
  std::shared_ptr<VelSoundInstance> instance = GetSoundEffect(fileName)->CreateInstance(true);
  if (instance) {
    instance->SetVolume(volume);
    instance->Play(false, true);
  }
  Record(Call::Op::Play, fileName, volume, {}, false, instance && instance->IsPlaying());
}

void VelSoundManager::Play3D(const std::string& fileName, const float3& position, bool loop) {
  std::shared_ptr<VelSoundInstance> instance = GetSoundEffect(fileName)->CreateInstance(true);
  if (instance) {
    instance->SetCurveDistanceScaler(2.0f);
    instance->Play3D(position, loop, true);
  }
  Record(Call::Op::Play3D, fileName, 1.0f, position, loop, instance && instance->IsPlaying());
}

void VelSoundManager::PlayLoop(const std::string& fileName, float volume) {
  std::shared_ptr<VelSoundInstance> instance = GetLoopInstance(fileName);
  bool start = instance && !instance->IsPlaying();
  if (start) {
    instance->SetVolume(volume);
    instance->Play(true, true);
  }
  Record(Call::Op::PlayLoop, fileName, volume, {}, true, start && instance->IsPlaying());
}

void VelSoundManager::StopLoop(const std::string& fileName) {
  std::shared_ptr<VelSoundInstance> instance = GetLoopInstance(fileName);
  bool stop = instance && instance->IsPlaying();
  if (stop) instance->Stop();
  Record(Call::Op::StopLoop, fileName, 0.0f, {}, false, stop);
}

void VelSoundManager::SetListener(const float3& position, const float3& front, const float3& top) {
  AudioListener& listener = VelSoundEngine::GetInstance().GetListener();
  listener.Position = position;
  listener.OrientFront = front;
  listener.OrientTop = top;
  Call call;
  call.op = Call::Op::SetListener;
  call.position = position;
  call.front = front;
  call.top = top;
  call.effective = true;
  VelSoundEngine::GetInstance().Record(call);
}

std::shared_ptr<VelSoundEffect> VelSoundManager::GetSoundEffect(const std::string& fileName) {
  auto found = effects.find(fileName);
  if (found != effects.end()) return found->second;
  auto effect = std::make_shared<VelSoundEffect>();
  // Without an engine nothing can load; that says nothing about the file, so
  // it is not remembered as a failure.
  if (!VelSoundEngine::GetInstance().GetAudioEngine()) return effect;
  effect->Load(fileName);
  effects.emplace(fileName, effect);
  return effect;
}

std::shared_ptr<VelSoundInstance> VelSoundManager::GetLoopInstance(const std::string& fileName) {
  auto found = loopInstances.find(fileName);
  if (found != loopInstances.end()) return found->second;
  if (!VelSoundEngine::GetInstance().GetAudioEngine()) return nullptr;
  std::shared_ptr<VelSoundInstance> instance = GetSoundEffect(fileName)->CreateInstance(false);
  loopInstances.emplace(fileName, instance);
  return instance;
}

void VelSoundManager::ClearCaches() {
  loopInstances.clear();
  effects.clear();
}
