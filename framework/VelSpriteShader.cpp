#include "framework/VelSpriteShader.h"

#include "framework/VelGraphicsDevice.h"

bool VelSpriteShader::Init() {
  Release();
  VelGraphicsDevice& device = VelGraphicsDevice::GetInstance();
  shader = device.CreateShader(VelShaderPath::Sprite);
  bool ok = shader && cbSprite.Create() && cbProjection.Create();
  if (ok) {
    pointSampler = device.CreateSamplerState(0, 1, 0, false);
    linearSampler = device.CreateSamplerState(1, 1, 0, false);
    depthOffState = device.CreateDepthStencilState(false, false);
    rasterizerState = device.CreateRasterizerState(VelCullMode::None, VelFillMode::Solid, true, false);
    ok = pointSampler && linearSampler && depthOffState && rasterizerState;
  }
  if (!ok) Release();
  return ok;
}

void VelSpriteShader::Release() {
  shader.reset();
  cbSprite.Release();
  cbProjection.Release();
  inPass = false;
  depthOffState.reset();
  rasterizerState.reset();
  pointSampler.reset();
  linearSampler.reset();
  savedBlend.reset();
  savedDepthStencil.reset();
  savedSampler.reset();
}
