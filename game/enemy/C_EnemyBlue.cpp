#include "game/enemy/C_EnemyBlue.h"

#include "game/enemy/C_TrackState.h"
#include "game/enemy/C_WalkState.h"
#include "game/enemy/EnemyManager.h"
#include "game/enemy/EnemySteering.h"
#include "scene/GameScene.h"

C_EnemyBlue::C_EnemyBlue(const float3& position) : C_Enemy(position), state(std::make_unique<C_WalkState>()) {
  model.Load("Data/Enemy/EnemyBlue.gltf");
  hp = 8;
  maxHp = 8;
  power = 2;
  radius = 3.0f;
}

C_EnemyBlue::~C_EnemyBlue() = default;

bool C_EnemyBlue::Update(GameScene* scene) {
  if (!spawned && scene->enemies->thirdTrigger.fired) {
    // The last wave goes straight for the player.
    state = std::make_unique<C_TrackState>();
  }
  if (!BeginUpdate(scene)) return false;
  CollideWithStage(scene,
                   {StagePart::Stage, StagePart::Door, StagePart::LeftBossDoor, StagePart::RightBossDoor});
  if (auto next = state->Update(scene, world, hp, maxHp)) state = std::move(next);
  return true;
}
