#include "game/enemy/EnemyManager.h"

#include "framework/VelCollision.h"
#include "framework/VelSoundManager.h"
#include "game/effect/C_EffectManager.h"
#include "game/enemy/C_DoomShield.h"
#include "game/enemy/C_EnemyBlue.h"
#include "game/enemy/C_EnemyRed.h"
#include "game/enemy/C_EnemyYellow.h"
#include "scene/GameScene.h"

EnemyManager::EnemyManager(GameScene* scene) : scene(scene) {}

EnemyManager::~EnemyManager() = default;

void EnemyManager::SpawnWaves(const float3& playerPosition) {
  if (!firstTrigger.fired && playerPosition.z > firstTrigger.point.z) {
    firstTrigger.fired = true;
    for (float x : {75.0f, 50.0f, 30.0f, 5.0f})
      enemies.push_back(std::make_unique<C_EnemyBlue>(float3{x, 2, -25}));
  }
  if (!secondTrigger.fired && playerPosition.z > secondTrigger.point.z) {
    secondTrigger.fired = true;
    const float3 blues[] = {{-24, 2, 136}, {102, 2, 203}, {23, 2, 136}, {145, 2, 185},
                            {90, 2, 380},  {10, 2, 393},  {145, 2, 440}};
    for (const float3& at : blues) enemies.push_back(std::make_unique<C_EnemyBlue>(at));
    const float3 yellows[] = {{-36.8f, 10, 155}, {135, 10, 175}, {9, 10, 350}, {86, 10, 426}, {-35, 10, 429}};
    for (const float3& at : yellows) enemies.push_back(std::make_unique<C_EnemyYellow>(at));
  }
  if (!thirdTrigger.fired && bossWarningOver) {
    thirdTrigger.fired = true;
    for (const float3& at : {float3{53, 2, 600}, float3{-65, 2, 556}, float3{0, 2, 600}}) {
      enemies.push_back(std::make_unique<C_EnemyBlue>(at));
    }
    for (const float3& at : {float3{0, 12, 617}, float3{0, 25, 658}}) {
      enemies.push_back(std::make_unique<C_EnemyRed>(at));
    }
  }
}

void EnemyManager::Update() {
  SpawnWaves(scene->player->GetPosition());

  for (size_t i = 0; i < enemies.size();) {
    if (enemies[i]->Update(scene)) {
      ++i;
      continue;
    }
    const float3 position = enemies[i]->GetPosition();
    VelSoundManager::GetInstance().Play3D("Data/Sound/Explosion.wav", position, false);
    scene->effects->AddEffect(position, EffectKind::Explosion);
    enemies.erase(enemies.begin() + static_cast<std::ptrdiff_t>(i));
    ++scene->killCount;
  }

  for (size_t i = 0; i < enemies.size(); ++i) SeparateFromOthers(i);
}

void EnemyManager::SeparateFromOthers(size_t index) {
  C_Enemy& self = *enemies[index];
  for (size_t j = 0; j < enemies.size(); ++j) {
    if (j == index) continue;
    C_Enemy& other = *enemies[j];
    if (!SpheresOverlap(other.GetPosition(), other.GetRadius(), self.GetPosition(), self.GetRadius()))
      continue;
    const float3 push =
        SphereSeparation(other.GetPosition(), other.GetRadius(), self.GetPosition(), self.GetRadius());
    other.Move(push);
    self.Move(-push);
    return;
  }
}

void EnemyManager::Draw() {
  for (const auto& enemy : enemies) enemy->Draw();
}

void EnemyManager::DrawShields() {
  for (const auto& shield : shields) shield->Draw();
}

void EnemyManager::AddShield() {
  shields.push_back(std::make_unique<C_DoomShield>());
}

void EnemyManager::UpdateShields(const float3& position) {
  for (size_t i = 0; i < shields.size();) {
    if (shields[i]->Update(position)) {
      ++i;
    } else {
      shields.erase(shields.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
}
