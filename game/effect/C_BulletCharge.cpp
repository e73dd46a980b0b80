#include "game/effect/C_BulletCharge.h"

#include "platform/Platform.h"
#include "scene/GameScene.h"

namespace {
constexpr float kHalfSize = 1.0f;
constexpr int kLastCounter = 45;
}  // namespace

C_BulletCharge::C_BulletCharge() {
  color = {1, 1, 1, 1};
  CreateQuadBuffer();
  LoadSheet("BulletCharge.png");
}

bool C_BulletCharge::UpdateWithScene(GameScene* scene) {
  WriteStripQuad(kHalfSize, 5, 3);
  if (!Sys().IsKeyDown(Key::RButton)) {
    --counter;
    if (counter < 1) {
      counter = 0;
      return false;
    }
  } else if (++counter > kLastCounter) {
    return false;
  }
  position = GunMuzzlePoint(*scene);
  Billboard();
  return true;
}
