#include "game/enemy/EnemyShots.h"

#include "game/enemy/C_NormalBullet.h"
#include "game/enemy/C_NormalFlash.h"

namespace {
// Updates every element in order, deleting those that report they are done.
template <class List, class Step>
void UpdateAll(List& list, Step step) {
  for (size_t i = 0; i < list.size();) {
    if (step(*list[i])) {
      ++i;
    } else {
      list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
}
}  // namespace

EnemyShots::EnemyShots(GameScene* scene) : scene(scene) {}

EnemyShots::~EnemyShots() = default;

void EnemyShots::AddBullet(const float3& position, int kind) {
  if (kind == kNormalBullet) bullets.push_back(std::make_unique<C_NormalBullet>(scene, position));
}

void EnemyShots::AddFlash(const float4x4& shooter, int kind) {
  if (kind == kNormalFlash) flashes.push_back(std::make_unique<C_NormalFlash>(shooter));
}

void EnemyShots::Update() {
  UpdateAll(bullets, [this](C_EnemyBullet& bullet) { return bullet.Update(scene); });
  UpdateAll(flashes, [](C_EnemyFlash& flash) { return flash.Update(); });
}

void EnemyShots::Draw() {
  for (const auto& bullet : bullets) bullet->Draw();
  for (const auto& flash : flashes) flash->Draw();
}

void EnemyShots::RemoveBullet(size_t index) {
  if (index < bullets.size()) bullets.erase(bullets.begin() + static_cast<std::ptrdiff_t>(index));
}
