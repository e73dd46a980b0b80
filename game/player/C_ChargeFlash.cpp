#include "game/player/C_ChargeFlash.h"

#include "game/player/BillboardQuad.h"

namespace {
constexpr float kHalfSize = 1.5f;
const float3 kMuzzle{-0.2f, -0.2f, 3.5f};
constexpr int kFramesPerImage = 4;
constexpr float kImageWidth = 0.2f;  // of the texture's width
constexpr int kLastLife = 20;
}  // namespace

C_ChargeFlash::C_ChargeFlash() {
  CreateDynamicBillboardQuad(vertexBuffer);
  texture.Load("Data/Effect/chargeFlash.png");
}

bool C_ChargeFlash::Update(GameScene* scene) {
  const int image = life / kFramesPerImage;
  WriteBillboardQuad(vertexBuffer, kHalfSize, kImageWidth * image, kImageWidth * (image + 1));
  if (++life > kLastLife) {
    life = 0;
    return false;
  }
  PlaceOnMuzzle(*scene, kMuzzle);
  return true;
}
