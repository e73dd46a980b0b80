#include "game/stage/StageObjects.h"

StageObjects::StageObjects(GameScene* scene)
    : scene(scene),
      stage(std::make_unique<Stage>(scene)),
      airplane(std::make_unique<Airplane>(scene)),
      door(std::make_unique<Door>(scene)),
      bossDoor(std::make_unique<BossDoor>(scene)) {}

StageObjects::~StageObjects() {
  // In the order of creation.
  stage.reset();
  airplane.reset();
  door.reset();
  bossDoor.reset();
}

void StageObjects::Update() {
  door->Update();
  bossDoor->Update();
}

void StageObjects::Draw() {
  stage->Draw();
  airplane->Draw();
  door->Draw();
  bossDoor->Draw();
}

std::array<CollisionPart, StageObjects::kCollisionParts> StageObjects::CollisionSet() const {
  return {{{&stage->model, &stage->world},
           {&airplane->collisionModel, &airplane->world},
           {&door->model, &door->world},
           {&bossDoor->leftModel, &bossDoor->leftWorld},
           {&bossDoor->rightModel, &bossDoor->rightWorld}}};
}
