#include "game/player/Player.h"

#include "framework/VelCollision.h"
#include "framework/VelShaderManager.h"
#include "framework/VelSoundManager.h"
#include "game/effect/C_EffectManager.h"
#include "game/player/PlayerShots.h"
#include "game/stage/StageObjects.h"
#include "scene/GameScene.h"

namespace {
constexpr float kLookDivisor = 12.0f;  // cursor pixels per degree
constexpr float kMaxPitchDown = 35.0f;
constexpr float kMaxPitchUp = -40.0f;
constexpr float kJumpSpeed = 0.85f;
constexpr float kGravity = 0.05f;
constexpr int kRunAfterFrames = 60;
constexpr float kRunBonus = 0.4f;
constexpr float kRunStepOffset = -12.5f;
constexpr float kStepInterval = 30.0f;
constexpr int kInvulnerableFrames = 60;
// How close walking lets the body come to a wall or a door.
constexpr float kWallDistance = 3.0f;
constexpr float kSoundVolume = 0.3f;
constexpr float kStepVolume = 0.6f;
constexpr float kWalkSpeed = 0.5f;
constexpr float kChargeWalkSpeed = 0.25f;
const float4 kNoTint{0.0f, 0.0f, 0.0f, 1.0f};
const float4 kHitTint{0.6f, 0.0f, 0.4f, 1.0f};
const float4 kDyingTint{3.0f, 0.0f, 0.0f, 1.0f};

bool Down(int key) {
  return Sys().IsKeyDown(key);
}

// A shove from an enemy stops where walking would, 3 units in front of a
// wall or a door, rather than carrying the body into it.
float3 StopShoveAtWalls(const GameScene& scene, const float3& position, float3 shove) {
  const float length = Length(shove);
  if (length <= 0.0f) return shove;
  const float3 direction = shove / length;
  for (const CollisionPart& part : scene.stage->CollisionSet()) {
    float distance = 0.0f;
    float3 normal;
    if (!RayToModel(*part.model, *part.world, position, direction, distance, normal)) continue;
    const float facing = Dot(-direction, normal);
    if (facing <= 0.0f) continue;
    // The room the shove leaves in front of the surface, measured as walking
    // measures it.
    const float room = (distance - Dot(shove, direction)) * facing;
    if (room < kWallDistance) shove += normal * (kWallDistance - room);
  }
  return shove;
}
}  // namespace

Player::Player(GameScene* scene)
    : scene(scene),
      deathSinkTo(MatrixTranslation(0.0f, -0.1f, 0.0f)),
      deathFallTo(MatrixRotationX(70.0f * kDegToRad) * MatrixTranslation(0.0f, -0.2f, 0.0f)) {
  model.Load("Data/Player/Player.gltf");
  screenCentre = Sys().ClientToScreen(screenCentre);
  Sys().SetCursorPos(screenCentre);
}

void Player::Update() {
  if (hp > 0) {
    Look();
    FireAndCharge();
    CountDownAndReload();
    FallAndLand();
    KeepInBounds();
    Move();
  }

  translation = MatrixTranslation(position);
  yawRotation = MatrixRotationY(yaw * kDegToRad);
  world = deathSink * deathFall * yawRotation * translation;

  TouchEnemies(scene->EnemyBodies());
  const int hitBullet = TouchBullets(scene->EnemyBulletBodies());
  if (hitBullet >= 0) scene->enemyShots->RemoveBullet(static_cast<size_t>(hitBullet));

  CountDamageCooldown();
  if (hp <= 0) Die();
}

void Player::Draw() {
  VelShaderManager& shaders = VelShaderManager::GetInstance();
  shaders.modelWorld = world;
  shaders.DrawModelEmissive(model, tint.x, tint.y, tint.z);
}

void Player::Look() {
  PlatformPoint cursor = Sys().GetCursorPos();
  yaw += static_cast<float>(cursor.x - screenCentre.x) / kLookDivisor;
  pitch += static_cast<float>(cursor.y - screenCentre.y) / kLookDivisor;
  if (pitch >= kMaxPitchDown) {
    pitch = kMaxPitchDown;
  } else if (pitch <= kMaxPitchUp) {
    pitch = kMaxPitchUp;
  }
  Sys().SetCursorPos(screenCentre);
}

