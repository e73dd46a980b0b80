#include "game/player/C_Bullet.h"

#include "framework/VelCollision.h"
#include "framework/VelSoundManager.h"
#include "game/effect/C_EffectManager.h"
#include "game/enemy/C_EnemyBullet.h"
#include "game/enemy/EnemyManager.h"
#include "game/player/BillboardQuad.h"
#include "game/player/Gun.h"
#include "game/player/Player.h"
#include "game/stage/StageObjects.h"
#include "scene/Camera.h"
#include "scene/GameScene.h"

namespace {
constexpr float kRange = 115.0f;
constexpr float kSpeed = 3.0f;
constexpr float kSoundVolume = 0.3f;
constexpr char kEnemyHitSound[] = "Data/Sound/bulletDmg.wav";

void Play(const char* file) {
  VelSoundManager::GetInstance().Play(file, kSoundVolume);
}
}  // namespace

C_Bullet::C_Bullet(GameScene* scene, const char* textureFile, float halfSize, float radius, int damage)
    : radius(radius), damage(damage), range(kRange) {
  const float4x4& gun = scene->gun->GetWorld();
  position = gun.Translation();
  velocity = gun.Row(2);
  aimOrigin = scene->camera->GetEye();
  aimDirection = scene->camera->GetViewDirection();
  CreateBillboardQuad(vertexBuffer, halfSize);
  texture.Load(textureFile);
}

C_Bullet::~C_Bullet() {
  vertexBuffer.Release();
  texture.Release();
}

bool C_Bullet::Update(GameScene*) {
  return true;
}

void C_Bullet::Draw() {
  DrawBillboardQuad(vertexBuffer, texture, world);
}

void C_Bullet::SteerToward(float distance) {
  const float3 target = aimOrigin + aimDirection * distance;
  velocity = Normalize(target - position) * kSpeed;
}

bool C_Bullet::Fly(GameScene* scene, const Kind& kind) {
  C_EffectManager& effects = *scene->effects;
  position += velocity;
  world = CameraFacingRotation() * MatrixTranslation(position);
  const float3 centre = world.Translation();

  if (Distance(centre, scene->player->GetPosition()) >= range) {
    effects.AddEffect(position, kind.lostEffect);
    return false;
  }

  float distance = 0.0f;
  float3 normal{};
  if (RayToModel(scene->stage->StageModel(), scene->stage->StageWorld(), aimOrigin, aimDirection, distance,
                 normal)) {
    SteerToward(distance);
  }

  // Every enemy the aim ray touches steers the bullet in turn, so the last one
  // in list order decides, near or far; the first one touched takes the hit.
  for (const std::unique_ptr<C_Enemy>& enemy : scene->enemies->enemies) {
    if (RayToModel(enemy->GetModel(), enemy->GetMatrix(), aimOrigin, aimDirection, distance, normal)) {
      SteerToward(distance);
    }
    if (!SpheresOverlap(enemy->GetMatrix().Translation(), enemy->GetRadius(), centre, radius)) continue;
    const int hp = enemy->GetHp() - damage;
    enemy->SetHp(hp);
    enemy->SetColor(kind.hitColor.x, kind.hitColor.y, kind.hitColor.z, kind.hitColor.w);
    if (hp < enemy->GetMaxHp() / 2) {
      enemy->SetColor(kind.belowHalfColor.x, kind.belowHalfColor.y, kind.belowHalfColor.z,
                      kind.belowHalfColor.w);
    }
    Play(kEnemyHitSound);
    effects.AddEffect(position, kind.hitEffect);
    effects.AddDamageLog(kind.hitNumber);
    return false;
  }

  for (const std::unique_ptr<C_Shield>& shield : scene->enemies->shields) {
    if (!SpheresOverlap(shield->GetMatrix().Translation(), shield->GetRadius(), centre, radius)) continue;
    if (kind.hurtsShields) {
      shield->SetHp(shield->GetHp() - damage);
      shield->AddOpacity(-0.7f);
      Play("Data/Sound/hitChargeBullet.wav");
      Play("Data/Sound/DamageShield.wav");
    } else {
      Play("Data/Sound/Flip.wav");
    }
    effects.AddEffect(position, kind.shieldEffect);
    effects.AddDamageLog(kind.shieldNumber);
    return false;
  }

  for (const CollisionPart& part : scene->stage->CollisionSet()) {
    float3 scratch{};
    if (!RayPushOut(*part.model, *part.world, centre, velocity, distance, scratch)) continue;
    Play(kind.surfaceSound);
    effects.AddEffect(position, kind.hitEffect);
    return false;
  }
  return true;
}
