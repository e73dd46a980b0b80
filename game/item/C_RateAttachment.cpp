#include "game/item/C_RateAttachment.h"

#include "game/player/Player.h"
#include "scene/GameScene.h"

C_RateAttachment::C_RateAttachment(const float3& position) : C_Item(position) {
  model.Load("Data/Item/ModelGun.gltf");
}

bool C_RateAttachment::Update(GameScene* scene) {
  if (!SpinAndTouch(*scene)) return true;
  PlayPickupSound("Data/Sound/Attachment.wav");
  if (scene->hud) scene->hud->CollectAttachment();
  scene->player->SetFireInterval(8);
  scene->player->SetChargeCooldownLength(120);
  return false;
}
