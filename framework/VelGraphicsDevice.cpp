#include "framework/VelGraphicsDevice.h"

#include <stb_image_write.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <optional>
#include <utility>

#include "framework/VelGraphicsBackend.h"
#include "framework/headless/VelHeadlessBackend.h"

namespace {
// Every backend instance gets its own id, so resources of an earlier one are
// never mistaken for current ones.
uint64_t NextBackendId() {
  static std::atomic<uint64_t> next{1};
  return next++;
}

double NowMs() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// The colour of a texture made from texels that are all the same, each
// channel 0 or 255; none for any other, or for one that will be drawn into.
std::optional<float4> PlainColourOf(const VelTextureDesc& desc, const void* data) {
  const bool eightBit = desc.format == VelFormat::RGBA8Unorm || desc.format == VelFormat::BGRA8Unorm;
  if (!data || !eightBit || (desc.bindFlags & (VelBind::RenderTarget | VelBind::DepthStencil))) return {};
  const auto* texels = static_cast<const uint8_t*>(data);
  const size_t bytes = size_t(desc.width) * desc.height * 4;
  if (bytes == 0) return {};
  for (size_t i = 0; i < 4; ++i)
    if (texels[i] != 0 && texels[i] != 255) return {};
  for (size_t i = 4; i < bytes; ++i)
    if (texels[i] != texels[i % 4]) return {};
  float4 colour{texels[0] / 255.0f, texels[1] / 255.0f, texels[2] / 255.0f, texels[3] / 255.0f};
  if (desc.format == VelFormat::BGRA8Unorm) std::swap(colour.x, colour.z);
  return colour;
}

template <class T>
const std::shared_ptr<T>& Current(const std::shared_ptr<T>& resource, uint64_t backendId) {
  static const std::shared_ptr<T> none;
  return resource && resource->backendId == backendId ? resource : none;
}
}  // namespace

VelGraphicsDevice& VelGraphicsDevice::GetInstance() {
  static VelGraphicsDevice instance;
  return instance;
}

VelGraphicsDevice::VelGraphicsDevice() = default;

VelGraphicsDevice::~VelGraphicsDevice() {
  Release();
}

bool VelGraphicsDevice::Init(void* window, int widthIn, int heightIn, bool debug, std::string& errorText) {
  Release();
  rasterising = true;
  std::unique_ptr<VelGraphicsBackend> made;
  if (window)
    made = VelCreateWindowBackend();
  else
    made = std::make_unique<VelHeadlessBackend>();
  made->id = NextBackendId();
  if (!made->Init(window, widthIn, heightIn, debug, errorText)) return false;
  backend = std::move(made);
  headless = window == nullptr;
  width = widthIn;
  height = heightIn;

  backBuffer = std::make_shared<VelTexture>();
  depthBuffer = std::make_shared<VelTexture>();
  if (!backBuffer->CreateFromResource(backend->BackBuffer())) {
    errorText = "バックバッファ作成失敗";
    Release();
    return false;
  }
  if (!depthBuffer->CreateFromResource(backend->DepthBuffer())) {
    errorText = "Zバッファ作成失敗";
    Release();
    return false;
  }

  SetBlendState(CreateBlendState(1), {0, 0, 0, 0}, 0xFFFFFFFF);
  SetSampler(0, CreateSamplerState(2, 4, 0, false));
  SetSampler(1, CreateSamplerState(2, 4, 1, false));
  SetRasterizerState(CreateRasterizerState(VelCullMode::None, VelFillMode::Solid, true, false));
  SetDepthStencilState(CreateDepthStencilState(true, true), 0);

  whiteTexture = std::make_shared<VelTexture>();
  const uint32_t white = 0xFFFFFFFF;
  if (whiteTexture->CreateFromPixels(1, 1, VelFormat::RGBA8Unorm, 1, &white))
    whiteTexture->shaderResourceView->name = "(white)";

  for (int i = 0; i < kVelTempVertexBufferCount; ++i)
    tempVertexBuffers[i].Create(VelBind::VertexBuffer, kVelTempVertexBufferBase << i, VelUsage::Dynamic,
                                nullptr);
  return true;
}

