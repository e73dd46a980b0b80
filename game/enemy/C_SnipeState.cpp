#include "game/enemy/C_SnipeState.h"

#include "framework/VelCollision.h"
#include "game/effect/C_EffectManager.h"
#include "game/enemy/C_ChaseState.h"
#include "game/enemy/EnemySteering.h"

std::unique_ptr<C_RedState> C_SnipeState::Update(GameScene* scene, float4x4& world, int hp, int maxHp) {
  const float3 toPlayer = PlayerOffset(*scene, world);
  if (TurnTowardsYaw(world, YawTowards(toPlayer), 4.0f) == 0.0f) {
    FireWhileFacing(*scene, world, EffectKind::ChargeRedPower, fired, chargeShown, shotTimer);
  }
  if (hp <= maxHp / 2) return std::make_unique<C_ChaseState>();
  return nullptr;
}
