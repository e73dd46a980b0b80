#include "game/item/C_Heal.h"

#include "game/player/Player.h"
#include "scene/GameScene.h"

C_Heal::C_Heal(const float3& position) : C_Item(position) {
  model.Load("Data/Item/Heal.gltf");
}

bool C_Heal::Update(GameScene* scene) {
  if (!SpinAndTouch(*scene)) return true;
  if (scene->effects) scene->effects->AddEffect(EffectKind::HealPlayer);
  PlayPickupSound("Data/Sound/heal.wav");
  scene->player->SetHP(20);
  return false;
}
