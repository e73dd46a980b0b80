#include "game/enemy/EnemySteering.h"

#include "framework/VelCollision.h"
#include "framework/VelSoundManager.h"
#include "game/effect/C_EffectManager.h"
#include "game/enemy/EnemyShots.h"
#include "game/stage/StageObjects.h"
#include "scene/GameScene.h"

namespace {
constexpr int kShotInterval = 90;
}  // namespace

float3 PlayerOffset(const GameScene& scene, const float4x4& world) {
  return scene.player->GetPosition() - world.Translation();
}

float YawTowards(const float3& offset) {
  return YawFromDirection(offset.x, offset.y, offset.z);
}

void PushOutOfStageAhead(const GameScene& scene, float4x4& world) {
  float3 push;
  float distance = 0.0f;
  if (RayPushOut(scene.stage->StageModel(), scene.stage->StageWorld(), world.Translation(), world.Row(2),
                 distance, push)) {
    world.SetTranslation(world.Translation() + push);
  }
}

void MoveForward(const GameScene& scene, float4x4& world, float distance) {
  world = MatrixTranslation(0.0f, 0.0f, distance) * world;
  PushOutOfStageAhead(scene, world);
}

void DashForward(GameScene& scene, float4x4& world, float distance) {
  world = MatrixTranslation(0.0f, 0.0f, distance) * world;
  scene.effects->AddModelEffect(world, world.Translation(), EffectKind::PushAttack);
  PushOutOfStageAhead(scene, world);
}

void FireWhileFacing(GameScene& scene, const float4x4& world, int chargeKind, bool& fired, bool& chargeShown,
                     int& shotTimer) {
  VelSoundManager& sound = VelSoundManager::GetInstance();
  const float3 position = world.Translation();
  if (!fired) {
    fired = true;
    shotTimer = kShotInterval;
    scene.enemyShots->AddBullet(position, EnemyShots::kNormalBullet);
    scene.enemyShots->AddFlash(world, EnemyShots::kNormalFlash);
    sound.Play3D("Data/Sound/enemyBullet.wav", position, false);
  }
  --shotTimer;
  if (!chargeShown) {
    chargeShown = true;
    scene.effects->AddEffect(position, chargeKind);
    sound.Play3D("Data/Sound/powerCharge.wav", position, false);
  }
  if (shotTimer < 1) {
    fired = false;
    chargeShown = false;
  }
}
