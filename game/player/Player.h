#pragma once

#include <vector>

#include "framework/VelMath.h"
#include "framework/VelModel.h"
#include "platform/Platform.h"

class GameScene;

// What the player's contact tests need to know of an enemy or an enemy
// bullet: where it is, how big it is and how much a touch hurts.
struct ContactBody {
  float3 position;
  float radius = 0.0f;
  int power = 0;
};

// The body the user steers. It also carries the weapon state, which the gun
// code drives.
class Player {
 public:
  explicit Player(GameScene* scene);
  void Update();
  void Draw();

  const float3& GetPosition() const { return position; }
  float GetYaw() const { return yaw; }
  float GetPitch() const { return pitch; }
  bool IsAlive() const { return alive; }
  int GetHP() const { return hp; }
  int GetMaxHP() const { return maxHp; }
  void SetHP(int value) { hp = value; }
  float GetRadius() const { return radius; }
  int GetRunCounter() const { return runCounter; }
  float GetDeathSinkT() const { return deathSinkT; }
  const float4& GetTint() const { return tint; }

  int GetAmmo() const { return ammo; }
  int GetMagazineCapacity() const { return magazineCapacity; }
  int GetReloadCounter() const { return reloadCounter; }
  int GetReloadTime() const { return reloadTime; }
  int GetChargeCooldown() const { return chargeCooldown; }
  int GetChargeCooldownLength() const { return chargeCooldownLength; }
  void SetMagazine(int capacity, int rounds) {
    magazineCapacity = capacity;
    ammo = rounds;
  }
  void SetFireInterval(int frames) { fireInterval = frames; }
  void SetChargeCooldownLength(int frames) { chargeCooldownLength = frames; }
  // A charge shot has left: no new charge until the cooldown has run out.
  void StartChargeCooldown();

  // Pushes the body out of the enemies it touches, in list order; the first
  // one that can hurt it deals its power and ends the visit.
  void TouchEnemies(const std::vector<ContactBody>& enemies);
  // Returns the index of the bullet that hit (and is used up), or -1. While
  // the body is invulnerable bullets pass through untouched.
  int TouchBullets(const std::vector<ContactBody>& bullets);

  GameScene* scene;
  VelModel model;
  float4x4 world;
  float3 position{0.0f, 0.0f, -240.0f};
  float4x4 translation;
  float4x4 yawRotation;
  bool alive = true;
  float pitch = 0.0f;  // degrees, positive looks down
  float yaw = 0.0f;    // degrees, never wrapped
  float4x4 deathSink;
  float4x4 deathSinkFrom;
  float4x4 deathSinkTo;
  float deathSinkT = 0.0f;
  float4x4 deathFall;
  float4x4 deathFallFrom;
  float4x4 deathFallTo;
  float deathFallT = 0.0f;
  bool moving = false;
  bool stepSoundActive = false;
  float stepTimer = 0.0f;
  float stepIntervalOffset = 0.0f;
  bool running = false;
  float baseSpeed = 0.5f;
  float runBonus = 0.0f;
  int runCounter = 0;
  bool jumping = false;
  bool landed = true;
  float verticalSpeed = 0.0f;
  int hp = 20;
  int maxHp = 20;
  float4 tint{0.0f, 0.0f, 0.0f, 1.0f};
  int damageCooldown = 0;
  float radius = 3.0f;

  bool fireCooldownActive = false;
  int fireCooldown = 0;
  int fireInterval = 12;
  bool charging = false;
  bool chargeCooldownActive = false;
  int chargeCooldown = 0;
  int chargeCooldownLength = 240;
  bool blankPlayed = false;
  bool reloading = false;
  bool reloadFinished = true;
  int reloadCounter = 0;
  int reloadTime = 60;
  int magazineCapacity = 30;
  int ammo = 30;

  PlatformPoint screenCentre{640, 360};

 private:
  void Look();
  void FireAndCharge();
  void CountDownAndReload();
  void FallAndLand();
  void KeepInBounds();
  void Move();
  void CountDamageCooldown();
  void Die();
};
