#pragma once

// What a rendering backend does for the device. The device keeps the bound
// state (VelPipelineState) and calls the matching Apply operation at once;
// draws receive the whole state so a backend may read what it needs.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/VelDrawRecord.h"
#include "framework/VelGraphicsTypes.h"

struct VelPipelineState;

class VelGraphicsBackend {
 public:
  virtual ~VelGraphicsBackend() = default;

  // The steps of start-up up to the depth buffer; errorText gets the failed
  // step's message.
  virtual bool Init(void* window, int width, int height, bool debug, std::string& errorText) = 0;
  virtual std::shared_ptr<VelTextureResource> BackBuffer() = 0;
  virtual std::shared_ptr<VelTextureResource> DepthBuffer() = 0;

  virtual std::shared_ptr<VelBufferResource> CreateBuffer(uint32_t bindFlags, uint32_t size, uint32_t usage,
                                                          const void* data) = 0;
  // Replaces the buffer's contents from the start (data null: all zeros).
  virtual bool WriteBuffer(VelBufferResource& buffer, const void* data, uint32_t size) = 0;
  virtual std::shared_ptr<VelTextureResource> CreateTexture(const VelTextureDesc& desc, const void* data) = 0;
  virtual std::unique_ptr<VelGpuResource> CreateSampler(const VelSamplerState& sampler) = 0;
  virtual std::unique_ptr<VelGpuResource> CreateProgram(VelShaderPath path) = 0;

  virtual void ApplyBlend(const VelPipelineState& state) = 0;
  virtual void ApplyDepthStencil(const VelPipelineState& state) = 0;
  virtual void ApplyRasterizer(const VelPipelineState& state) = 0;
  virtual void ApplySampler(const VelPipelineState& state, int slot) = 0;
  virtual void ApplyShader(const VelPipelineState& state) = 0;
  virtual void ApplyConstantBuffer(const VelPipelineState& state, int slot) = 0;
  virtual void ApplyTexture(const VelPipelineState& state, int slot) = 0;
  virtual void Draw(const VelPipelineState& state, bool indexed, uint32_t count, uint32_t start,
                    int32_t baseVertex) = 0;

  // Whether StretchToBackBuffer works here; without it the world is always
  // drawn at full size.
  virtual bool CanScaleWorld() const = 0;
  // Draws from now on into the colour target and a depth buffer at least its
  // size (colour null: the back buffer), with the viewport over the top-left
  // width x height pixels. Clears clear at least that corner of the bound
  // target.
  virtual void SetRenderTarget(const VelTextureResource* color, int width, int height) = 0;
  // Stretches the top-left width x height pixels of the colour target over
  // the whole back buffer with bilinear filtering, reading nothing beyond
  // them (the rest of the target may hold an older frame), then draws into the back
  // buffer over its whole size again, with `state` bound as it was.
  virtual void StretchToBackBuffer(const VelTextureResource& color, int width, int height,
                                   const VelPipelineState& state) = 0;

  // Clear the bound target.
  virtual void ClearColor(const float4& color) = 0;
  virtual void ClearDepth(float depth, uint8_t stencil) = 0;
  virtual void Present() = 0;
  virtual bool SetFullscreen(bool fullscreen) = 0;
  virtual bool ReadBackBuffer(std::vector<uint8_t>& rgba, int& width, int& height) = 0;

  uint64_t id = 0;  // stamped on every resource this backend makes
};

// The backend that renders into the platform's window: OpenGL on an SDL
// window on Linux, Direct3D 11 on a Win32 window on Windows.
std::unique_ptr<VelGraphicsBackend> VelCreateWindowBackend();
