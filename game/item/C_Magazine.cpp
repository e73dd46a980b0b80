#include "game/item/C_Magazine.h"

#include "game/player/Player.h"
#include "scene/GameScene.h"

C_Magazine::C_Magazine(const float3& position) : C_Item(position) {
  model.Load("Data/Item/Magazine.gltf");
}

bool C_Magazine::Update(GameScene* scene) {
  if (!SpinAndTouch(*scene)) return true;
  PlayPickupSound("Data/Sound/Magazine.wav");
  if (scene->hud) scene->hud->CollectMagazine();
  scene->player->SetMagazine(45, 45);
  return false;
}
