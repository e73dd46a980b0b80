#include "game/enemy/C_ShootState.h"

#include "framework/VelCollision.h"
#include "game/effect/C_EffectManager.h"
#include "game/enemy/EnemySteering.h"

std::unique_ptr<C_YellowState> C_ShootState::Update(GameScene* scene, float4x4& world, int, int) {
  const float3 toPlayer = PlayerOffset(*scene, world);
  if (TurnTowardsYaw(world, YawTowards(toPlayer), 4.0f) == 0.0f) {
    FireWhileFacing(*scene, world, EffectKind::ChargeYellowPower, fired, chargeShown, shotTimer);
  }
  return nullptr;
}
