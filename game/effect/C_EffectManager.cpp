#include "game/effect/C_EffectManager.h"

#include "game/effect/C_BulletCharge.h"
#include "game/effect/C_ChargeBluePower.h"
#include "game/effect/C_ChargeBulletLost.h"
#include "game/effect/C_ChargeRedPower.h"
#include "game/effect/C_ChargeYellowPower.h"
#include "game/effect/C_DamageLog.h"
#include "game/effect/C_Discovery.h"
#include "game/effect/C_EnemySpawn.h"
#include "game/effect/C_EnergyCharge.h"
#include "game/effect/C_Explosion.h"
#include "game/effect/C_HealPlayer.h"
#include "game/effect/C_HitBullet.h"
#include "game/effect/C_HitChargeBullet.h"
#include "game/effect/C_ItemDrop.h"
#include "game/effect/C_ItemFlash.h"
#include "game/effect/C_PlayerBulletLost.h"
#include "game/effect/C_PushAttack.h"
#include "game/effect/C_ShieldDamage.h"

namespace {

std::unique_ptr<C_TexEffect> MakeFixedEffect(const float3& position, int kind) {
  switch (kind) {
    case EffectKind::EnemySpawn:
      return std::make_unique<C_EnemySpawn>(position);
    case EffectKind::Discovery:
      return std::make_unique<C_Discovery>(position);
    case EffectKind::ChargeBluePower:
      return std::make_unique<C_ChargeBluePower>(position);
    case EffectKind::ChargeYellowPower:
      return std::make_unique<C_ChargeYellowPower>(position);
    case EffectKind::ChargeRedPower:
      return std::make_unique<C_ChargeRedPower>(position);
    case EffectKind::Explosion:
      return std::make_unique<C_Explosion>(position);
    case EffectKind::ItemDrop:
      return std::make_unique<C_ItemDrop>(position);
    case EffectKind::ItemFlash:
      return std::make_unique<C_ItemFlash>(position);
    case EffectKind::HitBullet:
      return std::make_unique<C_HitBullet>(position);
    case EffectKind::HitChargeBullet:
      return std::make_unique<C_HitChargeBullet>(position);
    case EffectKind::ShieldDamage:
      return std::make_unique<C_ShieldDamage>(position);
    case EffectKind::PlayerBulletLost:
      return std::make_unique<C_PlayerBulletLost>(position);
    case EffectKind::ChargeBulletLost:
      return std::make_unique<C_ChargeBulletLost>(position);
    default:
      return nullptr;
  }
}

std::unique_ptr<C_TexEffect> MakeFollowingEffect(int kind) {
  switch (kind) {
    case EffectKind::EnergyCharge:
      return std::make_unique<C_EnergyCharge>();
    case EffectKind::BulletCharge:
      return std::make_unique<C_BulletCharge>();
    case EffectKind::HealPlayer:
      return std::make_unique<C_HealPlayer>();
    default:
      return nullptr;
  }
}

// Runs `keep` on each element in order; a false result deletes the element,
// and the one after it, now in the same slot, is visited next.
template <class T, class Keep>
void UpdateList(std::vector<std::unique_ptr<T>>& list, Keep keep) {
  for (size_t i = 0; i < list.size();) {
    if (keep(*list[i])) {
      ++i;
    } else {
      list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
}

}  // namespace

C_EffectManager::C_EffectManager(GameScene* scene) : scene(scene) {}

C_EffectManager::~C_EffectManager() {
  Clear();
}

void C_EffectManager::AddEffect(const float3& position, int kind) {
  if (auto effect = MakeFixedEffect(position, kind)) effects.push_back(std::move(effect));
}

void C_EffectManager::AddEffect(int kind) {
  if (auto effect = MakeFollowingEffect(kind)) effects.push_back(std::move(effect));
}

void C_EffectManager::AddModelEffect(const float4x4& orientation, const float3& position, int kind) {
  if (kind != EffectKind::PushAttack) return;
  modelEffects.push_back(std::make_unique<C_PushAttack>(orientation, position));
}

void C_EffectManager::AddDamageLog(int value) {
  effects.push_back(std::make_unique<C_DamageLog>(value));
}

void C_EffectManager::Update() {
  UpdateList(effects, [](C_TexEffect& effect) { return effect.Update(); });
  UpdateList(effects, [this](C_TexEffect& effect) { return effect.UpdateWithScene(scene); });
  UpdateList(modelEffects, [](C_ModelEffect& effect) { return effect.Update(); });
}

void C_EffectManager::Draw() {
  for (const auto& effect : effects) effect->Draw();
}

void C_EffectManager::Draw2D() {
  for (const auto& effect : effects) effect->Draw2D();
}

void C_EffectManager::DrawModels() {
  for (const auto& effect : modelEffects) effect->Draw();
}

void C_EffectManager::PauseHum() {
  for (const auto& effect : effects) {
    if (auto* charge = dynamic_cast<C_EnergyCharge*>(effect.get())) charge->PauseHum();
  }
}

void C_EffectManager::Clear() {
  effects.clear();
  modelEffects.clear();
}
