#pragma once

// The Direct3D 11 backend on a Win32 window: a DXGI factory (version 1), the
// device and immediate context at the highest feature level available, a
// two-buffer discard swap chain of the game's size whose buffer 0 is the back
// buffer, an R32 typeless depth buffer with a depth view and a shader view,
// and the HLSL shaders compiled at start-up (the sprite's pixel stage twice:
// with and without its texture lookup). Render states are made once per
// distinct description and shared.

#include <d3d11.h>
#include <dxgi.h>
#include <wrl/client.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "framework/VelGraphicsBackend.h"

class VelD3D11Backend : public VelGraphicsBackend {
 public:
  VelD3D11Backend();
  ~VelD3D11Backend() override;

  bool Init(void* window, int width, int height, bool debug, std::string& errorText) override;
  std::shared_ptr<VelTextureResource> BackBuffer() override { return backBuffer; }
  std::shared_ptr<VelTextureResource> DepthBuffer() override { return depthBuffer; }

  std::shared_ptr<VelBufferResource> CreateBuffer(uint32_t bindFlags, uint32_t size, uint32_t usage,
                                                  const void* data) override;
  bool WriteBuffer(VelBufferResource& buffer, const void* data, uint32_t size) override;
  std::shared_ptr<VelTextureResource> CreateTexture(const VelTextureDesc& desc, const void* data) override;
  std::unique_ptr<VelGpuResource> CreateSampler(const VelSamplerState& sampler) override;
  std::unique_ptr<VelGpuResource> CreateProgram(VelShaderPath path) override;

  void ApplyBlend(const VelPipelineState& state) override;
  void ApplyDepthStencil(const VelPipelineState& state) override;
  void ApplyRasterizer(const VelPipelineState& state) override;
  void ApplySampler(const VelPipelineState& state, int slot) override;
  void ApplyShader(const VelPipelineState& state) override;
  void ApplyConstantBuffer(const VelPipelineState& state, int slot) override;
  void ApplyTexture(const VelPipelineState& state, int slot) override;
  void Draw(const VelPipelineState& state, bool indexed, uint32_t count, uint32_t start,
            int32_t baseVertex) override;

  bool CanScaleWorld() const override { return stretchPixel != nullptr; }
  void SetRenderTarget(const VelTextureResource* color, int width, int height) override;
  void StretchToBackBuffer(const VelTextureResource& color, int width, int height,
                           const VelPipelineState& state) override;

  void ClearColor(const float4& color) override;
  void ClearDepth(float depth, uint8_t stencil) override;
  void Present() override;
  bool SetFullscreen(bool fullscreen) override;
  bool ReadBackBuffer(std::vector<uint8_t>& rgba, int& width, int& height) override;

  ID3D11Device* GetDevice() const { return device.Get(); }
  ID3D11DeviceContext* GetContext() const { return context.Get(); }
  IDXGISwapChain* GetSwapChain() const { return swapChain.Get(); }

 private:
  template <class T>
  using Com = Microsoft::WRL::ComPtr<T>;

  // The stretch's shaders and states; left empty (no scaling) where the
  // feature level has no SV_VertexID.
  void CreateStretch();
  // The depth buffer drawn with a colour target (null: the back buffer):
  // the window's, or one of the target's size, made anew when that changes.
  VelTextureResource* DepthFor(const VelTextureResource* color);
  // The sprite's build for a texture of one plain colour; null if it
  // cannot be made.
  Com<ID3D11PixelShader> CreatePlainSprite();
  // Binds the pixel shader a draw needs: a sprite's plain build where its
  // texture is of one plain colour, else its program's.
  void UsePixelShader(const VelPipelineState& state);
  // Wraps an existing texture: its views as its description's bind flags say.
  std::shared_ptr<VelTextureResource> WrapTexture(Com<ID3D11Texture2D> texture);
  void Shutdown();

  Com<IDXGIFactory1> factory;
  Com<ID3D11Device> device;
  Com<ID3D11DeviceContext> context;
  Com<IDXGISwapChain> swapChain;
  std::shared_ptr<VelTextureResource> backBuffer;
  std::shared_ptr<VelTextureResource> depthBuffer;
  D3D_FEATURE_LEVEL featureLevel = D3D_FEATURE_LEVEL_9_1;
  int width = 0;
  int height = 0;
  // The colour target draws and clears go to (null: the back buffer).
  const VelTextureResource* boundColor = nullptr;
  // A scaled world's depth: Direct3D binds a depth view only with colour
  // targets of its own size.
  std::shared_ptr<VelTextureResource> worldDepth;
  Com<ID3D11VertexShader> stretchVertex;
  Com<ID3D11PixelShader> stretchPixel;
  Com<ID3D11Buffer> stretchConstants;
  Com<ID3D11SamplerState> stretchSampler;
  Com<ID3D11DepthStencilState> stretchDepth;
  Com<ID3D11RasterizerState> stretchRasterizer;
  // The colour a sprite of one plain colour draws with, in slot
  // kVelD3D11PlainTexelSlot, and what that buffer holds now.
  Com<ID3D11Buffer> plainTexelConstants;
  std::optional<float4> plainTexel;
  // The pixel shader bound last: a sprite's changes with its texture.
  ID3D11PixelShader* boundPixel = nullptr;
  bool debug = false;

  std::map<int, Com<ID3D11BlendState>> blendStates;
  std::map<std::tuple<bool, bool>, Com<ID3D11DepthStencilState>> depthStates;
  std::map<std::tuple<int, int, bool, bool>, Com<ID3D11RasterizerState>> rasterizerStates;
};
