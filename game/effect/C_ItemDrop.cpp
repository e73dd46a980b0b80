#include "game/effect/C_ItemDrop.h"

namespace {
constexpr float kHalfSize = 5.0f;
constexpr int kLifetime = 50;
constexpr float kFadeStep = 0.01f;
constexpr float3 kOffset{0.0f, 0.0f, -1.0f};
}  // namespace

C_ItemDrop::C_ItemDrop(const float3& position) {
  this->position = position;
  color = {1, 1, 1, 1};
  CreateQuadBuffer();
  LoadSheet("ItemDrop.png");
}

bool C_ItemDrop::Update() {
  const bool keep = AnimateStrip(kHalfSize, 5, 10, kLifetime, kOffset);
  color.w -= kFadeStep;
  return keep;
}
