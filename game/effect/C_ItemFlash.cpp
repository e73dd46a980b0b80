#include "game/effect/C_ItemFlash.h"

namespace {
constexpr float kHalfSize = 5.0f;
constexpr int kLifetime = 50;
constexpr float kFadeStep = 0.01f;
constexpr float3 kOffset{0.0f, 2.0f, -1.0f};
}  // namespace

C_ItemFlash::C_ItemFlash(const float3& position) {
  this->position = position;
  color = {1, 1, 1, 1};
  CreateQuadBuffer();
  LoadSheet("ItemFlash.png");
}

bool C_ItemFlash::Update() {
  const bool keep = AnimateStrip(kHalfSize, 10, 5, kLifetime, kOffset);
  color.w -= kFadeStep;
  return keep;
}
