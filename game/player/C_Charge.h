#pragma once

#include "game/player/C_Bullet.h"

// The charge shot: six HP off an enemy, and the only shot that hurts a shield.
class C_Charge : public C_Bullet {
 public:
  explicit C_Charge(GameScene* scene);
  bool Update(GameScene* scene) override;
  const char* ClassName() const override { return "C_Charge"; }
};
