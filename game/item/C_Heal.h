#pragma once

#include "game/item/C_Item.h"

// Restores the player's health to its maximum.
class C_Heal : public C_Item {
 public:
  explicit C_Heal(const float3& position);
  bool Update(GameScene* scene) override;
  const char* ClassName() const override { return "C_Heal"; }
};
