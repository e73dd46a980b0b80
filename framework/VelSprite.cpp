#include "framework/VelSprite.h"

#include "framework/VelGraphicsDevice.h"
#include "framework/VelShaderManager.h"
#include "framework/VelTexture.h"
#include "platform/Platform.h"

void BeginSprite(bool linearFilter, bool depthOff) {
  VelGraphicsDevice& device = VelGraphicsDevice::GetInstance();
  VelSpriteShader& sprite = VelShaderManager::GetInstance().spriteShader;
  if (sprite.inPass || !device.IsReady()) return;
  sprite.inPass = true;

  float2 viewport = device.GetViewportSize();
  sprite.cbProjection.Data().g_mProj = MatrixScaling(2.0f / viewport.x, 2.0f / viewport.y, 1.0f);
  sprite.cbProjection.Upload();

  const VelPipelineState& state = device.GetState();
  sprite.savedBlend = state.blend;
  sprite.savedBlendFactor = state.blendFactor;
  sprite.savedSampleMask = state.sampleMask;
  sprite.savedDepthStencil = state.depthStencil;
  sprite.savedStencilRef = state.stencilRef;
  sprite.savedSampler = state.samplers[0];

  if (depthOff) device.SetDepthStencilState(sprite.depthOffState, state.stencilRef);
  device.SetSampler(0, linearFilter ? sprite.linearSampler : sprite.pointSampler);
  device.SetRasterizerState(sprite.rasterizerState);
  device.SetShader(sprite.shader);
  device.SetConstantBuffer(0, &sprite.cbSprite.buffer);
  device.SetConstantBuffer(1, &sprite.cbProjection.buffer);
}

void EndSprite() {
  VelGraphicsDevice& device = VelGraphicsDevice::GetInstance();
  VelSpriteShader& sprite = VelShaderManager::GetInstance().spriteShader;
  if (!sprite.inPass) return;
  sprite.inPass = false;
  device.SetBlendState(sprite.savedBlend, sprite.savedBlendFactor, sprite.savedSampleMask);
  device.SetDepthStencilState(sprite.savedDepthStencil, sprite.savedStencilRef);
  device.SetSampler(0, sprite.savedSampler);
  sprite.savedBlend.reset();
  sprite.savedDepthStencil.reset();
  sprite.savedSampler.reset();
}

void VelBuildSpriteQuad(uint32_t textureWidth, uint32_t textureHeight, int x, int y, int w, int h,
                        const VelSpriteRect* source, float2 pivot, VelSpriteVertex out[4]) {
  float uLeft = 0, uRight = 1, vTop = 0, vBottom = 1;
  // An empty texture has no size to divide by; it samples nothing anyway.
  if (source && textureWidth > 0 && textureHeight > 0) {
    float W = float(textureWidth), H = float(textureHeight);
    uLeft = float(source->x) / W;
    uRight = float(source->x + source->width) / W;
    vTop = float(source->y) / H;
    vBottom = float(source->y + source->height) / H;
  }
  float left = float(x) - float(w) * pivot.x;
  float right = left + float(w);
  float bottom = float(y) - float(h) * pivot.y;
  float top = bottom + float(h);
  out[0] = {{left, bottom, 0}, {uLeft, vBottom}};
  out[1] = {{left, top, 0}, {uLeft, vTop}};
  out[2] = {{right, bottom, 0}, {uRight, vBottom}};
  out[3] = {{right, top, 0}, {uRight, vTop}};
}

void DrawSprite(const VelTexture* texture, int x, int y, int w, int h, const VelSpriteRect* source,
                const float4* color, float2 pivot) {
  if (!texture) return;
  VelGraphicsDevice& device = VelGraphicsDevice::GetInstance();
  VelSpriteShader& sprite = VelShaderManager::GetInstance().spriteShader;
  bool ownPass = !sprite.inPass;
  if (ownPass) BeginSprite(false, true);
  device.SetTexture(0, texture);
  if (color) sprite.cbSprite.Data().g_color = *color;
  sprite.cbSprite.UploadIfDirty();
  VelSpriteVertex quad[4];
  VelBuildSpriteQuad(texture->GetWidth(), texture->GetHeight(), x, y, w, h, source, pivot, quad);
  device.DrawVertices(VelTopology::TriangleStrip, 4, quad, sizeof(VelSpriteVertex));
  if (ownPass) EndSprite();
}

float3 GetCursorPosCentered() {
  PlatformPoint client = Sys().ScreenToClient(Sys().GetCursorPos());
  return {float(client.x - 640), float(360 - client.y), 0};
}
