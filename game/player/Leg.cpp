#include "game/player/Leg.h"

#include <algorithm>
#include <cmath>

#include "framework/VelCollision.h"
#include "framework/VelShaderManager.h"
#include "game/player/Player.h"
#include "platform/Platform.h"
#include "scene/GameScene.h"

namespace {
constexpr int kRunPoseAt = 60;
constexpr float kWalkPhaseStep = 6.5f;
constexpr float kRunPhaseExtra = 3.5f;
constexpr float kSwingReturn = 0.06f;
constexpr float kJumpBlendStep = 0.05f;
}  // namespace

Leg::Leg(GameScene* scene, Side side)
    : scene(scene),
      side(side),
      offset(side == Side::Right ? MatrixTranslation(0.27f, -0.4f, 0.0f)
                                 : MatrixTranslation(-0.35f, -0.4f, 0.0f)),
      jumpTarget(MatrixRotationX(65.0f * kDegToRad)),
      deathTarget(MatrixRotationX(80.0f * kDegToRad) * MatrixTranslation(0.0f, 0.1f, 0.35f)) {
  model.Load("Data/Player/Leg.gltf");
}

void Leg::Update(float yaw) {
  const Player& player = *scene->player;
  Platform& sys = Sys();
  translation = MatrixTranslation(player.GetPosition());
  yawRotation = MatrixRotationY(yaw * kDegToRad);

  walking = sys.IsKeyDown(Key::W) || sys.IsKeyDown(Key::S) || sys.IsKeyDown(Key::A) || sys.IsKeyDown(Key::D);
  // Only a jump from standing kicks the legs.
  if (sys.IsKeyDown(Key::Space) && !walking && jumpBlend == 0.0f && !jumpActive) jumpActive = true;

  if (walking) {
    float step = kWalkPhaseStep + (player.GetRunCounter() >= kRunPoseAt ? kRunPhaseExtra : 0.0f);
    phase += side == Side::Right ? step : -step;
    if (phase > 360.0f) phase -= 360.0f;
    if (phase < -360.0f) phase += 360.0f;
    swing = std::sin(phase * kDegToRad);
  } else {
    phase = 0.0f;
    if (swing > 0.0f) {
      swing = std::max(swing - kSwingReturn, 0.0f);
    } else if (swing < 0.0f) {
      swing = std::min(swing + kSwingReturn, 0.0f);
    }
  }
  // The swing is used directly as an angle in radians.
  swingRotation = MatrixRotationX(swing);

  if (jumpActive && !jumpPeak) {
    jumpBlend += kJumpBlendStep;
    if (jumpBlend >= 1.0f) {
      jumpBlend = 1.0f;
      jumpPeak = true;
    }
  }
  if (jumpPeak) {
    jumpBlend -= kJumpBlendStep;
    if (jumpBlend <= 0.0f) {
      jumpBlend = 0.0f;
      jumpActive = false;
      jumpPeak = false;
    }
  }
  MatrixLerp(jumpRest, jumpTarget, jumpBlend, jumpPose);

  if (player.GetHP() < 1) deathT = std::min(deathT + 0.03f, 1.0f);
  MatrixLerp(deathRest, deathTarget, deathT, deathPose);

  world = offset * jumpPose * swingRotation * deathPose * yawRotation * translation;
  walking = false;
}

void Leg::Draw() {
  const float4& tint = scene->player->GetTint();
  VelShaderManager& shaders = VelShaderManager::GetInstance();
  shaders.modelWorld = world;
  shaders.DrawModelEmissive(model, tint.x, tint.y, tint.z);
}
