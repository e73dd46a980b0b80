#pragma once

// Holds every live effect of the game scene: sprite effects (with the damage
// numbers) in one list, model effects in another. Game objects ask for effects
// by kind; the scene updates the manager once per frame and draws each list in
// its pass. Kinds an operation does not list create nothing.

#include <memory>
#include <vector>

#include "framework/VelMath.h"
#include "game/effect/C_ModelEffect.h"
#include "game/effect/C_TexEffect.h"

class GameScene;

namespace EffectKind {
constexpr int EnemySpawn = 0;
constexpr int Discovery = 1;
constexpr int ChargeBluePower = 2;
constexpr int ChargeYellowPower = 3;
constexpr int ChargeRedPower = 4;
constexpr int PushAttack = 5;  // AddModelEffect
constexpr int Explosion = 6;
constexpr int ItemDrop = 7;
constexpr int ItemFlash = 8;
constexpr int EnergyCharge = 9;   // AddEffect(kind)
constexpr int BulletCharge = 10;  // AddEffect(kind)
constexpr int HitBullet = 11;
constexpr int HitChargeBullet = 12;
constexpr int ShieldDamage = 13;
constexpr int PlayerBulletLost = 14;
constexpr int ChargeBulletLost = 15;
constexpr int HealPlayer = 16;  // AddEffect(kind)
}  // namespace EffectKind

class C_EffectManager {
 public:
  explicit C_EffectManager(GameScene* scene);
  ~C_EffectManager();

  // A fixed effect at the position: kinds 0 to 4, 6 to 8 and 11 to 15.
  void AddEffect(const float3& position, int kind);
  // An effect that follows the scene (the gun, the player): kinds 9, 10 and 16.
  void AddEffect(int kind);
  // Kind 5 only: a push-attack wave from the attacker's world matrix.
  void AddModelEffect(const float4x4& orientation, const float3& position, int kind);
  void AddDamageLog(int value);

  // The sprite effects' Update, then their UpdateWithScene, then the model
  // effects' Update; each finished effect is deleted at once and the next one
  // takes its place in the same pass.
  void Update();
  void Draw();
  void Draw2D();
  void DrawModels();
  // Quiets the charge hum while the world stands still (see C_EnergyCharge).
  void PauseHum();
  void Clear();

  GameScene* scene;
  std::vector<std::unique_ptr<C_TexEffect>> effects;
  std::vector<std::unique_ptr<C_ModelEffect>> modelEffects;
};
