#include "game/player/Gun.h"

#include <algorithm>

#include "framework/VelCollision.h"
#include "framework/VelShaderManager.h"
#include "game/player/Player.h"
#include "scene/GameScene.h"

namespace {
constexpr int kRunPoseAt = 60;
}

Gun::Gun(GameScene* scene)
    : scene(scene),
      offset(MatrixTranslation(0.9f, 1.5f, 1.0f)),
      runTarget(MatrixRotationX(20.0f * kDegToRad) * MatrixRotationY(-70.0f * kDegToRad) *
                MatrixTranslation(-1.0f, -1.0f, 1.0f)),
      deathTarget(MatrixRotationX(70.0f * kDegToRad) * MatrixRotationY(50.0f * kDegToRad) *
                  MatrixTranslation(0.0f, -0.2f, 0.0f)) {
  model.Load("Data/Player/Gun.gltf");
}

void Gun::Update(float pitch, float yaw) {
  const Player& player = *scene->player;
  translation = MatrixTranslation(player.GetPosition());
  pitchRotation = MatrixRotationX(pitch / 1.25f * kDegToRad);
  yawRotation = MatrixRotationY(yaw * kDegToRad);

  // The gun swings down while running, even while the body is dying.
  runT = std::clamp(runT + (player.GetRunCounter() >= kRunPoseAt ? 0.15f : -0.15f), 0.0f, 1.0f);
  MatrixLerp(runRest, runTarget, runT, runPose);
  if (player.GetHP() <= 0 && player.GetDeathSinkT() >= 1.0f) deathT = std::min(deathT + 0.015f, 1.0f);
  MatrixLerp(deathRest, deathTarget, deathT, deathPose);

  world = runPose * offset * deathPose * pitchRotation * yawRotation * translation;
}

void Gun::Draw() {
  VelShaderManager& shaders = VelShaderManager::GetInstance();
  shaders.modelWorld = world;
  shaders.DrawModel(model);
}
