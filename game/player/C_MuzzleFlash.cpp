#include "game/player/C_MuzzleFlash.h"

#include <cstdlib>

#include "game/player/BillboardQuad.h"

namespace {
constexpr float kHalfSize = 2.3f;
const float3 kMuzzle{-0.2f, -0.2f, 3.5f};
}  // namespace

C_MuzzleFlash::C_MuzzleFlash() : roll(static_cast<float>(std::rand() % 45)) {
  CreateBillboardQuad(vertexBuffer, kHalfSize);
  texture.Load("Data/Player/flash.png");
}

bool C_MuzzleFlash::Update(GameScene* scene) {
  if (--life <= 0) {
    life = 0;
    return false;
  }
  PlaceOnMuzzle(*scene, kMuzzle, MatrixRotationZ(roll * kDegToRad));
  return true;
}
