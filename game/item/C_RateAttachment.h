#pragma once

#include "game/item/C_Item.h"

// Shortens the shot interval and the wait after a charged shot.
class C_RateAttachment : public C_Item {
 public:
  explicit C_RateAttachment(const float3& position);
  bool Update(GameScene* scene) override;
  const char* ClassName() const override { return "C_RateAttachment"; }
};
