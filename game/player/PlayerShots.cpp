#include "game/player/PlayerShots.h"

#include "game/player/C_BarrelFlash.h"
#include "game/player/C_Charge.h"
#include "game/player/C_ChargeFlash.h"
#include "game/player/C_MuzzleFlash.h"
#include "game/player/C_PlayerBullet.h"

namespace {
template <class T>
void UpdateAll(std::vector<std::unique_ptr<T>>& list, GameScene* scene) {
  for (size_t i = 0; i < list.size();) {
    if (list[i]->Update(scene)) {
      ++i;
    } else {
      list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
}
}  // namespace

PlayerShots::PlayerShots(GameScene* scene) : scene(scene) {}

PlayerShots::~PlayerShots() = default;

void PlayerShots::Spawn(int kind) {
  switch (kind) {
    case kBullet:
      shots.push_back(std::make_unique<C_PlayerBullet>(scene));
      break;
    case kChargeBullet:
      shots.push_back(std::make_unique<C_Charge>(scene));
      break;
    case kMuzzleFlash:
      flashes.push_back(std::make_unique<C_MuzzleFlash>());
      break;
    case kBarrelFlash:
      flashes.push_back(std::make_unique<C_BarrelFlash>());
      break;
    case kChargeFlash:
      flashes.push_back(std::make_unique<C_ChargeFlash>());
      break;
    default:
      break;
  }
}

void PlayerShots::Update() {
  UpdateAll(shots, scene);
  UpdateAll(flashes, scene);
}

void PlayerShots::Draw() {
  for (const std::unique_ptr<C_Bullet>& shot : shots) shot->Draw();
  for (const std::unique_ptr<C_Flash>& flash : flashes) flash->Draw();
}
