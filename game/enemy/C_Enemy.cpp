#include "game/enemy/C_Enemy.h"

#include "framework/VelCollision.h"
#include "framework/VelShaderManager.h"
#include "framework/VelSoundManager.h"
#include "game/effect/C_EffectManager.h"
#include "game/enemy/EnemySteering.h"
#include "game/stage/StageObjects.h"
#include "scene/GameScene.h"

C_Enemy::C_Enemy(const float3& position) {
  world.SetTranslation(position);
}

C_Enemy::~C_Enemy() = default;

bool C_Enemy::Update(GameScene*) {
  return true;
}

void C_Enemy::Draw() {
  VelShaderManager& shaders = VelShaderManager::GetInstance();
  shaders.modelWorld = world;
  shaders.DrawModelEmissive(model, tint.x, tint.y, tint.z);
}

const VelModel& C_Enemy::GetModel() const {
  return model;
}
const float4x4& C_Enemy::GetMatrix() const {
  return world;
}
int C_Enemy::GetHp() const {
  return hp;
}
int C_Enemy::GetMaxHp() const {
  return maxHp;
}
void C_Enemy::SetHp(int value) {
  hp = value;
}
float C_Enemy::GetRadius() const {
  return radius;
}
int C_Enemy::GetPower() const {
  return power;
}
void C_Enemy::SetColor(float r, float g, float b, float a) {
  tint = {r, g, b, a};
}
void C_Enemy::Move(const float3& offset) {
  world = world * MatrixTranslation(offset);
}

bool C_Enemy::BeginUpdate(GameScene* scene) {
  if (!spawned) {
    spawned = true;
    scene->effects->AddEffect(GetPosition(), EffectKind::EnemySpawn);
    VelSoundManager::GetInstance().Play3D("Data/Sound/enemySpawn.wav", GetPosition(), false);
  }
  if (hp < 1) return false;
  world = MatrixTranslation(0.0f, -1.0f, 0.0f) * world;
  return true;
}

void C_Enemy::CollideWithStage(GameScene* scene, std::initializer_list<int> forwardParts) {
  const auto parts = scene->stage->CollisionSet();
  float3 push;
  float distance = 0.0f;
  const CollisionPart& floor = parts[StagePart::Stage];
  if (RayPushOut(*floor.model, *floor.world, GetPosition(), -world.Row(1), distance, push)) {
    world.SetTranslation(GetPosition() + push);
  }
  for (int index : forwardParts) {
    const CollisionPart& part = parts[index];
    if (RayPushOut(*part.model, *part.world, GetPosition(), world.Row(2), distance, push)) {
      world.SetTranslation(GetPosition() + push);
    }
  }
}
