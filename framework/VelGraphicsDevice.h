#pragma once

// The process-wide graphics device: owner of the rendering backend, the back
// and depth buffers, the fixed start-up states, the white texture and the
// temporary vertex buffers of immediate draws. It is the graphics boundary:
// everything that draws goes through its operations and never sees which
// backend runs them (OpenGL or Direct3D 11 in a window, or a headless
// recorder).

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/VelBuffer.h"
#include "framework/VelDrawRecord.h"
#include "framework/VelGraphicsTypes.h"
#include "framework/VelMath.h"
#include "framework/VelRenderScale.h"
#include "framework/VelTexture.h"

class VelGraphicsBackend;

constexpr int kVelTempVertexBufferCount = 10;
constexpr uint32_t kVelTempVertexBufferBase = 80;  // capacities 80 x 2^i bytes
constexpr int kVelConstantSlots = 9;
constexpr int kVelTextureSlots = 4;
constexpr int kVelSamplerSlots = 2;

// What is bound on the context now.
struct VelPipelineState {
  std::shared_ptr<VelBlendState> blend;
  float4 blendFactor{0, 0, 0, 0};
  uint32_t sampleMask = 0xFFFFFFFF;
  std::shared_ptr<VelDepthStencilState> depthStencil;
  uint32_t stencilRef = 0;
  std::shared_ptr<VelRasterizerState> rasterizer;
  std::array<std::shared_ptr<VelSamplerState>, kVelSamplerSlots> samplers;
  std::shared_ptr<VelShader> shader;
  std::array<std::shared_ptr<VelBufferResource>, kVelConstantSlots> constantBuffers;
  std::array<std::shared_ptr<VelTextureResource>, kVelTextureSlots> textures;
  std::shared_ptr<VelBufferResource> vertexBuffer;
  uint32_t vertexStride = 0;
  uint32_t vertexOffset = 0;
  std::shared_ptr<VelBufferResource> indexBuffer;
  VelTopology topology = VelTopology::TriangleList;
  // Set while the world is drawn below full scale: anisotropic samplers then
  // filter bilinearly, as their taps would cost a software rasteriser about
  // what the smaller world saved, and the OpenGL backend lights models per
  // vertex rather than per pixel, for the same reason.
  bool scaledWorld = false;

  // A sprite whose texture is all one plain colour (a fade): that colour,
  // which the backends draw with instead of looking it up. Null for any
  // other draw.
  const float4* PlainSpriteColour() const {
    const VelTextureResource* texture = textures[0].get();
    if (!shader || shader->path != VelShaderPath::Sprite || !texture || !texture->plainColour) return nullptr;
    return &*texture->plainColour;
  }
};

class VelGraphicsDevice {
 public:
  static VelGraphicsDevice& GetInstance();

  // window: the platform's native window (an SDL_Window* with OpenGL, or an
  // HWND) selects the window's backend; null selects the headless one. On failure errorText
  // names the failed step and everything made so far is released.
  bool Init(void* window, int width, int height, bool debug, std::string& errorText);
  // Releases everything in the reverse order of creation; harmless when empty.
  void Release();
  bool IsReady() const { return backend != nullptr; }
  bool IsHeadless() const { return headless; }
  int GetWidth() const { return width; }
  int GetHeight() const { return height; }

  const std::shared_ptr<VelTexture>& GetBackBuffer() const { return backBuffer; }
  const std::shared_ptr<VelTexture>& GetDepthBuffer() const { return depthBuffer; }
  const std::shared_ptr<VelTexture>& GetWhiteTexture() const { return whiteTexture; }

  // State objects, owned by the caller; null when the arguments name no state
  // or the backend cannot make one.
  std::shared_ptr<VelBlendState> CreateBlendState(int mode);
  std::shared_ptr<VelDepthStencilState> CreateDepthStencilState(bool depthTest, bool depthWrite);
  std::shared_ptr<VelRasterizerState> CreateRasterizerState(VelCullMode cull, VelFillMode fill,
                                                            bool depthClip, bool scissor);
  // filter 0 point, 1 linear, 2 anisotropic; address 0 wrap, 1 clamp.
  std::shared_ptr<VelSamplerState> CreateSamplerState(int filter, int maxAnisotropy, int address,
                                                      bool comparison);
  std::shared_ptr<VelShader> CreateShader(VelShaderPath path);

