#include "game/stage/BossDoor.h"

#include "framework/VelShaderManager.h"
#include "framework/VelSoundManager.h"
#include "scene/GameScene.h"

namespace {
constexpr int kOpenAtKills = 16;
constexpr float kOpenX = 40.0f;
}  // namespace

BossDoor::BossDoor(GameScene* scene)
    : scene(scene),
      soundPlace(MatrixTranslation(0.0f, 0.0f, 475.0f)),
      leftStep(MatrixTranslation(-0.25f, 0.0f, 0.0f)),
      rightStep(MatrixTranslation(0.25f, 0.0f, 0.0f)) {
  leftModel.Load("Data/Ground/LeftBossDoor.gltf");
  rightModel.Load("Data/Ground/RightBossDoor.gltf");
}

void BossDoor::Update() {
  if (scene->killCount < kOpenAtKills) return;
  leftWorld = leftStep * leftWorld;
  rightWorld = rightStep * rightWorld;
  VelSoundManager& sound = VelSoundManager::GetInstance();
  if (!openSoundPlayed) {
    openSoundPlayed = true;
    sound.Play3D("Data/Sound/openDoor.wav", soundPlace.Translation(), false);
  }
  if (leftWorld.m[3][0] <= -kOpenX && rightWorld.m[3][0] >= kOpenX) {
    leftWorld.m[3][0] = -kOpenX;
    rightWorld.m[3][0] = kOpenX;
    if (!stopSoundPlayed) {
      stopSoundPlayed = true;
      sound.Play3D("Data/Sound/stopDoor.wav", soundPlace.Translation(), false);
    }
  }
}

void BossDoor::Draw() {
  VelShaderManager& shaders = VelShaderManager::GetInstance();
  shaders.modelWorld = leftWorld;
  shaders.DrawModel(leftModel);
  shaders.modelWorld = rightWorld;
  shaders.DrawModel(rightModel);
}
