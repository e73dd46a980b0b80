#include "framework/d3d11/VelD3D11Backend.h"

#include <d3dcompiler.h>

#include <cfloat>
#include <cstdio>
#include <cstring>

#include "framework/VelGraphicsDevice.h"
#include "framework/d3d11/VelD3D11Shaders.h"

namespace {

template <class T>
using Com = Microsoft::WRL::ComPtr<T>;

class D3dBuffer : public VelBufferResource {
 public:
  Com<ID3D11Buffer> buffer;
};

class D3dTexture : public VelTextureResource {
 public:
  Com<ID3D11Texture2D> texture;
  Com<ID3D11ShaderResourceView> shaderView;
  Com<ID3D11RenderTargetView> targetView;
  Com<ID3D11DepthStencilView> depthView;
};

class D3dSampler : public VelGpuResource {
 public:
  Com<ID3D11SamplerState> sampler;
  // An anisotropic sampler's bilinear twin, for worlds drawn below full scale.
  Com<ID3D11SamplerState> bilinear;
};

class D3dProgram : public VelGpuResource {
 public:
  Com<ID3D11VertexShader> vertexShader;
  Com<ID3D11PixelShader> pixelShader;
  Com<ID3D11InputLayout> inputLayout;
  // Sprites only: the build for a texture of one plain colour; null where
  // it could not be made, and such sprites then sample as any other.
  Com<ID3D11PixelShader> plainPixelShader;
};

DXGI_FORMAT FormatOf(VelFormat format) {
  switch (format) {
    case VelFormat::RGBA8Unorm:
      return DXGI_FORMAT_R8G8B8A8_UNORM;
    case VelFormat::BGRA8Unorm:
      return DXGI_FORMAT_B8G8R8A8_UNORM;
    case VelFormat::R32Typeless:
      return DXGI_FORMAT_R32_TYPELESS;
    case VelFormat::R32Float:
      return DXGI_FORMAT_R32_FLOAT;
    case VelFormat::D32Float:
      return DXGI_FORMAT_D32_FLOAT;
    case VelFormat::R16Typeless:
      return DXGI_FORMAT_R16_TYPELESS;
    case VelFormat::R16Unorm:
      return DXGI_FORMAT_R16_UNORM;
    case VelFormat::D16Unorm:
      return DXGI_FORMAT_D16_UNORM;
    case VelFormat::R24G8Typeless:
      return DXGI_FORMAT_R24G8_TYPELESS;
    case VelFormat::R24UnormX8Typeless:
      return DXGI_FORMAT_R24_UNORM_X8_TYPELESS;
    case VelFormat::D24UnormS8Uint:
      return DXGI_FORMAT_D24_UNORM_S8_UINT;
    default:
      return DXGI_FORMAT_UNKNOWN;
  }
}

VelFormat VelFormatOf(DXGI_FORMAT format) {
  switch (format) {
    case DXGI_FORMAT_R8G8B8A8_UNORM:
      return VelFormat::RGBA8Unorm;
    case DXGI_FORMAT_B8G8R8A8_UNORM:
      return VelFormat::BGRA8Unorm;
    case DXGI_FORMAT_R32_TYPELESS:
      return VelFormat::R32Typeless;
    case DXGI_FORMAT_R32_FLOAT:
      return VelFormat::R32Float;
    case DXGI_FORMAT_D32_FLOAT:
      return VelFormat::D32Float;
    case DXGI_FORMAT_R16_TYPELESS:
      return VelFormat::R16Typeless;
    case DXGI_FORMAT_R16_UNORM:
      return VelFormat::R16Unorm;
    case DXGI_FORMAT_D16_UNORM:
      return VelFormat::D16Unorm;
    case DXGI_FORMAT_R24G8_TYPELESS:
      return VelFormat::R24G8Typeless;
    case DXGI_FORMAT_R24_UNORM_X8_TYPELESS:
      return VelFormat::R24UnormX8Typeless;
    case DXGI_FORMAT_D24_UNORM_S8_UINT:
      return VelFormat::D24UnormS8Uint;
    default:
      return VelFormat::Unknown;
  }
}

// Bytes per pixel of the formats initial data may come in.
UINT PixelBytes(VelFormat format) {
  switch (format) {
    case VelFormat::R16Typeless:
    case VelFormat::R16Unorm:
    case VelFormat::D16Unorm:
      return 2;
    default:
      return 4;
  }
}

D3D11_USAGE UsageOf(uint32_t usage) {
  switch (usage) {
    case VelUsage::Immutable:
      return D3D11_USAGE_IMMUTABLE;
    case VelUsage::Dynamic:
      return D3D11_USAGE_DYNAMIC;
    case VelUsage::Staging:
      return D3D11_USAGE_STAGING;
    default:
      return D3D11_USAGE_DEFAULT;
  }
}

UINT CpuAccessOf(uint32_t usage) {
  if (usage == VelUsage::Dynamic) return D3D11_CPU_ACCESS_WRITE;
  if (usage == VelUsage::Staging) return D3D11_CPU_ACCESS_READ | D3D11_CPU_ACCESS_WRITE;
  return 0;
}

// The framework's bind flags are Direct3D's own values.
static_assert(VelBind::VertexBuffer == D3D11_BIND_VERTEX_BUFFER, "bind flags differ");
static_assert(VelBind::IndexBuffer == D3D11_BIND_INDEX_BUFFER, "bind flags differ");
static_assert(VelBind::ConstantBuffer == D3D11_BIND_CONSTANT_BUFFER, "bind flags differ");
static_assert(VelBind::ShaderResource == D3D11_BIND_SHADER_RESOURCE, "bind flags differ");
static_assert(VelBind::RenderTarget == D3D11_BIND_RENDER_TARGET, "bind flags differ");
static_assert(VelBind::DepthStencil == D3D11_BIND_DEPTH_STENCIL, "bind flags differ");

D3D11_PRIMITIVE_TOPOLOGY TopologyOf(VelTopology topology) {
  switch (topology) {
    case VelTopology::PointList:
      return D3D11_PRIMITIVE_TOPOLOGY_POINTLIST;
    case VelTopology::LineList:
      return D3D11_PRIMITIVE_TOPOLOGY_LINELIST;
    case VelTopology::LineStrip:
      return D3D11_PRIMITIVE_TOPOLOGY_LINESTRIP;
    case VelTopology::TriangleStrip:
      return D3D11_PRIMITIVE_TOPOLOGY_TRIANGLESTRIP;
    default:
      return D3D11_PRIMITIVE_TOPOLOGY_TRIANGLELIST;
  }
}

struct InputLayout {
  const D3D11_INPUT_ELEMENT_DESC* elements;
  UINT count;
};

InputLayout LayoutOf(VelShaderPath path) {
  static const D3D11_INPUT_ELEMENT_DESC model[] = {
      {"POSITION", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, 0, D3D11_INPUT_PER_VERTEX_DATA, 0},
      {"TEXCOORD", 0, DXGI_FORMAT_R32G32_FLOAT, 0, 12, D3D11_INPUT_PER_VERTEX_DATA, 0},
      {"NORMAL", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, 20, D3D11_INPUT_PER_VERTEX_DATA, 0},
      {"COLOR", 0, DXGI_FORMAT_R8G8B8A8_UNORM, 0, 32, D3D11_INPUT_PER_VERTEX_DATA, 0},
  };
  static const D3D11_INPUT_ELEMENT_DESC effect[] = {
      {"POSITION", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, 0, D3D11_INPUT_PER_VERTEX_DATA, 0},
      {"TEXCOORD", 0, DXGI_FORMAT_R32G32_FLOAT, 0, 12, D3D11_INPUT_PER_VERTEX_DATA, 0},
      {"COLOR", 0, DXGI_FORMAT_R32G32B32A32_FLOAT, 0, 20, D3D11_INPUT_PER_VERTEX_DATA, 0},
  };
  static const D3D11_INPUT_ELEMENT_DESC sprite[] = {
      {"POSITION", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, 0, D3D11_INPUT_PER_VERTEX_DATA, 0},
      {"TEXCOORD", 0, DXGI_FORMAT_R32G32_FLOAT, 0, 12, D3D11_INPUT_PER_VERTEX_DATA, 0},
  };
  switch (path) {
    case VelShaderPath::Model:
      return {model, 4};
    case VelShaderPath::Effect:
      return {effect, 3};
    default:
      return {sprite, 2};
  }
}

// The stage's shader model 4 profile for the device's feature level.
const char* ProfileFor(const char* profile, D3D_FEATURE_LEVEL level) {
  const bool vertex = profile[0] == 'v';
  if (level >= D3D_FEATURE_LEVEL_10_0) return profile;
  if (level >= D3D_FEATURE_LEVEL_9_3) return vertex ? "vs_4_0_level_9_3" : "ps_4_0_level_9_3";
  return vertex ? "vs_4_0_level_9_1" : "ps_4_0_level_9_1";
}

// A compiler's messages; not every compiler ends them with a zero byte.
std::string MessagesOf(ID3DBlob* errors) {
  if (!errors) return {};
  return std::string(static_cast<const char*>(errors->GetBufferPointer()), errors->GetBufferSize());
}

Com<ID3DBlob> Compile(const VelHlslStage& stage, const char* profile, bool debug) {
  const UINT flags =
      D3DCOMPILE_ENABLE_STRICTNESS | (debug ? D3DCOMPILE_DEBUG : D3DCOMPILE_OPTIMIZATION_LEVEL3);
  Com<ID3DBlob> code, errors;
  HRESULT hr = D3DCompile(stage.source, std::strlen(stage.source), nullptr, nullptr, nullptr,
                          stage.entryPoint, profile, flags, 0, &code, &errors);
  if (SUCCEEDED(hr)) return code;
  // An older compiler gets the stage in the form it can build (see the
  // shader sources).
  static const D3D_SHADER_MACRO limited[] = {{"VEL_HLSL_LIMITED", "1"}, {nullptr, nullptr}};
  Com<ID3DBlob> limitedErrors;
  const HRESULT limitedHr = D3DCompile(stage.source, std::strlen(stage.source), nullptr, limited, nullptr,
                                       stage.entryPoint, profile, flags, 0, &code, &limitedErrors);
  if (SUCCEEDED(limitedHr)) {
    std::fprintf(stderr, "HLSL %s: built in the limited form after: %s\n", profile,
                 MessagesOf(errors.Get()).c_str());
    return code;
  }
  std::fprintf(stderr, "HLSL %s failed (0x%08lx): %s\nlimited form (0x%08lx): %s\n", profile,
               static_cast<unsigned long>(hr), MessagesOf(errors.Get()).c_str(),
               static_cast<unsigned long>(limitedHr), MessagesOf(limitedErrors.Get()).c_str());
  return nullptr;
}

}  // namespace

