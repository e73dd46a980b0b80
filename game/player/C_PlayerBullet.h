#pragma once

#include "game/player/C_Bullet.h"

// The normal shot: one HP off an enemy, glancing off shields.
class C_PlayerBullet : public C_Bullet {
 public:
  explicit C_PlayerBullet(GameScene* scene);
  bool Update(GameScene* scene) override;
  const char* ClassName() const override { return "C_PlayerBullet"; }
};
