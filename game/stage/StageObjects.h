#pragma once

#include <array>
#include <memory>

#include "framework/VelMath.h"
#include "framework/VelModel.h"
#include "game/stage/Airplane.h"
#include "game/stage/BossDoor.h"
#include "game/stage/Door.h"
#include "game/stage/Stage.h"

class GameScene;

// One solid part of the world: a model and the world matrix it is placed by.
struct CollisionPart {
  const VelModel* model;
  const float4x4* world;
};

// The static world of a play-through: stage, airplane, door and boss doors.
class StageObjects {
 public:
  static constexpr int kCollisionParts = 5;

  explicit StageObjects(GameScene* scene);
  ~StageObjects();
  void Update();
  void Draw();

  // The solid parts, always in this order: stage, airplane hull, door, left
  // boss door, right boss door. The pointers follow the doors as they move.
  std::array<CollisionPart, kCollisionParts> CollisionSet() const;
  const VelModel& StageModel() const { return stage->model; }
  const float4x4& StageWorld() const { return stage->world; }

  GameScene* scene;
  std::unique_ptr<Stage> stage;
  std::unique_ptr<Airplane> airplane;
  std::unique_ptr<Door> door;
  std::unique_ptr<BossDoor> bossDoor;
};
