#include "game/enemy/C_ScoutState.h"

#include <cstdlib>

#include "framework/VelCollision.h"
#include "framework/VelSoundManager.h"
#include "game/effect/C_EffectManager.h"
#include "game/enemy/C_ShootState.h"
#include "game/enemy/EnemySteering.h"
#include "scene/GameScene.h"

C_ScoutState::C_ScoutState()
    : timer(std::rand() % 5 * 60 + 60), heading(static_cast<float>(std::rand() % 360)) {}

std::unique_ptr<C_YellowState> C_ScoutState::Update(GameScene* scene, float4x4& world, int hp, int maxHp) {
  const float3 toPlayer = PlayerOffset(*scene, world);
  TurnTowardsYaw(world, heading, 2.0f);
  if (--timer < 1) return std::make_unique<C_ScoutState>();
  if (Length(toPlayer) > 60.0f && hp >= maxHp) return nullptr;
  if (!noticed) {
    noticed = true;
    scene->effects->AddEffect(world.Translation(), EffectKind::Discovery);
    VelSoundManager::GetInstance().Play("Data/Sound/find.wav", 0.3f);
  }
  return std::make_unique<C_ShootState>();
}
