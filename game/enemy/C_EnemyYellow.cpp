#include "game/enemy/C_EnemyYellow.h"

#include "game/enemy/C_ScoutState.h"
#include "game/enemy/EnemySteering.h"

C_EnemyYellow::C_EnemyYellow(const float3& position)
    : C_Enemy(position), state(std::make_unique<C_ScoutState>()) {
  model.Load("Data/Enemy/EnemyYellow.gltf");
  hp = 8;
  maxHp = 8;
  // As the blue enemy: touching a turret hurts as much as a melee enemy's touch.
  power = 2;
  radius = 3.0f;
}

C_EnemyYellow::~C_EnemyYellow() = default;

bool C_EnemyYellow::Update(GameScene* scene) {
  if (!BeginUpdate(scene)) return false;
  // It only settles onto the floor; walls never touch a turret.
  CollideWithStage(scene, {});
  if (auto next = state->Update(scene, world, hp, maxHp)) state = std::move(next);
  return true;
}
