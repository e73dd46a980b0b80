#include "game/item/C_Item.h"

#include "framework/VelCollision.h"
#include "framework/VelShaderManager.h"
#include "framework/VelSoundManager.h"
#include "game/player/Player.h"
#include "scene/GameScene.h"

namespace {
constexpr float kSpinPerFrame = 0.08726646f;  // 5 degrees
constexpr float kPickupVolume = 0.3f;
}  // namespace

C_Item::C_Item(const float3& position) : world(MatrixTranslation(position)), position(position) {}

bool C_Item::Update(GameScene*) {
  return true;
}

void C_Item::Draw() {
  VelShaderManager& shaders = VelShaderManager::GetInstance();
  shaders.modelWorld = world;
  shaders.DrawModel(model);
}

bool C_Item::SpinAndTouch(const GameScene& scene) {
  // Spinning before the translation keeps the item on its own spot.
  spin = MatrixRotationY(kSpinPerFrame);
  world = spin * world;
  const Player& player = *scene.player;
  return SpheresOverlap(player.GetPosition(), player.GetRadius(), world.Translation(), radius);
}

void C_Item::PlayPickupSound(const std::string& fileName) {
  if (picked) return;
  picked = true;
  VelSoundManager::GetInstance().Play(fileName, kPickupVolume);
}