std::unique_ptr<VelGraphicsBackend> VelCreateWindowBackend() {
  return std::make_unique<VelD3D11Backend>();
}

VelD3D11Backend::VelD3D11Backend() = default;

VelD3D11Backend::~VelD3D11Backend() {
  Shutdown();
}

void VelD3D11Backend::Shutdown() {
  stretchVertex.Reset();
  stretchPixel.Reset();
  stretchConstants.Reset();
  stretchSampler.Reset();
  stretchDepth.Reset();
  stretchRasterizer.Reset();
  plainTexelConstants.Reset();
  plainTexel.reset();
  boundPixel = nullptr;
  boundColor = nullptr;
  worldDepth.reset();
  blendStates.clear();
  depthStates.clear();
  rasterizerStates.clear();
  if (context) context->ClearState();
  backBuffer.reset();
  depthBuffer.reset();
  // A swap chain must leave full screen before it is released.
  if (swapChain) swapChain->SetFullscreenState(FALSE, nullptr);
  swapChain.Reset();
  factory.Reset();
  context.Reset();
  device.Reset();
}

bool VelD3D11Backend::Init(void* window, int widthIn, int heightIn, bool debugLayer, std::string& errorText) {
  debug = debugLayer;
  width = widthIn;
  height = heightIn;
  if (FAILED(CreateDXGIFactory1(__uuidof(IDXGIFactory1), reinterpret_cast<void**>(factory.GetAddressOf())))) {
    errorText = "ファクトリー作成失敗";
    Shutdown();
    return false;
  }

  static const D3D_FEATURE_LEVEL levels[] = {
      D3D_FEATURE_LEVEL_11_1, D3D_FEATURE_LEVEL_11_0, D3D_FEATURE_LEVEL_10_1, D3D_FEATURE_LEVEL_10_0,
      D3D_FEATURE_LEVEL_9_3,  D3D_FEATURE_LEVEL_9_2,  D3D_FEATURE_LEVEL_9_1,
  };
  const UINT flags = debug ? D3D11_CREATE_DEVICE_DEBUG : 0;
  HRESULT hr = D3D11CreateDevice(nullptr, D3D_DRIVER_TYPE_HARDWARE, nullptr, flags, levels, 7,
                                 D3D11_SDK_VERSION, &device, &featureLevel, &context);
  // A runtime older than 11.1 refuses a list that names 11.1: ask again without it.
  if (hr == E_INVALIDARG)
    hr = D3D11CreateDevice(nullptr, D3D_DRIVER_TYPE_HARDWARE, nullptr, flags, levels + 1, 6,
                           D3D11_SDK_VERSION, &device, &featureLevel, &context);
  if (FAILED(hr)) {
    errorText = "Direct3D11デバイス作成失敗";
    Shutdown();
    return false;
  }

  DXGI_SWAP_CHAIN_DESC chain{};
  chain.BufferDesc.Width = UINT(width);
  chain.BufferDesc.Height = UINT(height);
  chain.BufferDesc.RefreshRate = {0, 1};
  chain.BufferDesc.Format = DXGI_FORMAT_R8G8B8A8_UNORM;
  chain.SampleDesc = {1, 0};
  chain.BufferUsage = DXGI_USAGE_SHADER_INPUT | DXGI_USAGE_RENDER_TARGET_OUTPUT;
  chain.BufferCount = 2;
  chain.OutputWindow = static_cast<HWND>(window);
  chain.Windowed = TRUE;
  chain.SwapEffect = DXGI_SWAP_EFFECT_DISCARD;
  chain.Flags = DXGI_SWAP_CHAIN_FLAG_ALLOW_MODE_SWITCH;
  if (FAILED(factory->CreateSwapChain(device.Get(), &chain, &swapChain))) {
    errorText = "スワップチェイン作成失敗";
    Shutdown();
    return false;
  }

  Com<ID3D11Texture2D> buffer0;
  if (FAILED(swapChain->GetBuffer(0, __uuidof(ID3D11Texture2D),
                                  reinterpret_cast<void**>(buffer0.GetAddressOf())))) {
    errorText = "バックバッファ取得失敗";
    Shutdown();
    return false;
  }
  backBuffer = WrapTexture(buffer0);
  if (!backBuffer) {
    errorText = "バックバッファ作成失敗";
    Shutdown();
    return false;
  }
  backBuffer->name = "(back buffer)";

  VelTextureDesc depthDesc;
  depthDesc.width = uint32_t(width);
  depthDesc.height = uint32_t(height);
  depthDesc.format = VelFormat::R32Typeless;
  depthDesc.bindFlags = VelBind::DepthStencil | VelBind::ShaderResource;
  depthBuffer = CreateTexture(depthDesc, nullptr);
  if (!depthBuffer) {
    errorText = "Zバッファ作成失敗";
    Shutdown();
    return false;
  }
  depthBuffer->name = "(depth buffer)";

  auto* target = static_cast<D3dTexture*>(backBuffer.get());
  auto* depth = static_cast<D3dTexture*>(depthBuffer.get());
  ID3D11RenderTargetView* targets[] = {target->targetView.Get()};
  context->OMSetRenderTargets(1, targets, depth->depthView.Get());
  D3D11_VIEWPORT viewport{0, 0, float(width), float(height), 0, 1};
  context->RSSetViewports(1, &viewport);
  CreateStretch();
  return true;
}