void VelGraphicsDevice::Release() {
  for (int i = kVelTempVertexBufferCount - 1; i >= 0; --i) tempVertexBuffers[i].Release();
  growVertexBuffer.Release();
  whiteTexture.reset();
  worldTarget.reset();
  worldOpen = false;
  timingFrame = false;
  state = VelPipelineState{};
  depthBuffer.reset();
  backBuffer.reset();
  backend.reset();
  headless = false;
  width = 0;
  height = 0;
}

std::shared_ptr<VelBlendState> VelGraphicsDevice::CreateBlendState(int mode) {
  if (!backend || mode < 0 || mode > 2) return nullptr;
  auto blend = std::make_shared<VelBlendState>();
  blend->mode = mode;
  return blend;
}

std::shared_ptr<VelDepthStencilState> VelGraphicsDevice::CreateDepthStencilState(bool depthTest,
                                                                                 bool depthWrite) {
  if (!backend) return nullptr;
  auto depth = std::make_shared<VelDepthStencilState>();
  depth->depthTest = depthTest;
  depth->depthWrite = depthWrite;
  return depth;
}

std::shared_ptr<VelRasterizerState> VelGraphicsDevice::CreateRasterizerState(VelCullMode cull,
                                                                             VelFillMode fill, bool depthClip,
                                                                             bool scissor) {
  if (!backend) return nullptr;
  auto rasterizer = std::make_shared<VelRasterizerState>();
  rasterizer->cull = cull;
  rasterizer->fill = fill;
  rasterizer->depthClip = depthClip;
  rasterizer->scissor = scissor;
  return rasterizer;
}

std::shared_ptr<VelSamplerState> VelGraphicsDevice::CreateSamplerState(int filter, int maxAnisotropy,
                                                                       int address, bool comparison) {
  if (!backend || filter < 0 || filter > 2 || address < 0 || address > 1) return nullptr;
  if (filter == 2 && (maxAnisotropy < 1 || maxAnisotropy > 16)) return nullptr;
  auto sampler = std::make_shared<VelSamplerState>();
  sampler->filter = filter;
  sampler->maxAnisotropy = maxAnisotropy;
  sampler->address = address;
  sampler->comparison = comparison;
  sampler->handle = backend->CreateSampler(*sampler);
  if (!sampler->handle) return nullptr;
  return sampler;
}

std::shared_ptr<VelShader> VelGraphicsDevice::CreateShader(VelShaderPath path) {
  if (!backend || path == VelShaderPath::None) return nullptr;
  auto shader = std::make_shared<VelShader>();
  shader->path = path;
  shader->program = backend->CreateProgram(path);
  if (!shader->program) return nullptr;
  return shader;
}

void VelGraphicsDevice::SetBlendState(const std::shared_ptr<VelBlendState>& blend, const float4& factor,
                                      uint32_t sampleMask) {
  if (!backend) return;
  state.blend = blend;
  state.blendFactor = factor;
  state.sampleMask = sampleMask;
  backend->ApplyBlend(state);
}

void VelGraphicsDevice::SetDepthStencilState(const std::shared_ptr<VelDepthStencilState>& depth,
                                             uint32_t stencilRef) {
  if (!backend) return;
  state.depthStencil = depth;
  state.stencilRef = stencilRef;
  backend->ApplyDepthStencil(state);
}

void VelGraphicsDevice::SetRasterizerState(const std::shared_ptr<VelRasterizerState>& rasterizer) {
  if (!backend) return;
  state.rasterizer = rasterizer;
  backend->ApplyRasterizer(state);
}

void VelGraphicsDevice::SetSampler(int slot, const std::shared_ptr<VelSamplerState>& sampler) {
  if (!backend || slot < 0 || slot >= kVelSamplerSlots) return;
  bool current = sampler && sampler->handle && sampler->handle->backendId == backend->id;
  state.samplers[slot] = current ? sampler : nullptr;
  backend->ApplySampler(state, slot);
}

