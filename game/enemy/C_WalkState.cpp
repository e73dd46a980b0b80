#include "game/enemy/C_WalkState.h"

#include <cstdlib>

#include "framework/VelCollision.h"
#include "framework/VelSoundManager.h"
#include "game/effect/C_EffectManager.h"
#include "game/enemy/C_TrackState.h"
#include "game/enemy/EnemySteering.h"
#include "scene/GameScene.h"

namespace {
constexpr float kNoticeDistance = 60.0f;
}

C_WalkState::C_WalkState()
    : timer(std::rand() % 2 * 60 + 60), heading(static_cast<float>(std::rand() % 360)) {}

std::unique_ptr<C_BlueState> C_WalkState::Update(GameScene* scene, float4x4& world, int hp, int maxHp) {
  const float3 toPlayer = PlayerOffset(*scene, world);
  if (TurnTowardsYaw(world, heading, 2.0f) == 0.0f) MoveForward(*scene, world, 0.2f);
  if (--timer <= 0) return std::make_unique<C_WalkState>();
  if (Length(toPlayer) > kNoticeDistance && hp >= maxHp) return nullptr;
  if (!noticed) {
    noticed = true;
    scene->effects->AddEffect(world.Translation(), EffectKind::Discovery);
    VelSoundManager::GetInstance().Play("Data/Sound/find.wav", 0.3f);
  }
  return std::make_unique<C_TrackState>();
}