void VelD3D11Backend::CreateStretch() {
  if (featureLevel < D3D_FEATURE_LEVEL_10_0) return;
  const VelHlslStage vertex = VelD3D11StretchStage(true);
  const VelHlslStage pixel = VelD3D11StretchStage(false);
  Com<ID3DBlob> vertexCode = Compile(vertex, vertex.profile, debug);
  Com<ID3DBlob> pixelCode = Compile(pixel, pixel.profile, debug);
  if (!vertexCode || !pixelCode) return;
  D3D11_BUFFER_DESC constants{};
  constants.ByteWidth = 32;
  constants.Usage = D3D11_USAGE_DEFAULT;
  constants.BindFlags = D3D11_BIND_CONSTANT_BUFFER;
  D3D11_SAMPLER_DESC sampler{};
  sampler.Filter = D3D11_FILTER_MIN_MAG_MIP_LINEAR;
  sampler.AddressU = sampler.AddressV = sampler.AddressW = D3D11_TEXTURE_ADDRESS_CLAMP;
  sampler.ComparisonFunc = D3D11_COMPARISON_NEVER;
  sampler.MaxLOD = FLT_MAX;
  D3D11_DEPTH_STENCIL_DESC depth{};
  depth.DepthEnable = FALSE;
  depth.DepthWriteMask = D3D11_DEPTH_WRITE_MASK_ZERO;
  depth.DepthFunc = D3D11_COMPARISON_ALWAYS;
  D3D11_RASTERIZER_DESC rasterizer{};
  rasterizer.FillMode = D3D11_FILL_SOLID;
  rasterizer.CullMode = D3D11_CULL_NONE;
  rasterizer.DepthClipEnable = TRUE;
  Com<ID3D11VertexShader> madeVertex;
  Com<ID3D11PixelShader> madePixel;
  if (FAILED(device->CreateVertexShader(vertexCode->GetBufferPointer(), vertexCode->GetBufferSize(), nullptr,
                                        &madeVertex)) ||
      FAILED(device->CreatePixelShader(pixelCode->GetBufferPointer(), pixelCode->GetBufferSize(), nullptr,
                                       &madePixel)) ||
      FAILED(device->CreateBuffer(&constants, nullptr, &stretchConstants)) ||
      FAILED(device->CreateSamplerState(&sampler, &stretchSampler)) ||
      FAILED(device->CreateDepthStencilState(&depth, &stretchDepth)) ||
      FAILED(device->CreateRasterizerState(&rasterizer, &stretchRasterizer)))
    return;
  stretchVertex = madeVertex;
  stretchPixel = madePixel;
}

