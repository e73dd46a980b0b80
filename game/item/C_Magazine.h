#pragma once

#include "game/item/C_Item.h"

// Enlarges the magazine to 45 rounds and fills it.
class C_Magazine : public C_Item {
 public:
  explicit C_Magazine(const float3& position);
  bool Update(GameScene* scene) override;
  const char* ClassName() const override { return "C_Magazine"; }
};
