#include "game/player/Hand.h"

#include <algorithm>

#include "framework/VelCollision.h"
#include "framework/VelShaderManager.h"
#include "game/player/Player.h"
#include "scene/GameScene.h"

namespace {
constexpr int kRunPoseAt = 60;

float4x4 OffsetOf(Hand::Kind kind) {
  if (kind == Hand::Kind::Gun) return MatrixTranslation(0.9f, 1.6f, -0.75f);
  return MatrixRotationX(10.0f * kDegToRad) * MatrixRotationZ(20.0f * kDegToRad) *
         MatrixTranslation(-0.8f, 1.6f, -0.5f);
}
}  // namespace

Hand::Hand(GameScene* scene, Kind kind)
    : scene(scene),
      kind(kind),
      offset(OffsetOf(kind)),
      runTarget(MatrixRotationZ(40.0f * kDegToRad) * MatrixRotationY(-50.0f * kDegToRad) *
                MatrixTranslation(0.0f, 0.0f, 0.2f)),
      deathTarget(MatrixRotationX(70.0f * kDegToRad) * MatrixTranslation(0.0f, -0.2f, 0.0f)) {
  model.Load("Data/Player/Hand.gltf");
}

void Hand::Update(float pitch, float yaw) {
  const Player& player = *scene->player;
  translation = MatrixTranslation(player.GetPosition());
  yawRotation = MatrixRotationY(yaw * kDegToRad);

  bool dying = player.GetHP() <= 0;
  if (dying && player.GetDeathSinkT() >= 1.0f) deathT = std::min(deathT + 0.01f, 1.0f);
  MatrixLerp(deathRest, deathTarget, deathT, deathPose);

  if (kind == Kind::Free) {
    world = offset * deathPose * yawRotation * translation;
    return;
  }

  pitchRotation = MatrixRotationX(pitch / 1.5f * kDegToRad);
  // Unlike the gun, the hand's run pose freezes once the body is dying.
  if (!dying) runT = std::clamp(runT + (player.GetRunCounter() >= kRunPoseAt ? 0.15f : -0.15f), 0.0f, 1.0f);
  MatrixLerp(runRest, runTarget, runT, runPose);
  world = runPose * offset * deathPose * pitchRotation * yawRotation * translation;
}

void Hand::Draw() {
  const float4& tint = scene->player->GetTint();
  VelShaderManager& shaders = VelShaderManager::GetInstance();
  shaders.modelWorld = world;
  shaders.DrawModelEmissive(model, tint.x, tint.y, tint.z);
}