VelTextureResource* VelD3D11Backend::DepthFor(const VelTextureResource* color) {
  if (!color ||
      (color->desc.width == depthBuffer->desc.width && color->desc.height == depthBuffer->desc.height))
    return depthBuffer.get();
  if (!worldDepth || worldDepth->desc.width != color->desc.width ||
      worldDepth->desc.height != color->desc.height) {
    VelTextureDesc desc = depthBuffer->desc;
    desc.width = color->desc.width;
    desc.height = color->desc.height;
    worldDepth = CreateTexture(desc, nullptr);
    if (!worldDepth) return nullptr;
    worldDepth->name = "(world depth buffer)";
  }
  return worldDepth.get();
}

void VelD3D11Backend::SetRenderTarget(const VelTextureResource* color, int targetWidth, int targetHeight) {
  if (!context) return;
  boundColor = color;
  const auto* target = static_cast<const D3dTexture*>(color ? color : backBuffer.get());
  const auto* depth = static_cast<const D3dTexture*>(DepthFor(color));
  ID3D11RenderTargetView* targets[] = {target->targetView.Get()};
  context->OMSetRenderTargets(1, targets, depth ? depth->depthView.Get() : nullptr);
  D3D11_VIEWPORT viewport{0, 0, float(targetWidth), float(targetHeight), 0, 1};
  context->RSSetViewports(1, &viewport);
}

void VelD3D11Backend::StretchToBackBuffer(const VelTextureResource& color, int sourceWidth, int sourceHeight,
                                          const VelPipelineState& state) {
  if (!context || !stretchPixel) return;
  SetRenderTarget(nullptr, width, height);
  const auto& source = static_cast<const D3dTexture&>(color);
  const float targetWidth = float(source.desc.width), targetHeight = float(source.desc.height);
  const float scaleAndClamp[8] = {float(sourceWidth) / targetWidth,
                                  float(sourceHeight) / targetHeight,
                                  0,
                                  0,
                                  0.5f / targetWidth,
                                  0.5f / targetHeight,
                                  (float(sourceWidth) - 0.5f) / targetWidth,
                                  (float(sourceHeight) - 0.5f) / targetHeight};
  context->UpdateSubresource(stretchConstants.Get(), 0, nullptr, scaleAndClamp, 0, 0);
  ID3D11Buffer* constants[] = {stretchConstants.Get()};
  ID3D11ShaderResourceView* views[] = {source.shaderView.Get()};
  ID3D11SamplerState* samplers[] = {stretchSampler.Get()};
  context->IASetInputLayout(nullptr);
  context->IASetPrimitiveTopology(D3D11_PRIMITIVE_TOPOLOGY_TRIANGLELIST);
  context->VSSetShader(stretchVertex.Get(), nullptr, 0);
  context->PSSetShader(stretchPixel.Get(), nullptr, 0);
  context->VSSetConstantBuffers(0, 1, constants);
  context->PSSetConstantBuffers(0, 1, constants);
  context->PSSetShaderResources(0, 1, views);
  context->PSSetSamplers(0, 1, samplers);
  context->OMSetBlendState(nullptr, nullptr, 0xFFFFFFFF);
  context->OMSetDepthStencilState(stretchDepth.Get(), 0);
  context->RSSetState(stretchRasterizer.Get());
  context->Draw(3, 0);
  // The world's texture leaves the pixel stage before it is a target again.
  ID3D11ShaderResourceView* none[] = {nullptr};
  context->PSSetShaderResources(0, 1, none);
  ApplyShader(state);
  ApplyConstantBuffer(state, 0);
  ApplyTexture(state, 0);
  ApplySampler(state, 0);
  ApplyBlend(state);
  ApplyDepthStencil(state);
  ApplyRasterizer(state);
}