void Player::FireAndCharge() {
  if (running || reloading) return;
  VelSoundManager& sound = VelSoundManager::GetInstance();
  if (Down(Key::LButton) && !fireCooldownActive && !charging && ammo > 0) {
    fireCooldownActive = true;
    fireCooldown = fireInterval;
    PlayerShots& shots = *scene->playerShots;
    shots.Spawn(PlayerShots::kBullet);
    shots.Spawn(PlayerShots::kMuzzleFlash);
    shots.Spawn(PlayerShots::kBarrelFlash);
    sound.Play("Data/Sound/playerBullet.wav", kSoundVolume);
    --ammo;
  }

  // Holding the button slows the walk even while the cooldown keeps a new
  // charge from starting; the glow counts the charge and fires the shot.
  if (Down(Key::RButton)) {
    baseSpeed = kChargeWalkSpeed;
    if (!charging && !chargeCooldownActive) {
      charging = true;
      scene->effects->AddEffect(EffectKind::EnergyCharge);
      scene->effects->AddEffect(EffectKind::BulletCharge);
      sound.Play("Data/Sound/EnergyCharge.wav", kSoundVolume);
    }
  } else {
    charging = false;
    baseSpeed = kWalkSpeed;
  }
}

void Player::CountDownAndReload() {
  VelSoundManager& sound = VelSoundManager::GetInstance();
  // Counted after the button was read: holding it fires every fireInterval frames.
  if (--fireCooldown <= 0) {
    fireCooldown = 0;
    fireCooldownActive = false;
  }

  if (chargeCooldownActive && --chargeCooldown <= 0) {
    chargeCooldown = 0;
    charging = false;
    chargeCooldownActive = false;
    scene->hudIndicators.SwitchChargeCooldown(false);
  }

  // One click per empty magazine; a reload re-arms it.
  if (ammo <= 0) {
    ammo = 0;
    if ((Down(Key::LButton) || Down(Key::RButton)) && !blankPlayed) {
      blankPlayed = true;
      sound.Play("Data/Sound/blankGun.wav", kSoundVolume);
    }
  }

  // The reload counts down only while R is up, and refills the whole magazine
  // at its end.
  if (Down(Key::R)) {
    if (!reloading && ammo < magazineCapacity) {
      reloadCounter = reloadTime;
      blankPlayed = false;
      reloading = true;
      reloadFinished = false;
      scene->hudIndicators.SwitchReload(true);
      sound.Play("Data/Sound/reload.wav", kSoundVolume);
    }
  } else if (--reloadCounter <= 0) {
    reloadCounter = 0;
    reloading = false;
    scene->hudIndicators.SwitchReload(false);
    if (!reloadFinished) {
      reloadFinished = true;
      ammo = magazineCapacity;
      sound.Play("Data/Sound/FinishReload.wav", kSoundVolume);
    }
  }
}

void Player::StartChargeCooldown() {
  chargeCooldown = chargeCooldownLength;
  scene->hudIndicators.SwitchChargeCooldown(true);
  chargeCooldownActive = true;
}

void Player::FallAndLand() {
  VelSoundManager& sound = VelSoundManager::GetInstance();
  const VelModel& ground = scene->stage->StageModel();
  const float4x4& groundWorld = scene->stage->StageWorld();
  float distance = 0.0f;

  // The ground keeps the body centre 3 units above the surface.
  float3 push{};
  if (RayPushOut(ground, groundWorld, position, -world.Row(1), distance, push)) {
    position += push;
    verticalSpeed = 0.0f;
    jumping = false;
    if (!landed) {
      landed = true;
      sound.Play("Data/Sound/Land.wav", kSoundVolume);
    }
  }

  if (Down(Key::Space) && !jumping) {
    jumping = true;
    landed = false;
    verticalSpeed = kJumpSpeed;
    sound.Play("Data/Sound/Jump.wav", kSoundVolume);
  }

  position.y += verticalSpeed;
  verticalSpeed -= kGravity;

  // The ceiling test reuses the ground's push vector without clearing it, so a
  // frame that touches both adds the ground correction again.
  if (RayPushOut(ground, groundWorld, position, world.Row(1), distance, push)) position += push;
}

void Player::KeepInBounds() {
  if (position.x <= -187.0f) {
    position.x = -187.0f;
  } else if (position.x >= 180.0f) {
    position.x = 180.0f;
  }
  if (position.z <= -287.0f) position.z = -287.0f;
}

