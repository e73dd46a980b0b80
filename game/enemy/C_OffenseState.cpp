#include "game/enemy/C_OffenseState.h"

#include "framework/VelSoundManager.h"
#include "game/enemy/C_ChaseState.h"
#include "game/enemy/EnemySteering.h"

std::unique_ptr<C_RedState> C_OffenseState::Update(GameScene* scene, float4x4& world, int, int) {
  const float3 toPlayer = PlayerOffset(*scene, world);
  if (--timer >= 1) return nullptr;
  timer = 0;
  if (!attackSoundPlayed) {
    attackSoundPlayed = true;
    VelSoundManager::GetInstance().Play3D("Data/Sound/enemyAttack.wav", world.Translation(), false);
  }
  DashForward(*scene, world, 2.0f);
  if (Length(toPlayer) >= 40.0f) return std::make_unique<C_ChaseState>();
  return nullptr;
}
