#pragma once

#include <memory>
#include <vector>

#include "game/item/C_Item.h"

class GameScene;

// Drops the items at fixed points when the defeats pass their thresholds and
// keeps them until they are picked up.
class ItemManager {
 public:
  explicit ItemManager(GameScene* scene);
  ~ItemManager();
  // The drops due, then every item in list order; a picked-up item is deleted
  // at once and the one that takes its place is updated in the same pass.
  void Update();
  void Draw();

  GameScene* scene;
  std::vector<std::unique_ptr<C_Item>> items;
  bool magazineDropped = false;
  bool healDropped = false;

 private:
  // The drop's sparkle, flash and sound where the item lies.
  void Announce(const C_Item& item);
};