  // Context operations. Nothing is cached: each call binds at once.
  void SetBlendState(const std::shared_ptr<VelBlendState>& state, const float4& factor = {0, 0, 0, 0},
                     uint32_t sampleMask = 0xFFFFFFFF);
  void SetDepthStencilState(const std::shared_ptr<VelDepthStencilState>& state, uint32_t stencilRef = 0);
  void SetRasterizerState(const std::shared_ptr<VelRasterizerState>& state);
  // Sampler slot 0 is the one every shader samples with (g_ss).
  void SetSampler(int slot, const std::shared_ptr<VelSamplerState>& state);
  void SetShader(const std::shared_ptr<VelShader>& shader);
  // Binds to the vertex and the pixel stage alike.
  void SetConstantBuffer(int slot, const VelBuffer* buffer);
  // Null or an empty texture unbinds the slot.
  void SetTexture(int slot, const VelTexture* texture);
  void SetVertexBuffer(const VelBuffer* buffer, uint32_t stride, uint32_t offset = 0);
  // 32-bit unsigned indices.
  void SetIndexBuffer(const VelBuffer* buffer);
  void SetTopology(VelTopology topology);
  void Draw(uint32_t vertexCount, uint32_t startVertex = 0);
  void DrawIndexed(uint32_t indexCount, uint32_t startIndex, int32_t baseVertex = 0);
  // Uploads the vertices into the first temporary buffer whose capacity
  // exceeds their size (or the grow buffer) and draws them.
  void DrawVertices(VelTopology topology, uint32_t vertexCount, const void* vertices, uint32_t stride);

  const VelPipelineState& GetState() const { return state; }
  // The viewport's size in pixels (the back buffer's).
  float2 GetViewportSize() const { return {float(width), float(height)}; }

  // The world passes of a frame (the 3D scene) begin here, before their
  // clears. At a render scale below 1 they draw into an off-screen target of
  // the scaled size (clears clear it); at 1, and on a backend that cannot
  // stretch, straight into the back buffer as before. A scaled world's
  // anisotropic samplers filter bilinearly (VelPipelineState::scaledWorld).
  void BeginWorld();
  // The screen overlay begins here: a scaled world is stretched onto the
  // back buffer with bilinear filtering, and everything after draws at full
  // size over it. Harmless when the world was not scaled; Present does it
  // when a frame never called it. The back buffer's depth under the stretch
  // is not that of the world: the overlay is drawn without a depth test.
  void BeginOverlay();
  // The scale of the world of the frame being drawn (1 outside world passes).
  float GetWorldScale() const { return worldOpen ? worldScale : 1.0f; }
  // The render scale setting: fixed (1 by default) or automatic. In the
  // automatic mode each frame's cost, from BeginWorld to the end of its
  // Present, picks the scale of the next ones.
  VelRenderScale& GetRenderScale() { return renderScale; }

  // Clears the bound target: the back buffer, or a scaled world's target.
  void ClearBackBuffer(const float4& color);
  void ClearDepth(float depth = 1.0f, uint8_t stencil = 0);
  // Shows the frame (no vertical sync). In full screen the frame is scaled
  // into the display, aspect kept.
  void Present();
  bool SetFullscreen(bool fullscreen);

  // With rasterising off, draws, clears and presents are dropped while every
  // other call still runs, so a tool can step a long stretch on a software
  // rasteriser and pay only for the frames it keeps. On by default.
  void SetRasterising(bool on) { rasterising = on; }
  bool IsRasterising() const { return rasterising; }

  // The back buffer as RGBA8 rows, top row first.
  bool ReadBackBuffer(std::vector<uint8_t>& rgba, int& outWidth, int& outHeight);
  bool CaptureBackBuffer(const std::string& pngPath);

  const VelBuffer& GetTempVertexBuffer(int index) const { return tempVertexBuffers[index]; }
  const VelBuffer& GetGrowVertexBuffer() const { return growVertexBuffer; }

  // Headless backend only (empty otherwise): one record per draw since the
  // last clear, and counts of buffer, texture, clear and present calls.
  const std::vector<VelDrawRecord>& GetDrawRecords() const;
  void ClearDrawRecords();
  const VelHeadlessStats& GetHeadlessStats() const;

  // Used by VelBuffer and VelTexture.
  std::shared_ptr<VelBufferResource> CreateBufferResource(uint32_t bindFlags, uint32_t size, uint32_t usage,
                                                          const void* data);
  bool WriteBufferResource(VelBufferResource& buffer, const void* data, uint32_t size);
  std::shared_ptr<VelTextureResource> CreateTextureResource(const VelTextureDesc& desc, const void* data);

  ~VelGraphicsDevice();

 private:
  VelGraphicsDevice();
  VelGraphicsDevice(const VelGraphicsDevice&) = delete;
  VelGraphicsDevice& operator=(const VelGraphicsDevice&) = delete;
  void SetScaledWorld(bool on);

  std::unique_ptr<VelGraphicsBackend> backend;
  bool rasterising = true;
  VelRenderScale renderScale;
  // The scaled world's colour target, remade when the scale changes; the
  // backend gives it a depth buffer.
  std::shared_ptr<VelTexture> worldTarget;
  bool worldOpen = false;
  float worldScale = 1.0f;
  bool timingFrame = false;
  double frameStartMs = 0;
  std::shared_ptr<VelTexture> backBuffer;
  std::shared_ptr<VelTexture> depthBuffer;
  std::array<VelBuffer, kVelTempVertexBufferCount> tempVertexBuffers;
  VelBuffer growVertexBuffer;
  std::shared_ptr<VelTexture> whiteTexture;
  VelPipelineState state;
  bool headless = false;
  int width = 0;
  int height = 0;
};
