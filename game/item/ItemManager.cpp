#include "game/item/ItemManager.h"

#include "framework/VelSoundManager.h"
#include "game/item/C_Heal.h"
#include "game/item/C_Magazine.h"
#include "game/item/C_RateAttachment.h"
#include "scene/GameScene.h"

ItemManager::ItemManager(GameScene* scene) : scene(scene) {}

ItemManager::~ItemManager() = default;

void ItemManager::Update() {
  // The first drop comes with the door, the second with the boss doors.
  if (!magazineDropped && scene->killCount > 3) {
    magazineDropped = true;
    items.push_back(std::make_unique<C_Magazine>(float3{15.0f, 2.5f, -3.5f}));
    Announce(*items.back());
  }
  if (!healDropped && scene->killCount > 15) {
    healDropped = true;
    items.push_back(std::make_unique<C_Heal>(float3{38.5f, 8.0f, 465.5f}));
    Announce(*items.back());
    // Off the main path: found, not announced.
    items.push_back(std::make_unique<C_RateAttachment>(float3{-65.0f, -5.0f, 277.0f}));
  }

  for (size_t i = 0; i < items.size();) {
    if (items[i]->Update(scene)) {
      ++i;
    } else {
      items.erase(items.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
}

void ItemManager::Draw() {
  for (const auto& item : items) item->Draw();
}

void ItemManager::Announce(const C_Item& item) {
  if (scene->effects) {
    scene->effects->AddEffect(item.position, EffectKind::ItemDrop);
    scene->effects->AddEffect(item.position, EffectKind::ItemFlash);
  }
  VelSoundManager::GetInstance().Play3D("Data/Sound/ItemDrop.wav", item.position, false);
}
