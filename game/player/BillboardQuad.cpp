#include "game/player/BillboardQuad.h"

#include "framework/VelEffectShader.h"
#include "framework/VelGraphicsDevice.h"
#include "framework/VelShaderManager.h"
#include "game/effect/C_TexEffect.h"

namespace {
constexpr uint32_t kQuadBytes = 4 * sizeof(VelEffectVertex);
const float4 kWhite{1.0f, 1.0f, 1.0f, 1.0f};
}  // namespace

bool CreateBillboardQuad(VelBuffer& buffer, float halfSize) {
  VelEffectVertex quad[4];
  BuildEffectQuad(halfSize, 0.0f, 0.0f, 1.0f, 1.0f, kWhite, quad);
  return buffer.Create(VelBind::VertexBuffer, kQuadBytes, VelUsage::Immutable, quad);
}

bool CreateDynamicBillboardQuad(VelBuffer& buffer) {
  return buffer.Create(VelBind::VertexBuffer, kQuadBytes, VelUsage::Dynamic, nullptr);
}

void WriteBillboardQuad(VelBuffer& buffer, float halfSize, float uLeft, float uRight) {
  VelEffectVertex quad[4];
  BuildEffectQuad(halfSize, uLeft, 0.0f, uRight, 1.0f, kWhite, quad);
  buffer.WriteData(quad, kQuadBytes);
}

void DrawBillboardQuad(const VelBuffer& buffer, const VelTexture& texture, const float4x4& world) {
  if (!buffer.IsValid()) return;
  VelGraphicsDevice& device = VelGraphicsDevice::GetInstance();
  VelEffectShader& effect = VelShaderManager::GetInstance().effectShader;
  device.SetVertexBuffer(&buffer, sizeof(VelEffectVertex), 0);
  device.SetTopology(VelTopology::TriangleStrip);
  device.SetTexture(0, &texture);
  effect.cbPerObject.Data().g_mW = world;
  effect.cbPerObject.Upload();
  device.Draw(4, 0);
}
