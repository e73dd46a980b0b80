#include "game/enemy/C_TrackState.h"

#include "framework/VelCollision.h"
#include "game/enemy/C_AttackState.h"
#include "game/enemy/EnemySteering.h"

std::unique_ptr<C_BlueState> C_TrackState::Update(GameScene* scene, float4x4& world, int, int) {
  const float3 toPlayer = PlayerOffset(*scene, world);
  if (TurnTowardsYaw(world, YawTowards(toPlayer), 2.0f) == 0.0f) MoveForward(*scene, world, 0.6f);
  if (Length(toPlayer) <= 20.0f && !attackStarted) {
    attackStarted = true;
    return std::make_unique<C_AttackState>();
  }
  return nullptr;
}
