#pragma once

// Plain types shared by the graphics device, its backends and the objects that
// draw: bind flags, usage kinds, formats, topologies, the render-state records
// and the opaque GPU resources each backend derives from.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "framework/VelMath.h"

// Bind flags (combinable).
namespace VelBind {
constexpr uint32_t VertexBuffer = 0x1;
constexpr uint32_t IndexBuffer = 0x2;
constexpr uint32_t ConstantBuffer = 0x4;
constexpr uint32_t ShaderResource = 0x8;
constexpr uint32_t RenderTarget = 0x20;
constexpr uint32_t DepthStencil = 0x40;
}  // namespace VelBind

// Usage kinds of buffers and textures.
namespace VelUsage {
constexpr uint32_t Default = 0;
constexpr uint32_t Immutable = 1;
constexpr uint32_t Dynamic = 2;
constexpr uint32_t Staging = 3;
}  // namespace VelUsage

enum class VelFormat : uint32_t {
  Unknown,
  RGBA8Unorm,
  BGRA8Unorm,  // the byte order of window buffers; see the scaled world's target
  R32Typeless,
  R32Float,
  D32Float,
  R16Typeless,
  R16Unorm,
  D16Unorm,
  R24G8Typeless,
  R24UnormX8Typeless,
  D24UnormS8Uint,
};

// The view formats of a texture format: typeless depth formats split into a
// shader view and a depth view; every other format views as itself.
VelFormat VelShaderViewFormat(VelFormat format);
VelFormat VelDepthViewFormat(VelFormat format);

enum class VelTopology : uint32_t { PointList, LineList, LineStrip, TriangleList, TriangleStrip };

enum class VelCullMode : uint32_t { None, Front, Back };
enum class VelFillMode : uint32_t { Solid, Wireframe };

// The three shading paths; a shader object is made for one of them.
enum class VelShaderPath : uint32_t { None, Model, Effect, Sprite };
const char* VelShaderPathName(VelShaderPath path);

struct VelTextureDesc {
  uint32_t width = 0;
  uint32_t height = 0;
  uint32_t mipLevels = 1;
  uint32_t arraySize = 1;
  VelFormat format = VelFormat::RGBA8Unorm;
  uint32_t sampleCount = 1;
  uint32_t sampleQuality = 0;
  uint32_t usage = VelUsage::Default;
  uint32_t bindFlags = VelBind::ShaderResource;
  uint32_t cpuAccess = 0;
  uint32_t miscFlags = 0;
};

// A GPU object made by one backend instance. Objects outliving their backend
// (or made by another one) are recognised by the id and ignored when bound.
class VelGpuResource {
 public:
  virtual ~VelGpuResource() = default;
  uint64_t backendId = 0;
};

class VelBufferResource : public VelGpuResource {
 public:
  uint32_t bindFlags = 0;
  uint32_t size = 0;
  uint32_t usage = 0;
};

class VelTextureResource : public VelGpuResource {
 public:
  VelTextureDesc desc;
  std::string name;  // the file it came from, for draw records and messages
  // Every texel the same colour, each channel 0 or 1 (the device's white
  // stand-in for a missing map, a fade's black): every filter of every driver
  // samples exactly that colour, so a shader may take it without a lookup.
  std::optional<float4> plainColour;
  bool PlainWhite() const { return plainColour == float4{1, 1, 1, 1}; }
};

// Render states. The device creates them; holders share them, so a state saved
// for a later restore stays alive.
struct VelBlendState {
  int mode = 1;  // 0 opaque copy, 1 alpha blending, 2 additive
};

struct VelDepthStencilState {
  bool depthTest = true;
  bool depthWrite = true;  // function less-or-equal, stencil off
};

struct VelRasterizerState {
  VelCullMode cull = VelCullMode::None;
  VelFillMode fill = VelFillMode::Solid;
  bool depthClip = true;
  bool scissor = false;  // clockwise front faces, no depth bias
};

struct VelSamplerState {
  int filter = 0;  // 0 point, 1 linear, 2 anisotropic
  int maxAnisotropy = 1;
  int address = 0;  // 0 wrap, 1 clamp
  bool comparison = false;
  std::unique_ptr<VelGpuResource> handle;
};

struct VelShader {
  VelShaderPath path = VelShaderPath::None;
  std::unique_ptr<VelGpuResource> program;
};
