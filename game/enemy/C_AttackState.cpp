#include "game/enemy/C_AttackState.h"

#include "framework/VelSoundManager.h"
#include "game/effect/C_EffectManager.h"
#include "game/enemy/C_TrackState.h"
#include "game/enemy/EnemySteering.h"
#include "scene/GameScene.h"

std::unique_ptr<C_BlueState> C_AttackState::Update(GameScene* scene, float4x4& world, int, int) {
  VelSoundManager& sound = VelSoundManager::GetInstance();
  const float3 toPlayer = PlayerOffset(*scene, world);
  if (!dashing) {
    --timer;
    if (!chargeShown) {
      chargeShown = true;
      scene->effects->AddEffect(world.Translation(), EffectKind::ChargeBluePower);
      sound.Play3D("Data/Sound/powerCharge.wav", world.Translation(), false);
    }
  }
  if (timer >= 1) return nullptr;
  timer = 0;
  dashing = true;
  if (!attackSoundPlayed) {
    attackSoundPlayed = true;
    sound.Play3D("Data/Sound/enemyAttack.wav", world.Translation(), false);
  }
  DashForward(*scene, world, 1.5f);
  if (Length(toPlayer) >= 40.0f) return std::make_unique<C_TrackState>();
  return nullptr;
}