std::shared_ptr<VelTextureResource> VelD3D11Backend::WrapTexture(Com<ID3D11Texture2D> texture) {
  D3D11_TEXTURE2D_DESC d{};
  texture->GetDesc(&d);
  auto made = std::make_shared<D3dTexture>();
  made->backendId = id;
  made->texture = texture;
  made->desc.width = d.Width;
  made->desc.height = d.Height;
  made->desc.mipLevels = d.MipLevels;
  made->desc.arraySize = d.ArraySize;
  made->desc.format = VelFormatOf(d.Format);
  made->desc.sampleCount = d.SampleDesc.Count;
  made->desc.sampleQuality = d.SampleDesc.Quality;
  made->desc.usage = d.Usage == D3D11_USAGE_IMMUTABLE ? VelUsage::Immutable
                     : d.Usage == D3D11_USAGE_DYNAMIC ? VelUsage::Dynamic
                     : d.Usage == D3D11_USAGE_STAGING ? VelUsage::Staging
                                                      : VelUsage::Default;
  made->desc.bindFlags =
      d.BindFlags & (VelBind::ShaderResource | VelBind::RenderTarget | VelBind::DepthStencil);
  made->desc.cpuAccess = d.CPUAccessFlags;
  made->desc.miscFlags = d.MiscFlags;
  if (made->desc.format == VelFormat::Unknown) return nullptr;

  const bool multisampled = d.SampleDesc.Count > 1;
  if (d.BindFlags & D3D11_BIND_SHADER_RESOURCE) {
    D3D11_SHADER_RESOURCE_VIEW_DESC view{};
    view.Format = FormatOf(VelShaderViewFormat(made->desc.format));
    if (multisampled) {
      view.ViewDimension = D3D11_SRV_DIMENSION_TEXTURE2DMS;
    } else {
      view.ViewDimension = D3D11_SRV_DIMENSION_TEXTURE2D;
      view.Texture2D.MostDetailedMip = 0;
      view.Texture2D.MipLevels = UINT(-1);  // all of them
    }
    if (FAILED(device->CreateShaderResourceView(texture.Get(), &view, &made->shaderView))) return nullptr;
  }
  if (d.BindFlags & D3D11_BIND_RENDER_TARGET) {
    D3D11_RENDER_TARGET_VIEW_DESC view{};
    view.Format = d.Format;
    view.ViewDimension = multisampled ? D3D11_RTV_DIMENSION_TEXTURE2DMS : D3D11_RTV_DIMENSION_TEXTURE2D;
    if (FAILED(device->CreateRenderTargetView(texture.Get(), &view, &made->targetView))) return nullptr;
  }
  if (d.BindFlags & D3D11_BIND_DEPTH_STENCIL) {
    D3D11_DEPTH_STENCIL_VIEW_DESC view{};
    view.Format = FormatOf(VelDepthViewFormat(made->desc.format));
    view.ViewDimension = multisampled ? D3D11_DSV_DIMENSION_TEXTURE2DMS : D3D11_DSV_DIMENSION_TEXTURE2D;
    if (FAILED(device->CreateDepthStencilView(texture.Get(), &view, &made->depthView))) return nullptr;
  }
  return made;
}

std::shared_ptr<VelBufferResource> VelD3D11Backend::CreateBuffer(uint32_t bindFlags, uint32_t size,
                                                                 uint32_t usage, const void* data) {
  if (!device || size == 0) return nullptr;
  if (usage == VelUsage::Immutable && !data) return nullptr;
  D3D11_BUFFER_DESC d{};
  d.ByteWidth = size;
  d.Usage = UsageOf(usage);
  d.BindFlags = usage == VelUsage::Staging ? 0 : bindFlags;
  d.CPUAccessFlags = CpuAccessOf(usage);
  D3D11_SUBRESOURCE_DATA initial{data, 0, 0};
  auto buffer = std::make_shared<D3dBuffer>();
  if (FAILED(device->CreateBuffer(&d, data ? &initial : nullptr, &buffer->buffer))) return nullptr;
  buffer->backendId = id;
  buffer->bindFlags = bindFlags;
  buffer->size = size;
  buffer->usage = usage;
  return buffer;
}

bool VelD3D11Backend::WriteBuffer(VelBufferResource& resource, const void* data, uint32_t size) {
  if (!context || size > resource.size) return false;
  auto& buffer = static_cast<D3dBuffer&>(resource);
  switch (resource.usage) {
    case VelUsage::Dynamic:
    case VelUsage::Staging: {
      D3D11_MAPPED_SUBRESOURCE mapped{};
      const D3D11_MAP mode =
          resource.usage == VelUsage::Dynamic ? D3D11_MAP_WRITE_DISCARD : D3D11_MAP_READ_WRITE;
      if (FAILED(context->Map(buffer.buffer.Get(), 0, mode, 0, &mapped))) return false;
      if (data)
        std::memcpy(mapped.pData, data, size);
      else
        std::memset(mapped.pData, 0, resource.size);
      context->Unmap(buffer.buffer.Get(), 0);
      return true;
    }
    case VelUsage::Default: {
      std::vector<uint8_t> zeros;
      if (!data) {
        zeros.assign(resource.size, 0);
        data = zeros.data();
        size = resource.size;
      }
      // Constant buffers take only whole-resource updates.
      if (resource.bindFlags & VelBind::ConstantBuffer) {
        if (size != resource.size) return false;
        context->UpdateSubresource(buffer.buffer.Get(), 0, nullptr, data, 0, 0);
      } else {
        D3D11_BOX box{0, 0, 0, size, 1, 1};
        context->UpdateSubresource(buffer.buffer.Get(), 0, &box, data, 0, 0);
      }
      return true;
    }
    default:
      return false;
  }
}

