#include "game/player/C_Charge.h"

#include "game/effect/C_EffectManager.h"

namespace {
const C_Bullet::Kind kCharged{
    EffectKind::ChargeBulletLost,
    EffectKind::HitChargeBullet,
    {0.5f, 0.0f, 0.8f, 0.8f},
    {0.8f, 0.2f, 0.8f, 0.8f},
    100,
    true,
    EffectKind::ShieldDamage,
    100,
    "Data/Sound/hitChargeBullet.wav",
};
}  // namespace

C_Charge::C_Charge(GameScene* scene) : C_Bullet(scene, "Data/Player/chargebullet.png", 1.0f, 1.0f, 6) {}

bool C_Charge::Update(GameScene* scene) {
  return Fly(scene, kCharged);
}
