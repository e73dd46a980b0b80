#include "game/enemy/C_DoomShield.h"

#include "framework/VelSoundManager.h"

namespace {
constexpr float kFullOpacity = 0.8f;
}

C_DoomShield::C_DoomShield() {
  model.Load("Data/Enemy/DoomShield.gltf");
  hp = 30;
  maxHp = 30;
  radius = 14.0f;
}

bool C_DoomShield::Update(const float3& position) {
  if (!broken) {
    opacity += 0.03f;
    if (opacity >= kFullOpacity) opacity = kFullOpacity;
  }
  world = MatrixTranslation(0.0f, -4.5f, 0.0f) * MatrixTranslation(position);
  if (hp < 1 && !broken) {
    broken = true;
    VelSoundManager::GetInstance().Play3D("Data/Sound/breakShield.wav", world.Translation(), false);
  }
  if (broken) {
    opacity -= 0.01f;
    if (opacity <= 0.0f) return false;
  }
  return true;
}