std::shared_ptr<VelTextureResource> VelD3D11Backend::CreateTexture(const VelTextureDesc& desc,
                                                                   const void* data) {
  if (!device) return nullptr;
  const DXGI_FORMAT format = FormatOf(desc.format);
  if (format == DXGI_FORMAT_UNKNOWN) return nullptr;
  // Mip chains are generated from the top level, which needs a render target.
  const bool generateMips = desc.mipLevels != 1 && data && desc.format == VelFormat::RGBA8Unorm;
  D3D11_TEXTURE2D_DESC d{};
  d.Width = desc.width;
  d.Height = desc.height;
  d.MipLevels = desc.mipLevels;
  d.ArraySize = desc.arraySize;
  d.Format = format;
  d.SampleDesc = {desc.sampleCount, desc.sampleQuality};
  d.Usage = UsageOf(desc.usage);
  d.BindFlags = desc.usage == VelUsage::Staging ? 0 : desc.bindFlags;
  d.CPUAccessFlags = desc.cpuAccess ? desc.cpuAccess : CpuAccessOf(desc.usage);
  d.MiscFlags = desc.miscFlags;
  if (generateMips) {
    d.BindFlags |= D3D11_BIND_RENDER_TARGET | D3D11_BIND_SHADER_RESOURCE;
    d.MiscFlags |= D3D11_RESOURCE_MISC_GENERATE_MIPS;
    d.Usage = D3D11_USAGE_DEFAULT;
    d.CPUAccessFlags = 0;
  }
  const UINT rowPitch = desc.width * PixelBytes(desc.format);
  D3D11_SUBRESOURCE_DATA initial{data, rowPitch, rowPitch * desc.height};
  Com<ID3D11Texture2D> texture;
  const bool initialHere = data && !generateMips && desc.mipLevels == 1 && desc.arraySize == 1;
  if (FAILED(device->CreateTexture2D(&d, initialHere ? &initial : nullptr, &texture))) return nullptr;
  auto made = WrapTexture(texture);
  if (!made) return nullptr;
  if (generateMips) {
    context->UpdateSubresource(texture.Get(), 0, nullptr, data, rowPitch, rowPitch * desc.height);
    context->GenerateMips(static_cast<D3dTexture*>(made.get())->shaderView.Get());
  }
  // The description as asked for, not as widened for mip generation.
  made->desc = desc;
  return made;
}

std::unique_ptr<VelGpuResource> VelD3D11Backend::CreateSampler(const VelSamplerState& s) {
  if (!device) return nullptr;
  D3D11_SAMPLER_DESC d{};
  if (s.comparison) {
    d.Filter = D3D11_FILTER_COMPARISON_MIN_MAG_LINEAR_MIP_POINT;
    d.ComparisonFunc = D3D11_COMPARISON_LESS_EQUAL;
  } else {
    d.Filter = s.filter == 0   ? D3D11_FILTER_MIN_MAG_MIP_POINT
               : s.filter == 1 ? D3D11_FILTER_MIN_MAG_MIP_LINEAR
                               : D3D11_FILTER_ANISOTROPIC;
    d.ComparisonFunc = D3D11_COMPARISON_ALWAYS;
  }
  const D3D11_TEXTURE_ADDRESS_MODE address =
      s.address == 0 ? D3D11_TEXTURE_ADDRESS_WRAP : D3D11_TEXTURE_ADDRESS_CLAMP;
  d.AddressU = d.AddressV = d.AddressW = address;
  d.MipLODBias = 0;
  d.MaxAnisotropy = UINT(s.maxAnisotropy);
  d.MinLOD = 0;
  d.MaxLOD = FLT_MAX;
  auto sampler = std::make_unique<D3dSampler>();
  if (FAILED(device->CreateSamplerState(&d, &sampler->sampler))) return nullptr;
  if (d.Filter == D3D11_FILTER_ANISOTROPIC) {
    d.Filter = D3D11_FILTER_MIN_MAG_MIP_LINEAR;
    if (FAILED(device->CreateSamplerState(&d, &sampler->bilinear))) return nullptr;
  }
  sampler->backendId = id;
  return sampler;
}

std::unique_ptr<VelGpuResource> VelD3D11Backend::CreateProgram(VelShaderPath path) {
  const VelHlslStage vertex = VelD3D11ShaderStage(path, true);
  const VelHlslStage pixel = VelD3D11ShaderStage(path, false);
  if (!device || !vertex.source || !pixel.source) return nullptr;
  Com<ID3DBlob> vertexCode = Compile(vertex, ProfileFor(vertex.profile, featureLevel), debug);
  Com<ID3DBlob> pixelCode = Compile(pixel, ProfileFor(pixel.profile, featureLevel), debug);
  if (!vertexCode || !pixelCode) return nullptr;
  auto program = std::make_unique<D3dProgram>();
  if (FAILED(device->CreateVertexShader(vertexCode->GetBufferPointer(), vertexCode->GetBufferSize(), nullptr,
                                        &program->vertexShader)) ||
      FAILED(device->CreatePixelShader(pixelCode->GetBufferPointer(), pixelCode->GetBufferSize(), nullptr,
                                       &program->pixelShader)))
    return nullptr;
  const InputLayout layout = LayoutOf(path);
  if (FAILED(device->CreateInputLayout(layout.elements, layout.count, vertexCode->GetBufferPointer(),
                                       vertexCode->GetBufferSize(), &program->inputLayout)))
    return nullptr;
  if (path == VelShaderPath::Sprite) program->plainPixelShader = CreatePlainSprite();
  program->backendId = id;
  return program;
}

// A fade is a sprite of one plain colour over the whole frame: drawn without
// its texture lookup, a software rasteriser spends less on its pixels.
static_assert(kVelD3D11PlainTexelSlot >= unsigned(kVelConstantSlots), "the device would rebind the plain colour");
VelD3D11Backend::Com<ID3D11PixelShader> VelD3D11Backend::CreatePlainSprite() {
  const VelHlslStage pixel = VelD3D11PlainSpriteStage();
  Com<ID3DBlob> code = Compile(pixel, ProfileFor(pixel.profile, featureLevel), debug);
  if (!code) return nullptr;
  if (!plainTexelConstants) {
    D3D11_BUFFER_DESC constants{};
    constants.ByteWidth = sizeof(float4);
    constants.Usage = D3D11_USAGE_DEFAULT;
    constants.BindFlags = D3D11_BIND_CONSTANT_BUFFER;
    if (FAILED(device->CreateBuffer(&constants, nullptr, &plainTexelConstants))) return nullptr;
    // Bound once: the device never binds this slot, and only Shutdown clears it.
    ID3D11Buffer* bound[] = {plainTexelConstants.Get()};
    context->PSSetConstantBuffers(kVelD3D11PlainTexelSlot, 1, bound);
  }
  Com<ID3D11PixelShader> made;
  if (FAILED(device->CreatePixelShader(code->GetBufferPointer(), code->GetBufferSize(), nullptr, &made)))
    return nullptr;
  return made;
}

