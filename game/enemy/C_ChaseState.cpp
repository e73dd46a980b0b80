#include "game/enemy/C_ChaseState.h"

#include "framework/VelCollision.h"
#include "game/enemy/C_OffenseState.h"
#include "game/enemy/EnemySteering.h"

std::unique_ptr<C_RedState> C_ChaseState::Update(GameScene* scene, float4x4& world, int, int) {
  const float3 toPlayer = PlayerOffset(*scene, world);
  if (TurnTowardsYaw(world, YawTowards(toPlayer), 4.0f) == 0.0f) MoveForward(*scene, world, 0.8f);
  if (Length(toPlayer) <= 25.0f && !offenseStarted) {
    offenseStarted = true;
    return std::make_unique<C_OffenseState>();
  }
  return nullptr;
}