void VelGraphicsDevice::SetShader(const std::shared_ptr<VelShader>& shader) {
  if (!backend) return;
  bool current = shader && shader->program && shader->program->backendId == backend->id;
  state.shader = current ? shader : nullptr;
  backend->ApplyShader(state);
}

void VelGraphicsDevice::SetConstantBuffer(int slot, const VelBuffer* buffer) {
  if (!backend || slot < 0 || slot >= kVelConstantSlots) return;
  state.constantBuffers[slot] = buffer ? Current(buffer->buffer, backend->id) : nullptr;
  backend->ApplyConstantBuffer(state, slot);
}

void VelGraphicsDevice::SetTexture(int slot, const VelTexture* texture) {
  if (!backend || slot < 0 || slot >= kVelTextureSlots) return;
  state.textures[slot] = texture ? Current(texture->shaderResourceView, backend->id) : nullptr;
  backend->ApplyTexture(state, slot);
}

void VelGraphicsDevice::SetVertexBuffer(const VelBuffer* buffer, uint32_t stride, uint32_t offset) {
  if (!backend) return;
  state.vertexBuffer = buffer ? Current(buffer->buffer, backend->id) : nullptr;
  state.vertexStride = stride;
  state.vertexOffset = offset;
}

void VelGraphicsDevice::SetIndexBuffer(const VelBuffer* buffer) {
  if (!backend) return;
  state.indexBuffer = buffer ? Current(buffer->buffer, backend->id) : nullptr;
}

void VelGraphicsDevice::SetTopology(VelTopology topology) {
  state.topology = topology;
}

void VelGraphicsDevice::Draw(uint32_t vertexCount, uint32_t startVertex) {
  if (!backend || !rasterising || vertexCount == 0) return;
  backend->Draw(state, false, vertexCount, startVertex, 0);
}

void VelGraphicsDevice::DrawIndexed(uint32_t indexCount, uint32_t startIndex, int32_t baseVertex) {
  if (!backend || !rasterising || indexCount == 0) return;
  backend->Draw(state, true, indexCount, startIndex, baseVertex);
}

void VelGraphicsDevice::DrawVertices(VelTopology topology, uint32_t vertexCount, const void* vertices,
                                     uint32_t stride) {
  if (!backend) return;
  SetTopology(topology);
  uint32_t size = vertexCount * stride;
  VelBuffer* chosen = nullptr;
  for (VelBuffer& temp : tempVertexBuffers) {
    if (temp.capacity > size) {
      chosen = &temp;
      break;
    }
  }
  if (!chosen) {
    chosen = &growVertexBuffer;
    if (growVertexBuffer.capacity < size &&
        !growVertexBuffer.Create(VelBind::VertexBuffer, size, VelUsage::Dynamic, nullptr))
      return;
  }
  chosen->WriteData(vertices, size);
  SetVertexBuffer(chosen, stride, 0);
  Draw(vertexCount, 0);
}

void VelGraphicsDevice::BeginWorld() {
  // Without a stretch (the headless recorder) nothing is timed or scaled.
  if (!backend || !rasterising || !backend->CanScaleWorld()) return;
  timingFrame = true;
  frameStartMs = NowMs();
  if (worldOpen) return;
  const float scale = renderScale.GetScale();
  if (scale >= 1.0f) return;
  const int scaledWidth = std::max(1, int(std::lround(float(width) * scale)));
  const int scaledHeight = std::max(1, int(std::lround(float(height) * scale)));
  // Made at exactly the world's size, so its clears clear it whole: a clear
  // kept to a corner is a drawn rectangle on llvmpipe, at three times the cost.
  if (!worldTarget || int(worldTarget->GetWidth()) != scaledWidth ||
      int(worldTarget->GetHeight()) != scaledHeight) {
    VelTextureDesc desc;
    desc.width = uint32_t(scaledWidth);
    desc.height = uint32_t(scaledHeight);
    // In the window's byte order: llvmpipe stretches such a texture into the
    // window on its fast linear path, at a third of the cost.
    desc.format = VelFormat::BGRA8Unorm;
    desc.bindFlags = VelBind::ShaderResource | VelBind::RenderTarget;
    auto made = std::make_shared<VelTexture>();
    if (!made->Create(desc, nullptr)) return;
    worldTarget = made;
  }
  worldScale = scale;
  backend->SetRenderTarget(worldTarget->shaderResourceView.get(), scaledWidth, scaledHeight);
  worldOpen = true;
  SetScaledWorld(true);
}

