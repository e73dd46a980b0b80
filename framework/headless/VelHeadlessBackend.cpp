#include "framework/headless/VelHeadlessBackend.h"

#include <cstring>

#include "framework/VelConstantBuffer.h"
#include "framework/VelGraphicsDevice.h"
#include "platform/Platform.h"

namespace {
// The uploaded bytes of a bound constant buffer, when it holds at least size bytes.
const uint8_t* BoundConstants(const VelPipelineState& state, int slot, size_t size) {
  auto* buffer = static_cast<const VelHeadlessBuffer*>(state.constantBuffers[slot].get());
  if (!buffer || buffer->data.size() < size) return nullptr;
  return buffer->data.data();
}
}  // namespace

bool VelHeadlessBackend::Init(void*, int width, int height, bool, std::string&) {
  VelTextureDesc colorDesc;
  colorDesc.width = uint32_t(width);
  colorDesc.height = uint32_t(height);
  colorDesc.bindFlags = VelBind::ShaderResource | VelBind::RenderTarget;
  backBuffer = CreateTexture(colorDesc, nullptr);
  VelTextureDesc depthDesc = colorDesc;
  depthDesc.format = VelFormat::R32Typeless;
  depthDesc.bindFlags = VelBind::ShaderResource | VelBind::DepthStencil;
  depthBuffer = CreateTexture(depthDesc, nullptr);
  return true;
}

std::shared_ptr<VelBufferResource> VelHeadlessBackend::CreateBuffer(uint32_t bindFlags, uint32_t size,
                                                                    uint32_t usage, const void* data) {
  ++stats.buffersCreated;
  auto buffer = std::make_shared<VelHeadlessBuffer>();
  buffer->backendId = id;
  buffer->bindFlags = bindFlags;
  buffer->size = size;
  buffer->usage = usage;
  buffer->data.assign(size, 0);
  if (data && size) std::memcpy(buffer->data.data(), data, size);
  return buffer;
}

bool VelHeadlessBackend::WriteBuffer(VelBufferResource& resource, const void* data, uint32_t size) {
  if (resource.backendId != id || size > resource.size) return false;
  ++stats.bufferWrites;
  auto& buffer = static_cast<VelHeadlessBuffer&>(resource);
  if (data)
    std::memcpy(buffer.data.data(), data, size);
  else
    std::memset(buffer.data.data(), 0, buffer.data.size());
  return true;
}

std::shared_ptr<VelTextureResource> VelHeadlessBackend::CreateTexture(const VelTextureDesc& desc,
                                                                      const void* data) {
  ++stats.texturesCreated;
  auto texture = std::make_shared<VelHeadlessTexture>();
  texture->backendId = id;
  texture->desc = desc;
  // Only given contents are kept: render targets have no pixels to hold here.
  if (data) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    texture->pixels.assign(bytes, bytes + size_t(desc.width) * desc.height * 4);
  }
  return texture;
}

std::unique_ptr<VelGpuResource> VelHeadlessBackend::CreateSampler(const VelSamplerState&) {
  auto sampler = std::make_unique<VelGpuResource>();
  sampler->backendId = id;
  return sampler;
}

std::unique_ptr<VelGpuResource> VelHeadlessBackend::CreateProgram(VelShaderPath) {
  auto program = std::make_unique<VelGpuResource>();
  program->backendId = id;
  return program;
}

void VelHeadlessBackend::Draw(const VelPipelineState& state, bool indexed, uint32_t count, uint32_t start,
                              int32_t) {
  VelDrawRecord record;
  record.shader = state.shader ? state.shader->path : VelShaderPath::None;
  record.blendMode = state.blend ? state.blend->mode : -1;
  // With no state bound the context's default applies: test and write on.
  record.depthTest = state.depthStencil ? state.depthStencil->depthTest : true;
  record.depthWrite = state.depthStencil ? state.depthStencil->depthWrite : true;
  record.samplerFilter = state.samplers[0] ? state.samplers[0]->filter : -1;
  record.topology = state.topology;
  record.indexed = indexed;
  record.count = count;
  record.start = start;
  record.vertexStride = state.vertexStride;
  record.vertexBuffer = state.vertexBuffer.get();
  for (size_t i = 0; i < record.textures.size(); ++i) {
    record.textures[i] = state.textures[i].get();
    if (state.textures[i]) record.textureNames[i] = state.textures[i]->name;
  }
  if (const uint8_t* slot0 = BoundConstants(state, 0, sizeof(float4x4)))
    std::memcpy(&record.world, slot0, sizeof(float4x4));
  if (record.shader == VelShaderPath::Model) {
    if (const uint8_t* object = BoundConstants(state, 0, sizeof(VelCbObject)))
      std::memcpy(&record.lightEnable, object + offsetof(VelCbObject, g_LightEnable), sizeof(int32_t));
    if (const uint8_t* material = BoundConstants(state, 1, sizeof(VelCbMaterial)))
      std::memcpy(&record.material, material, sizeof(VelMaterialConstants));
  } else if (record.shader == VelShaderPath::Sprite) {
    if (const uint8_t* sprite = BoundConstants(state, 0, sizeof(VelCbSprite)))
      std::memcpy(&record.color, sprite + offsetof(VelCbSprite, g_color), sizeof(float4));
  }
  records.push_back(std::move(record));
}

bool VelHeadlessBackend::SetFullscreen(bool fullscreen) {
  return Sys().SetFullscreen(fullscreen);
}

bool VelHeadlessBackend::ReadBackBuffer(std::vector<uint8_t>&, int&, int&) {
  return false;
}
