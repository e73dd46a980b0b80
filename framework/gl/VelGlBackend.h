#pragma once

// The OpenGL 3.3 core backend (through libepoxy) on an SDL window. Frames are
// drawn into an off-screen framebuffer of the game's size, which Present
// copies into the window (scaled and letterboxed in full screen) and which
// frame captures read back; a world drawn below full scale is stretched
// straight into the window when it is of the frame's size, and the overlay
// follows it there. Clip depth runs 0..1 as the projections expect:
// glClipControl where the driver has it, otherwise the vertex shaders remap.
// Each draw runs a build of its path's shaders with only the parts its bound
// constants and maps call for (VelGlFeature), and the shaders filter
// anisotropically themselves, so a software rasteriser pays for no more than
// it draws.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/VelGraphicsBackend.h"

class VelGlBackend : public VelGraphicsBackend {
 public:
  VelGlBackend();
  ~VelGlBackend() override;

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

  bool CanScaleWorld() const override { return stretchProgram != 0; }
  void SetRenderTarget(const VelTextureResource* color, int width, int height) override;
  void StretchToBackBuffer(const VelTextureResource& color, int width, int height,
                           const VelPipelineState& state) override;

  void ClearColor(const float4& color) override;
  void ClearDepth(float depth, uint8_t stencil) override;
  void Present() override;
  bool SetFullscreen(bool fullscreen) override;
  bool ReadBackBuffer(std::vector<uint8_t>& rgba, int& width, int& height) override;

 private:
  // Reports GL errors to standard error when the debug flag was given.
  void CheckErrors(const char* where);
  // A program of the path's shaders with the given fragment-stage parts; 0
  // when it does not build.
  uint32_t LinkProgram(VelShaderPath path, uint32_t features);
  // Links the program's variant with these parts unless it exists or failed.
  void BuildVariant(VelGpuResource& program, uint32_t features);
  void UseVariant(const VelPipelineState& state, VelGpuResource& program);
  bool LeavesFrameAsItIs(const VelPipelineState& state) const;
  // The program, sampler and empty vertex array of the world's stretch; left
  // at zero when they do not build, and the world is then drawn at full size.
  void CreateStretch();
  void Shutdown();

  void* window = nullptr;
  void* context = nullptr;
  // Shared with every resource made here: false once the context is gone, so
  // late releases do not call into a dead context.
  std::shared_ptr<bool> alive;
  bool debug = false;
  bool clipControl = false;
  bool depthWriteOn = true;
  bool scissorOn = false;
  int width = 0;
  int height = 0;
  uint32_t framebuffer = 0;
  // A scaled world's colour target with the depth buffer.
  uint32_t worldFramebuffer = 0;
  // This frame's stretch and overlay went into the window's back buffer.
  bool frameInWindow = false;
  uint32_t stretchProgram = 0;
  uint32_t stretchArray = 0;
  uint32_t stretchSampler = 0;
  int stretchRectAt = -1;
  // Bound where a slot has no texture: OpenGL samples an unbound unit as
  // opaque black, Direct3D an empty slot as transparent black (nothing drawn).
  uint32_t emptyTexture = 0;
  std::shared_ptr<VelTextureResource> backBuffer;
  std::shared_ptr<VelTextureResource> depthBuffer;
};

// Off, every draw uses the general build of its path's shaders, with every
// part of the fragment stage; on (the default), the variant its constants
// call for. Tests compare the two.
void VelGlSpecialiseShaders(bool on);