void VelGraphicsDevice::BeginOverlay() {
  if (!backend || !worldOpen) return;
  worldOpen = false;
  SetScaledWorld(false);
  backend->StretchToBackBuffer(*worldTarget->shaderResourceView, int(worldTarget->GetWidth()),
                               int(worldTarget->GetHeight()), state);
}

void VelGraphicsDevice::SetScaledWorld(bool on) {
  state.scaledWorld = on;
  for (int slot = 0; slot < kVelSamplerSlots; ++slot) backend->ApplySampler(state, slot);
}

void VelGraphicsDevice::ClearBackBuffer(const float4& color) {
  if (backend && rasterising) backend->ClearColor(color);
}

void VelGraphicsDevice::ClearDepth(float depth, uint8_t stencil) {
  if (backend && rasterising) backend->ClearDepth(depth, stencil);
}

void VelGraphicsDevice::Present() {
  if (!backend || !rasterising) return;
  BeginOverlay();
  backend->Present();
  if (timingFrame) renderScale.ReportFrameCost(float(NowMs() - frameStartMs));
  timingFrame = false;
}

bool VelGraphicsDevice::SetFullscreen(bool fullscreen) {
  return backend && backend->SetFullscreen(fullscreen);
}

bool VelGraphicsDevice::ReadBackBuffer(std::vector<uint8_t>& rgba, int& outWidth, int& outHeight) {
  return backend && backend->ReadBackBuffer(rgba, outWidth, outHeight);
}

bool VelGraphicsDevice::CaptureBackBuffer(const std::string& pngPath) {
  std::vector<uint8_t> rgba;
  int w = 0, h = 0;
  if (!ReadBackBuffer(rgba, w, h)) return false;
  return stbi_write_png(pngPath.c_str(), w, h, 4, rgba.data(), w * 4) != 0;
}

const std::vector<VelDrawRecord>& VelGraphicsDevice::GetDrawRecords() const {
  static const std::vector<VelDrawRecord> none;
  auto* recorder = dynamic_cast<VelHeadlessBackend*>(backend.get());
  return recorder ? recorder->records : none;
}

void VelGraphicsDevice::ClearDrawRecords() {
  if (auto* recorder = dynamic_cast<VelHeadlessBackend*>(backend.get())) recorder->records.clear();
}

const VelHeadlessStats& VelGraphicsDevice::GetHeadlessStats() const {
  static const VelHeadlessStats none;
  auto* recorder = dynamic_cast<VelHeadlessBackend*>(backend.get());
  return recorder ? recorder->stats : none;
}

std::shared_ptr<VelBufferResource> VelGraphicsDevice::CreateBufferResource(uint32_t bindFlags, uint32_t size,
                                                                           uint32_t usage, const void* data) {
  if (!backend) return nullptr;
  return backend->CreateBuffer(bindFlags, size, usage, data);
}

bool VelGraphicsDevice::WriteBufferResource(VelBufferResource& buffer, const void* data, uint32_t size) {
  if (!backend || buffer.backendId != backend->id) return false;
  return backend->WriteBuffer(buffer, data, size);
}

std::shared_ptr<VelTextureResource> VelGraphicsDevice::CreateTextureResource(const VelTextureDesc& desc,
                                                                             const void* data) {
  if (!backend) return nullptr;
  std::shared_ptr<VelTextureResource> texture = backend->CreateTexture(desc, data);
  if (texture) texture->plainColour = PlainColourOf(desc, data);
  return texture;
}
