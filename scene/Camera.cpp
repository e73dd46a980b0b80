#include "scene/Camera.h"

#include <cmath>

#include "framework/VelCollision.h"
#include "framework/VelGraphicsDevice.h"
#include "framework/VelShaderManager.h"
#include "game/player/Player.h"
#include "game/stage/StageObjects.h"
#include "scene/GameScene.h"

namespace {
const float3 kShoulder{2.0f, 4.8f, 0.0f};
constexpr float kBackOff = 10.0f;
constexpr float kBobRise = 0.005f;
constexpr float kWallPullIn = 0.9f;
constexpr float kFieldOfView = kPi / 3.0f;
constexpr float kAspect = 1.7777778f;
constexpr float kNear = 0.01f;
constexpr float kFar = 2500.0f;
}  // namespace

Camera::Camera(GameScene* scene) : scene(scene) {}

void Camera::Update(float pitch) {
  const Player& player = *scene->player;
  if (player.running) {
    if (!bobActive) {
      bobActive = true;
      bobCountdown = player.stepTimer;
    }
    bobOffset.y += kBobRise;
    bobMatrix = MatrixTranslation(bobOffset);
  }
  bobCountdown -= 1.0f;
  if (bobCountdown <= 0.0f) {
    bobActive = false;
    bobOffset.y = 0.0f;
    bobMatrix = MatrixTranslation(bobOffset);
  }
  Aim(pitch, player.world);
}

void Camera::Aim(float pitch, const float4x4& playerWorld) {
  aimed = true;
  pitchMatrix = MatrixRotationX(pitch * kDegToRad);
  playerMatrix = playerWorld;
  cameraMatrix = bobMatrix * pitchMatrix * playerMatrix;

  target = TransformCoord(kShoulder, cameraMatrix);
  eye = target + TransformNormal({0.0f, 0.0f, -kBackOff}, cameraMatrix);
  up = {0.0f, 1.0f, 0.0f};
  float3 toTarget = target - eye;
  float length = Length(toTarget);
  // An infinite length is left to give NaN, as dividing by it does.
  viewDirection = length > 0.0f ? toTarget / length : float3{};

  // Keep the stage from coming between the camera and the player.
  float distance = 0.0f;
  float3 normal{};
  if (RayToModel(scene->stage->StageModel(), scene->stage->StageWorld(), target, -viewDirection, distance,
                 normal) &&
      distance < length) {
    distance *= kWallPullIn;
    eye = target + TransformNormal({0.0f, 0.0f, -distance}, cameraMatrix);
  }
}

void Camera::SetView() {
  VelGraphicsDevice& device = VelGraphicsDevice::GetInstance();
  device.ClearBackBuffer({0.2f, 0.2f, 0.2f, 1.0f});
  device.ClearDepth(1.0f, 0);

  if (!aimed) {
    // The player has not updated its world either: where it stands and faces.
    const Player& player = *scene->player;
    Aim(player.GetPitch(),
        MatrixRotationY(player.GetYaw() * kDegToRad) * MatrixTranslation(player.GetPosition()));
  }
  view = MatrixLookAtLH(eye, target, up);
  VelShaderManager& shaders = VelShaderManager::GetInstance();
  VelCbCamera& camera = shaders.cbCamera.Data();
  camera.g_mV = view;
  camera.g_CamPos = MatrixInverse(view).Translation();
  camera.g_mP = MatrixPerspectiveFovLH(kFieldOfView, kAspect, kNear, kFar);
  shaders.UploadCamera();
}
