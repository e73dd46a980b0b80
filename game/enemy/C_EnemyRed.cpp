#include "game/enemy/C_EnemyRed.h"

#include "framework/VelSoundManager.h"
#include "game/enemy/C_SnipeState.h"
#include "game/enemy/EnemyManager.h"
#include "game/enemy/EnemySteering.h"
#include "scene/GameScene.h"

C_EnemyRed::C_EnemyRed(const float3& position) : C_Enemy(position), state(std::make_unique<C_SnipeState>()) {
  model.Load("Data/Enemy/EnemyRed.gltf");
  hp = 14;
  maxHp = 14;
  power = 4;
  radius = 3.5f;
}

C_EnemyRed::~C_EnemyRed() = default;

bool C_EnemyRed::Update(GameScene* scene) {
  if (!BeginUpdate(scene)) return false;
  CollideWithStage(scene, {StagePart::Stage, StagePart::LeftBossDoor, StagePart::RightBossDoor});
  if (auto next = state->Update(scene, world, hp, maxHp)) state = std::move(next);
  if (hp <= maxHp / 2) {
    if (!shieldDeployed) {
      shieldDeployed = true;
      scene->enemies->AddShield();
      VelSoundManager::GetInstance().Play3D("Data/Sound/DeployShield.wav", GetPosition(), false);
    }
    scene->enemies->UpdateShields(GetPosition());
  }
  return true;
}
