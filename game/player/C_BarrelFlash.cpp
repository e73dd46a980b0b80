#include "game/player/C_BarrelFlash.h"

#include "game/player/BillboardQuad.h"

namespace {
constexpr float kHalfSize = 1.5f;
const float3 kMuzzle{-0.2f, -0.2f, 3.3f};
}  // namespace

C_BarrelFlash::C_BarrelFlash() {
  CreateBillboardQuad(vertexBuffer, kHalfSize);
  texture.Load("Data/Player/barrelFlash.png");
}

bool C_BarrelFlash::Update(GameScene* scene) {
  if (--life <= 0) {
    life = 0;
    return false;
  }
  PlaceOnMuzzle(*scene, kMuzzle);
  return true;
}
