#include "game/enemy/C_NormalFlash.h"

#include "framework/VelEffectShader.h"
#include "game/enemy/C_EnemyBullet.h"

namespace {
constexpr int kLastAnimationCount = 20;

float4 RowOf(const float4x4& m, int r) {
  return {m.m[r][0], m.m[r][1], m.m[r][2], m.m[r][3]};
}
}  // namespace

C_NormalFlash::C_NormalFlash(const float4x4& shooter) : shooter(shooter) {
  vertexBuffer.Create(VelBind::VertexBuffer, 4 * sizeof(VelEffectVertex), VelUsage::Dynamic, nullptr);
  texture.Load("Data/Effect/chargeFlash.png");
}

bool C_NormalFlash::Update() {
  const int f = animationCounter / 4;
  const float u = static_cast<float>(f) * 0.2f;
  const float uNext = static_cast<float>(f + 1) * 0.2f;
  const float4 white{1.0f, 1.0f, 1.0f, 1.0f};
  const VelEffectVertex quad[4] = {{{-3.0f, 3.0f, 0.0f}, {u, 0.0f}, white},
                                   {{3.0f, 3.0f, 0.0f}, {uNext, 0.0f}, white},
                                   {{-3.0f, -3.0f, 0.0f}, {u, 1.0f}, white},
                                   {{3.0f, -3.0f, 0.0f}, {uNext, 1.0f}, white}};
  vertexBuffer.WriteData(quad, sizeof quad);
  if (++animationCounter > kLastAnimationCount) {
    animationCounter = 0;
    return false;
  }
  const float4 p = RowOf(shooter, 2) * 2.5f + RowOf(shooter, 3) + RowOf(shooter, 1) * 0.6f;
  world = CameraFacingRotation() * MatrixTranslation(p.x / p.w, p.y / p.w, p.z / p.w);
  return true;
}