void VelD3D11Backend::ApplyBlend(const VelPipelineState& state) {
  if (!context) return;
  const float factor[4] = {state.blendFactor.x, state.blendFactor.y, state.blendFactor.z,
                           state.blendFactor.w};
  if (!state.blend) {
    context->OMSetBlendState(nullptr, factor, state.sampleMask);
    return;
  }
  Com<ID3D11BlendState>& made = blendStates[state.blend->mode];
  if (!made) {
    D3D11_BLEND_DESC d{};
    d.AlphaToCoverageEnable = FALSE;
    d.IndependentBlendEnable = FALSE;
    D3D11_RENDER_TARGET_BLEND_DESC& t = d.RenderTarget[0];
    t.BlendEnable = TRUE;
    t.BlendOp = t.BlendOpAlpha = D3D11_BLEND_OP_ADD;
    t.RenderTargetWriteMask = D3D11_COLOR_WRITE_ENABLE_ALL;
    switch (state.blend->mode) {
      case 0:
        t.SrcBlend = D3D11_BLEND_ONE;
        t.DestBlend = D3D11_BLEND_ZERO;
        t.SrcBlendAlpha = D3D11_BLEND_ONE;
        t.DestBlendAlpha = D3D11_BLEND_ZERO;
        break;
      case 2:
        t.SrcBlend = D3D11_BLEND_SRC_ALPHA;
        t.DestBlend = D3D11_BLEND_ONE;
        t.SrcBlendAlpha = D3D11_BLEND_ONE;
        t.DestBlendAlpha = D3D11_BLEND_INV_SRC_ALPHA;
        break;
      default:
        t.SrcBlend = D3D11_BLEND_SRC_ALPHA;
        t.DestBlend = D3D11_BLEND_INV_SRC_ALPHA;
        t.SrcBlendAlpha = D3D11_BLEND_ONE;
        t.DestBlendAlpha = D3D11_BLEND_INV_SRC_ALPHA;
        break;
    }
    device->CreateBlendState(&d, &made);
  }
  context->OMSetBlendState(made.Get(), factor, state.sampleMask);
}

void VelD3D11Backend::ApplyDepthStencil(const VelPipelineState& state) {
  if (!context) return;
  if (!state.depthStencil) {
    context->OMSetDepthStencilState(nullptr, state.stencilRef);
    return;
  }
  Com<ID3D11DepthStencilState>& made =
      depthStates[{state.depthStencil->depthTest, state.depthStencil->depthWrite}];
  if (!made) {
    D3D11_DEPTH_STENCIL_DESC d{};
    d.DepthEnable = state.depthStencil->depthTest ? TRUE : FALSE;
    d.DepthWriteMask =
        state.depthStencil->depthWrite ? D3D11_DEPTH_WRITE_MASK_ALL : D3D11_DEPTH_WRITE_MASK_ZERO;
    d.DepthFunc = D3D11_COMPARISON_LESS_EQUAL;
    d.StencilEnable = FALSE;
    d.StencilReadMask = D3D11_DEFAULT_STENCIL_READ_MASK;
    d.StencilWriteMask = D3D11_DEFAULT_STENCIL_WRITE_MASK;
    d.FrontFace = d.BackFace = {D3D11_STENCIL_OP_KEEP, D3D11_STENCIL_OP_KEEP, D3D11_STENCIL_OP_KEEP,
                                D3D11_COMPARISON_ALWAYS};
    device->CreateDepthStencilState(&d, &made);
  }
  context->OMSetDepthStencilState(made.Get(), state.stencilRef);
}

void VelD3D11Backend::ApplyRasterizer(const VelPipelineState& state) {
  if (!context) return;
  if (!state.rasterizer) {
    context->RSSetState(nullptr);
    return;
  }
  const VelRasterizerState& r = *state.rasterizer;
  Com<ID3D11RasterizerState>& made = rasterizerStates[{int(r.cull), int(r.fill), r.depthClip, r.scissor}];
  if (!made) {
    D3D11_RASTERIZER_DESC d{};
    d.FillMode = r.fill == VelFillMode::Wireframe ? D3D11_FILL_WIREFRAME : D3D11_FILL_SOLID;
    d.CullMode = r.cull == VelCullMode::Front  ? D3D11_CULL_FRONT
                 : r.cull == VelCullMode::Back ? D3D11_CULL_BACK
                                               : D3D11_CULL_NONE;
    d.FrontCounterClockwise = FALSE;
    d.DepthBias = 0;
    d.DepthBiasClamp = 0;
    d.SlopeScaledDepthBias = 0;
    d.DepthClipEnable = r.depthClip ? TRUE : FALSE;
    d.ScissorEnable = r.scissor ? TRUE : FALSE;
    d.MultisampleEnable = FALSE;
    d.AntialiasedLineEnable = FALSE;
    device->CreateRasterizerState(&d, &made);
  }
  context->RSSetState(made.Get());
}

void VelD3D11Backend::ApplySampler(const VelPipelineState& state, int slot) {
  if (!context) return;
  const auto* sampler =
      state.samplers[slot] ? static_cast<const D3dSampler*>(state.samplers[slot]->handle.get()) : nullptr;
  ID3D11SamplerState* samplers[] = {nullptr};
  if (sampler)
    samplers[0] = state.scaledWorld && sampler->bilinear ? sampler->bilinear.Get() : sampler->sampler.Get();
  context->VSSetSamplers(UINT(slot), 1, samplers);
  context->PSSetSamplers(UINT(slot), 1, samplers);
  context->GSSetSamplers(UINT(slot), 1, samplers);
  context->CSSetSamplers(UINT(slot), 1, samplers);
}

