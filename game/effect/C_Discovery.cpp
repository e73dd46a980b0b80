#include "game/effect/C_Discovery.h"

#include "framework/VelEffectShader.h"

namespace {
constexpr float kHalfSize = 4.0f;
constexpr int kLifetime = 29;
constexpr float3 kOffset{0.0f, 6.0f, 0.0f};
}  // namespace

C_Discovery::C_Discovery(const float3& position) {
  this->position = position;
  color = {1, 1, 1, 1};
  LoadSheet("Discover.png");
}

bool C_Discovery::Update() {
  // Made afresh on every update as a plain buffer holding the quad (Create
  // releases the previous one).
  VelEffectVertex quad[4];
  BuildEffectQuad(kHalfSize, 0.0f, 0.0f, 1.0f, 1.0f, color, quad);
  vertexBuffer.Create(VelBind::VertexBuffer, sizeof quad, VelUsage::Default, quad);
  if (!Advance(kLifetime)) return false;
  Billboard(kOffset);
  return true;
}
