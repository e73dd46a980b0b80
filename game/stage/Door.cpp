#include "game/stage/Door.h"

#include "framework/VelShaderManager.h"
#include "framework/VelSoundManager.h"
#include "scene/GameScene.h"

namespace {
constexpr int kOpenAtKills = 4;
constexpr float kOpenHeight = 40.0f;
}  // namespace

Door::Door(GameScene* scene) : scene(scene), step(MatrixTranslation(0.0f, 0.25f, 0.0f)) {
  model.Load("Data/Ground/Door.gltf");
}

void Door::Update() {
  if (scene->killCount < kOpenAtKills) return;
  world = step * world;
  VelSoundManager& sound = VelSoundManager::GetInstance();
  if (!openSoundPlayed) {
    openSoundPlayed = true;
    sound.Play3D("Data/Sound/openDoor.wav", world.Translation(), false);
  }
  if (world.m[3][1] >= kOpenHeight) {
    world.m[3][1] = kOpenHeight;
    if (!stopSoundPlayed) {
      stopSoundPlayed = true;
      sound.Play3D("Data/Sound/stopDoor.wav", world.Translation(), false);
    }
  }
}

void Door::Draw() {
  VelShaderManager& shaders = VelShaderManager::GetInstance();
  shaders.modelWorld = world;
  shaders.DrawModel(model);
}
