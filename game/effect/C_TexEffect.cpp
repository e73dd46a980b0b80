#include "game/effect/C_TexEffect.h"

#include "framework/VelGraphicsDevice.h"
#include "framework/VelShaderManager.h"
#include "game/player/Gun.h"
#include "scene/GameScene.h"

namespace {
constexpr uint32_t kQuadBytes = 4 * sizeof(VelEffectVertex);
}  // namespace

void BuildEffectQuad(float halfSize, float uLeft, float vTop, float uRight, float vBottom, const float4& color,
                     VelEffectVertex out[4]) {
  const float h = halfSize;
  out[0] = {{-h, h, 0}, {uLeft, vTop}, color};
  out[1] = {{h, h, 0}, {uRight, vTop}, color};
  out[2] = {{-h, -h, 0}, {uLeft, vBottom}, color};
  out[3] = {{h, -h, 0}, {uRight, vBottom}, color};
}

float3 GunMuzzlePoint(const GameScene& scene) {
  return TransformCoord({-0.2f, -0.2f, 3.5f}, scene.gun->GetWorld());
}

C_TexEffect::~C_TexEffect() { vertexBuffer.Release(); }

bool C_TexEffect::UpdateWithScene(GameScene*) { return true; }

bool C_TexEffect::Update() { return true; }

void C_TexEffect::Draw() {
  if (!vertexBuffer.IsValid()) return;
  VelGraphicsDevice& device = VelGraphicsDevice::GetInstance();
  VelEffectShader& effect = VelShaderManager::GetInstance().effectShader;
  device.SetVertexBuffer(&vertexBuffer, sizeof(VelEffectVertex), 0);
  device.SetTopology(VelTopology::TriangleStrip);
  device.SetTexture(0, &texture);
  effect.cbPerObject.Data().g_mW = world;
  effect.cbPerObject.Upload();
  device.Draw(4, 0);
}

void C_TexEffect::Draw2D() {}

void C_TexEffect::LoadSheet(const std::string& file) { texture.Load("Data/Effect/" + file); }

void C_TexEffect::CreateQuadBuffer() {
  vertexBuffer.Create(VelBind::VertexBuffer, kQuadBytes, VelUsage::Dynamic, nullptr);
}

void C_TexEffect::WriteQuad(float halfSize, float uLeft, float vTop, float uRight, float vBottom) {
  VelEffectVertex quad[4];
  BuildEffectQuad(halfSize, uLeft, vTop, uRight, vBottom, color, quad);
  vertexBuffer.WriteData(quad, kQuadBytes);
}

void C_TexEffect::WriteStripQuad(float halfSize, int cells, int framesPerCell) {
  const int cell = counter / framesPerCell;
  const float step = 1.0f / float(cells);
  WriteQuad(halfSize, float(cell) * step, 0.0f, float(cell + 1) * step, 1.0f);
}

void C_TexEffect::WriteGridQuad(float halfSize, int cellWidth, int cellHeight, int columns) {
  const int column = counter % columns;
  const int row = counter / columns;
  // An empty sheet has no size to divide by; nothing is sampled from it anyway.
  const float width = texture.GetWidth() > 0 ? float(texture.GetWidth()) : 1.0f;
  const float height = texture.GetHeight() > 0 ? float(texture.GetHeight()) : 1.0f;
  WriteQuad(halfSize, float(column * cellWidth) / width, float(row * cellHeight) / height,
            float((column + 1) * cellWidth) / width, float((row + 1) * cellHeight) / height);
}

bool C_TexEffect::Advance(int lifetime) {
  ++counter;
  if (counter > lifetime) {
    counter = 0;
    return false;
  }
  return true;
}

void C_TexEffect::Billboard(const float3& offset) {
  float4x4 view = VelShaderManager::GetInstance().cbCamera.View().g_mV;
  view.SetTranslation({0, 0, 0});
  world = MatrixTranslation(offset) * MatrixInverse(view) * MatrixTranslation(position);
}

bool C_TexEffect::AnimateStrip(float halfSize, int cells, int framesPerCell, int lifetime, const float3& offset) {
  WriteStripQuad(halfSize, cells, framesPerCell);
  if (!Advance(lifetime)) return false;
  Billboard(offset);
  return true;
}

bool C_TexEffect::AnimateGrid(float halfSize, int cellWidth, int cellHeight, int columns, int lifetime,
                              const float3& offset) {
  WriteGridQuad(halfSize, cellWidth, cellHeight, columns);
  if (!Advance(lifetime)) return false;
  Billboard(offset);
  return true;
}

bool C_TexEffect::Shrink(float& size, float step, const float3& offset) {
  WriteQuad(size, 0.0f, 0.0f, 1.0f, 1.0f);
  size -= step;
  if (size <= 0.0f) {
    size = 0.0f;
    return false;
  }
  Billboard(offset);
  return true;
}
