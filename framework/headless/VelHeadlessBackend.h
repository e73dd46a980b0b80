#pragma once

// The backend without a GPU: buffers and textures keep their data in memory
// and every draw is recorded with its states and constants, so tests can check
// what a frame drew and in which order. Nothing is rasterised.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/VelDrawRecord.h"
#include "framework/VelGraphicsBackend.h"

class VelHeadlessBuffer : public VelBufferResource {
 public:
  std::vector<uint8_t> data;
};

class VelHeadlessTexture : public VelTextureResource {
 public:
  // The initial RGBA8 pixels, top row first (empty when none were given).
  std::vector<uint8_t> pixels;
};

class VelHeadlessBackend : public VelGraphicsBackend {
 public:
  bool Init(void* window, int width, int height, bool debug, std::string& errorText) override;
  std::shared_ptr<VelTextureResource> BackBuffer() override { return backBuffer; }
  std::shared_ptr<VelTextureResource> DepthBuffer() override { return depthBuffer; }

  std::shared_ptr<VelBufferResource> CreateBuffer(uint32_t bindFlags, uint32_t size, uint32_t usage,
                                                  const void* data) override;
  bool WriteBuffer(VelBufferResource& buffer, const void* data, uint32_t size) override;
  std::shared_ptr<VelTextureResource> CreateTexture(const VelTextureDesc& desc, const void* data) override;
  std::unique_ptr<VelGpuResource> CreateSampler(const VelSamplerState& sampler) override;
  std::unique_ptr<VelGpuResource> CreateProgram(VelShaderPath path) override;

  void ApplyBlend(const VelPipelineState&) override {}
  void ApplyDepthStencil(const VelPipelineState&) override {}
  void ApplyRasterizer(const VelPipelineState&) override {}
  void ApplySampler(const VelPipelineState&, int) override {}
  void ApplyShader(const VelPipelineState&) override {}
  void ApplyConstantBuffer(const VelPipelineState&, int) override {}
  void ApplyTexture(const VelPipelineState&, int) override {}
  void Draw(const VelPipelineState& state, bool indexed, uint32_t count, uint32_t start,
            int32_t baseVertex) override;

  // Nothing is rasterised, so nothing is scaled: the records stay those of
  // a frame drawn at full size.
  bool CanScaleWorld() const override { return false; }
  void SetRenderTarget(const VelTextureResource*, int, int) override {}
  void StretchToBackBuffer(const VelTextureResource&, int, int, const VelPipelineState&) override {}

  void ClearColor(const float4&) override { ++stats.colorClears; }
  void ClearDepth(float, uint8_t) override { ++stats.depthClears; }
  void Present() override { ++stats.presents; }
  bool SetFullscreen(bool fullscreen) override;
  // There are no pixels to read.
  bool ReadBackBuffer(std::vector<uint8_t>& rgba, int& width, int& height) override;

  std::vector<VelDrawRecord> records;
  VelHeadlessStats stats;

 private:
  std::shared_ptr<VelTextureResource> backBuffer;
  std::shared_ptr<VelTextureResource> depthBuffer;
};
