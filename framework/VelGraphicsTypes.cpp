#include "framework/VelGraphicsTypes.h"

VelFormat VelShaderViewFormat(VelFormat format) {
  switch (format) {
    case VelFormat::R32Typeless:
      return VelFormat::R32Float;
    case VelFormat::R16Typeless:
      return VelFormat::R16Unorm;
    case VelFormat::R24G8Typeless:
      return VelFormat::R24UnormX8Typeless;
    default:
      return format;
  }
}

VelFormat VelDepthViewFormat(VelFormat format) {
  switch (format) {
    case VelFormat::R32Typeless:
      return VelFormat::D32Float;
    case VelFormat::R16Typeless:
      return VelFormat::D16Unorm;
    case VelFormat::R24G8Typeless:
      return VelFormat::D24UnormS8Uint;
    default:
      return format;
  }
}

const char* VelShaderPathName(VelShaderPath path) {
  switch (path) {
    case VelShaderPath::Model:
      return "model";
    case VelShaderPath::Effect:
      return "effect";
    case VelShaderPath::Sprite:
      return "sprite";
    default:
      return "none";
  }
}
