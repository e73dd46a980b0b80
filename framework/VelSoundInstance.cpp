#include "framework/VelSoundInstance.h"

#include "framework/VelSoundEffect.h"
#include "framework/VelSoundEngine.h"
#include "framework/audio/SoundEffectInstance.h"

VelSoundInstance::VelSoundInstance(std::unique_ptr<SoundEffectInstance> instance,
                                   std::shared_ptr<VelSoundEffect> source, bool is3D)
    : instance(std::move(instance)), source(std::move(source)), is3D(is3D) {
  emitter.OrientFront = {0, 0, -1};
  emitter.OrientTop = {0, 1, 0};
  emitter.InnerRadius = 0;
  emitter.InnerRadiusAngle = 0.7853982f;
  emitter.ChannelCount = 1;
  emitter.ChannelRadius = 1;
  emitter.CurveDistanceScaler = 1;
  emitter.DopplerScaler = 1;
}

// The toolkit instance goes before the effect it came from.
VelSoundInstance::~VelSoundInstance() {
  instance.reset();
}

void VelSoundInstance::Play(bool loop, bool keepUntilDone) {
  instance->Stop();
  instance->Play(loop);
  if (keepUntilDone) VelSoundEngine::GetInstance().AddPlaying(shared_from_this());
}

void VelSoundInstance::Play3D(const float3& position, bool loop, bool keepUntilDone) {
  instance->Stop();
  instance->SetVolume(1.0f);
  // Placed before it starts, so the mixer never hears it unplaced.
  emitter.Position = position;
  Apply3D();
  instance->Play(loop);
  if (keepUntilDone) VelSoundEngine::GetInstance().AddPlaying(shared_from_this());
}

void VelSoundInstance::Stop() {
  instance->Stop();
}

void VelSoundInstance::SetVolume(float volume) {
  instance->SetVolume(volume);
}

void VelSoundInstance::SetCurveDistanceScaler(float scaler) {
  emitter.CurveDistanceScaler = scaler;
  Apply3D();
}

bool VelSoundInstance::IsPlaying() {
  return instance->IsPlaying();
}

void VelSoundInstance::Apply3D() {
  instance->Apply3D(VelSoundEngine::GetInstance().GetListener(), emitter);
}