void Player::Move() {
  struct Direction {
    int key;
    float3 local;
  };
  static const Direction kDirections[] = {{Key::W, {0.0f, 0.0f, 1.0f}},
                                          {Key::A, {-1.0f, 0.0f, 0.0f}},
                                          {Key::S, {0.0f, 0.0f, -1.0f}},
                                          {Key::D, {1.0f, 0.0f, 0.0f}}};
  float4x4 turn = MatrixRotationY(yaw * kDegToRad);
  float3 m{};
  for (const Direction& d : kDirections) {
    if (!Down(d.key)) continue;
    moving = true;
    m += TransformNormal(d.local, turn);
  }

  if (Down(Key::W)) {
    if (!fireCooldownActive && !charging && !reloading) ++runCounter;
    if (runCounter >= kRunAfterFrames && !running) {
      running = true;
      runCounter = kRunAfterFrames;
      runBonus = kRunBonus;
      stepIntervalOffset = kRunStepOffset;
    }
  } else {
    running = false;
    runBonus = 0.0f;
    runCounter = 0;
    stepIntervalOffset = 0.0f;
  }

  if ((m.x == 0.0f && m.y == 0.0f && m.z == 0.0f) || !moving) return;

  if (!stepSoundActive) {
    stepTimer = stepIntervalOffset + kStepInterval;
    stepSoundActive = true;
    VelSoundManager::GetInstance().Play("Data/Sound/walk.wav", kStepVolume);
  }
  stepTimer -= 1.0f;
  if (stepTimer <= 0.0f) stepSoundActive = false;

  m = Normalize(m) * (runBonus + baseSpeed);
  position += m;

  // One push vector across all five parts: a frame touching two parts adds
  // the first correction again with the second.
  float3 push{};
  float distance = 0.0f;
  for (const CollisionPart& part : scene->stage->CollisionSet()) {
    if (RayPushOut(*part.model, *part.world, position, m, distance, push)) position += push;
  }
}

void Player::TouchEnemies(const std::vector<ContactBody>& enemies) {
  for (const ContactBody& enemy : enemies) {
    float3 push = SphereSeparation(world.Translation(), radius, enemy.position, enemy.radius);
    if (!SpheresOverlap(enemy.position, enemy.radius, position, radius)) continue;
    push = StopShoveAtWalls(*scene, position, push);
    position += push;
    world.SetTranslation(world.Translation() + push);
    if (damageCooldown <= 0) {
      hp -= enemy.power;
      damageCooldown = kInvulnerableFrames;
      VelSoundManager::GetInstance().Play("Data/Sound/collisionDmg.wav", kSoundVolume);
      tint = kHitTint;
      return;
    }
  }
}

int Player::TouchBullets(const std::vector<ContactBody>& bullets) {
  for (size_t i = 0; i < bullets.size(); ++i) {
    const ContactBody& bullet = bullets[i];
    if (!SpheresOverlap(position, radius, bullet.position, bullet.radius) || damageCooldown > 0) continue;
    hp -= bullet.power;
    damageCooldown = kInvulnerableFrames;
    VelSoundManager& sound = VelSoundManager::GetInstance();
    sound.Play("Data/Sound/bulletDmg.wav", kSoundVolume);
    sound.Play("Data/Sound/hitEnemyBullet.wav", kSoundVolume);
    tint = kHitTint;
    return static_cast<int>(i);
  }
  return -1;
}

void Player::CountDamageCooldown() {
  --damageCooldown;
  if (damageCooldown <= 0) {
    damageCooldown = 0;
    tint = kNoTint;
  }
}

void Player::Die() {
  if (pitch > 0.0f) {
    pitch = pitch - 1.0f < 0.0f ? 0.0f : pitch - 1.0f;
  } else if (pitch < 0.0f) {
    pitch = pitch + 1.0f > 0.0f ? 0.0f : pitch + 1.0f;
  }
  hp = 0;
  tint = kDyingTint;

  // Sink first, then tip over; the body is dead once it lies still.
  if (deathSinkT < 1.0f) {
    deathSinkT += 0.02f;
    if (deathSinkT >= 1.0f) deathSinkT = 1.0f;
  }
  if (deathSinkT >= 1.0f) {
    deathFallT += 0.01f;
    if (deathFallT >= 1.0f) {
      deathFallT = 1.0f;
      alive = false;
    }
  }
  MatrixLerp(deathSinkFrom, deathSinkTo, deathSinkT, deathSink);
  MatrixLerp(deathFallFrom, deathFallTo, deathFallT, deathFall);
}
