#pragma once

#include "SoundBuffer.h"

// The game's sound effects and jingles, 44.1 kHz. Levels are set for the volumes the
// game plays them at: most peak at -1 dBFS; footsteps, jumps and landings, which the
// game plays louder or far more often, sit lower.
namespace effect_sounds {

constexpr int kRate = 44100;

// Weapon
SoundBuffer PlayerBullet();
SoundBuffer BlankGun();
SoundBuffer Reload();
SoundBuffer FinishReload();
SoundBuffer EnergyCharge();
SoundBuffer StayCharge();  // seamless loop
SoundBuffer ChargeBullet();

// Player body
SoundBuffer Jump();
SoundBuffer Land();
SoundBuffer Walk();
SoundBuffer CollisionDamage();

// Hits
SoundBuffer BulletDamage();
SoundBuffer HitEnemyBullet();
SoundBuffer HitBullet();
SoundBuffer HitChargeBullet();
SoundBuffer Flip();

// Shield
SoundBuffer DamageShield();
SoundBuffer DeployShield();
SoundBuffer BreakShield();

// Enemies
SoundBuffer EnemySpawn();
SoundBuffer Find();
SoundBuffer PowerCharge();
SoundBuffer EnemyAttack();
SoundBuffer EnemyBullet();
SoundBuffer Explosion();

// World
SoundBuffer OpenDoor();
SoundBuffer StopDoor();

// Items
SoundBuffer ItemDrop();
SoundBuffer Magazine();
SoundBuffer Attachment();
SoundBuffer Heal();

// Interface and flow
SoundBuffer Decision();
SoundBuffer Clear();
SoundBuffer Dead();

}  // namespace effect_sounds