void VelD3D11Backend::ApplyShader(const VelPipelineState& state) {
  if (!context) return;
  const auto* program = state.shader ? static_cast<const D3dProgram*>(state.shader->program.get()) : nullptr;
  context->VSSetShader(program ? program->vertexShader.Get() : nullptr, nullptr, 0);
  boundPixel = program ? program->pixelShader.Get() : nullptr;
  context->PSSetShader(boundPixel, nullptr, 0);
  context->IASetInputLayout(program ? program->inputLayout.Get() : nullptr);
}

void VelD3D11Backend::ApplyConstantBuffer(const VelPipelineState& state, int slot) {
  if (!context) return;
  const auto* buffer = static_cast<const D3dBuffer*>(state.constantBuffers[slot].get());
  ID3D11Buffer* buffers[] = {buffer ? buffer->buffer.Get() : nullptr};
  context->VSSetConstantBuffers(UINT(slot), 1, buffers);
  context->PSSetConstantBuffers(UINT(slot), 1, buffers);
}

void VelD3D11Backend::ApplyTexture(const VelPipelineState& state, int slot) {
  if (!context) return;
  const auto* texture = static_cast<const D3dTexture*>(state.textures[slot].get());
  ID3D11ShaderResourceView* views[] = {texture ? texture->shaderView.Get() : nullptr};
  context->PSSetShaderResources(UINT(slot), 1, views);
}

void VelD3D11Backend::Draw(const VelPipelineState& state, bool indexed, uint32_t count, uint32_t start,
                           int32_t baseVertex) {
  if (!context || !state.shader || !state.vertexBuffer) return;
  UsePixelShader(state);
  context->IASetPrimitiveTopology(TopologyOf(state.topology));
  ID3D11Buffer* vertices[] = {static_cast<const D3dBuffer*>(state.vertexBuffer.get())->buffer.Get()};
  const UINT stride = state.vertexStride, offset = state.vertexOffset;
  context->IASetVertexBuffers(0, 1, vertices, &stride, &offset);
  if (indexed) {
    const auto* indices = static_cast<const D3dBuffer*>(state.indexBuffer.get());
    if (!indices) return;
    context->IASetIndexBuffer(indices->buffer.Get(), DXGI_FORMAT_R32_UINT, 0);
    context->DrawIndexed(count, start, baseVertex);
  } else {
    context->Draw(count, start);
  }
}

void VelD3D11Backend::UsePixelShader(const VelPipelineState& state) {
  const auto* program = static_cast<const D3dProgram*>(state.shader->program.get());
  ID3D11PixelShader* pixel = program ? program->pixelShader.Get() : nullptr;
  const float4* plainColour = state.PlainSpriteColour();
  if (program && program->plainPixelShader && plainColour) {
    pixel = program->plainPixelShader.Get();
    if (plainTexel != *plainColour) {
      context->UpdateSubresource(plainTexelConstants.Get(), 0, nullptr, plainColour, 0, 0);
      plainTexel = *plainColour;
    }
  }
  if (pixel == boundPixel) return;
  context->PSSetShader(pixel, nullptr, 0);
  boundPixel = pixel;
}

void VelD3D11Backend::ClearColor(const float4& color) {
  if (!context || !backBuffer) return;
  const float rgba[4] = {color.x, color.y, color.z, color.w};
  const auto* target = static_cast<const D3dTexture*>(boundColor ? boundColor : backBuffer.get());
  context->ClearRenderTargetView(target->targetView.Get(), rgba);
}

void VelD3D11Backend::ClearDepth(float depth, uint8_t stencil) {
  if (!context || !depthBuffer) return;
  const auto* bound = static_cast<const D3dTexture*>(DepthFor(boundColor));
  if (!bound) return;
  context->ClearDepthStencilView(bound->depthView.Get(), D3D11_CLEAR_DEPTH | D3D11_CLEAR_STENCIL, depth,
                                 stencil);
}

void VelD3D11Backend::Present() {
  // The frame rate is held by the main loop, not by the display.
  if (swapChain) swapChain->Present(0, 0);
}

bool VelD3D11Backend::SetFullscreen(bool fullscreen) {
  return swapChain && SUCCEEDED(swapChain->SetFullscreenState(fullscreen ? TRUE : FALSE, nullptr));
}

bool VelD3D11Backend::ReadBackBuffer(std::vector<uint8_t>& rgba, int& outWidth, int& outHeight) {
  if (!context || !backBuffer) return false;
  auto* source = static_cast<D3dTexture*>(backBuffer.get());
  D3D11_TEXTURE2D_DESC d{};
  source->texture->GetDesc(&d);
  d.Usage = D3D11_USAGE_STAGING;
  d.BindFlags = 0;
  d.CPUAccessFlags = D3D11_CPU_ACCESS_READ;
  d.MiscFlags = 0;
  Com<ID3D11Texture2D> staging;
  if (FAILED(device->CreateTexture2D(&d, nullptr, &staging))) return false;
  context->CopyResource(staging.Get(), source->texture.Get());
  D3D11_MAPPED_SUBRESOURCE mapped{};
  if (FAILED(context->Map(staging.Get(), 0, D3D11_MAP_READ, 0, &mapped))) return false;
  const size_t rowBytes = size_t(d.Width) * 4;
  rgba.resize(rowBytes * d.Height);
  for (UINT y = 0; y < d.Height; ++y)
    std::memcpy(rgba.data() + y * rowBytes,
                static_cast<const uint8_t*>(mapped.pData) + size_t(y) * mapped.RowPitch, rowBytes);
  context->Unmap(staging.Get(), 0);
  outWidth = int(d.Width);
  outHeight = int(d.Height);
  return true;
}
