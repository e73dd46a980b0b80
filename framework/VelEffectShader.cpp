#include "framework/VelEffectShader.h"

#include "framework/VelGraphicsDevice.h"

bool VelEffectShader::Init() {
  Release();
  shader = VelGraphicsDevice::GetInstance().CreateShader(VelShaderPath::Effect);
  if (!shader || !cbPerObject.Create()) {
    Release();
    return false;
  }
  return true;
}

void VelEffectShader::Release() {
  shader.reset();
  cbPerObject.Release();
}
