#include "game/player/C_PlayerBullet.h"

#include "game/effect/C_EffectManager.h"

namespace {
const C_Bullet::Kind kNormal{
    EffectKind::PlayerBulletLost,
    EffectKind::HitBullet,
    {0.5f, 0.0f, 0.5f, 0.8f},
    {0.8f, 0.2f, 0.2f, 0.8f},
    10,
    false,
    EffectKind::HitBullet,
    0,
    "Data/Sound/hitBullet.wav",
};
}  // namespace

C_PlayerBullet::C_PlayerBullet(GameScene* scene)
    : C_Bullet(scene, "Data/Player/Bullet.png", 0.25f, 0.5f, 1) {}

bool C_PlayerBullet::Update(GameScene* scene) {
  return Fly(scene, kNormal);
}
