#include "framework/gl/VelGlBackend.h"

#include <SDL.h>
#include <epoxy/gl.h>

#include <algorithm>
#include <array>
#include <cfloat>
#include <cstddef>
#include <cstdio>
#include <cstring>

#include "framework/VelConstantBuffer.h"
#include "framework/VelGraphicsDevice.h"
#include "framework/gl/VelGlShaders.h"
#include "framework/gl/VelGlStats.h"
#include "platform/Platform.h"

namespace {

VelGlStats glStats;
bool specialising = true;

// GL names can be deleted only while our context is current. Closing the
// window (Escape) takes the context with it before the device is released;
// deleting then would call GL with no context at all, and the context's own
// deletion frees the names anyway.
bool CanDelete(const std::shared_ptr<bool>& alive) {
  return *alive && SDL_GL_GetCurrentContext() != nullptr;
}

// Constant-buffer slots as the shaders' registers: b0, b1, camera b7, light b8.
constexpr int kObjectSlot = 0;
constexpr int kMaterialSlot = 1;
constexpr int kCameraSlot = 7;
constexpr int kLightSlot = 8;
// The model path's texture units.
constexpr int kBaseColorSlot = 0;
constexpr int kEmissiveSlot = 1;
constexpr int kMetalRoughnessSlot = 2;

class GlBuffer : public VelBufferResource {
 public:
  ~GlBuffer() override {
    if (CanDelete(alive)) glDeleteBuffers(1, &name);
  }
  GLuint name = 0;
  std::shared_ptr<bool> alive;
  // A constant buffer's contents as last written: draws choose their shader
  // variant by them.
  std::vector<uint8_t> shadow;
};

class GlTexture : public VelTextureResource {
 public:
  ~GlTexture() override {
    if (CanDelete(alive)) glDeleteTextures(1, &name);
  }
  GLuint name = 0;
  std::shared_ptr<bool> alive;
};

class GlSampler : public VelGpuResource {
 public:
  ~GlSampler() override {
    if (CanDelete(alive)) glDeleteSamplers(1, &name);
  }
  GLuint name = 0;
  std::shared_ptr<bool> alive;
};

// Where a path's vertex attributes sit in its vertex.
struct GlAttribute {
  GLint components;
  GLenum type;
  GLboolean normalized;
  uint32_t offset;
};

struct GlLayout {
  int count;
  GlAttribute attributes[4];
};

const GlLayout& LayoutOf(VelShaderPath path) {
  static const GlLayout model{4,
                              {{3, GL_FLOAT, GL_FALSE, 0},
                               {2, GL_FLOAT, GL_FALSE, 12},
                               {3, GL_FLOAT, GL_FALSE, 20},
                               {4, GL_UNSIGNED_BYTE, GL_TRUE, 32}}};
  static const GlLayout effect{
      3, {{3, GL_FLOAT, GL_FALSE, 0}, {2, GL_FLOAT, GL_FALSE, 12}, {4, GL_FLOAT, GL_FALSE, 20}}};
  static const GlLayout sprite{2, {{3, GL_FLOAT, GL_FALSE, 0}, {2, GL_FLOAT, GL_FALSE, 12}}};
  switch (path) {
    case VelShaderPath::Model:
      return model;
    case VelShaderPath::Effect:
      return effect;
    default:
      return sprite;
  }
}

// One build of a path's shaders with some of the fragment stage's parts.
struct GlVariant {
  GLuint program = 0;
  GLint maxAnisotropyAt = -1;
  float maxAnisotropy = 0;  // as last set in the program
  GLint plainTexelAt = -1;
  float4 plainTexel{-1, -1, -1, -1};  // as last set in the program
  bool failed = false;                // never retried: the general build stands in
};

class GlProgram : public VelGpuResource {
 public:
  ~GlProgram() override {
    if (!CanDelete(alive)) return;
    glDeleteVertexArrays(1, &vertexArray);
    for (const GlVariant& variant : variants) glDeleteProgram(variant.program);
  }
  // The general build, with every part: bound by ApplyShader, drawn when the
  // constants a variant depends on are not at hand.
  GLuint program = 0;
  GLuint vertexArray = 0;
  const GlLayout* layout = nullptr;
  VelShaderPath path = VelShaderPath::None;
  std::array<GlVariant, VelGlFeature::Count> variants;
  std::shared_ptr<bool> alive;
};

// Reads a value of a bound constant buffer as last written.
template <class T>
bool ReadConstant(const VelPipelineState& state, int slot, size_t offset, T& value) {
  const auto* buffer = static_cast<const GlBuffer*>(state.constantBuffers[size_t(slot)].get());
  if (!buffer || buffer->shadow.size() < offset + sizeof(T)) return false;
  std::memcpy(&value, buffer->shadow.data() + offset, sizeof(T));
  return true;
}

// The anisotropy the bound sampler asks for; 1 is plain trilinear filtering.
float MaxAnisotropyOf(const VelPipelineState& state) {
  const auto& sampler = state.samplers[0];
  if (!sampler || sampler->filter != 2 || sampler->comparison || state.scaledWorld) return 1.0f;
  return float(std::clamp(sampler->maxAnisotropy, 1, 16));
}

// Whether two bound textures hold the same texels: one texture, or two loaded
// from the same file (a texture's texels never change after it is made,
// unless it is drawn into).
bool SameTexels(const VelTextureResource* a, const VelTextureResource* b) {
  if (!a || !b) return false;
  if (a == b) return true;
  const uint32_t drawnInto = VelBind::RenderTarget | VelBind::DepthStencil;
  return !a->name.empty() && a->name == b->name && !((a->desc.bindFlags | b->desc.bindFlags) & drawnInto) &&
         a->desc.width == b->desc.width && a->desc.height == b->desc.height &&
         a->desc.format == b->desc.format;
}

// The parts of the model path's fragment stage the bound constants and
// textures use; every part when one of the buffers is missing.
uint32_t ModelFeatures(const VelPipelineState& state) {
  int32_t lightEnable = 0, fogEnable = 0, lights = 0;
  float threshold = 0;
  float4 baseColor;
  float3 emissive;
  if (!ReadConstant(state, kObjectSlot, offsetof(VelCbObject, g_LightEnable), lightEnable) ||
      !ReadConstant(state, kObjectSlot, offsetof(VelCbObject, g_AlphaTestThreshold), threshold) ||
      !ReadConstant(state, kMaterialSlot, offsetof(VelMaterialConstants, BaseColor), baseColor) ||
      !ReadConstant(state, kMaterialSlot, offsetof(VelMaterialConstants, Emissive), emissive) ||
      !ReadConstant(state, kCameraSlot, offsetof(VelCbCamera, g_DistanceFogEnable), fogEnable) ||
      !ReadConstant(state, kLightSlot, offsetof(VelCbLight, g_PL_Num), lights))
    return VelGlFeature::All;
  uint32_t features = 0;
  if (lightEnable != 0) features |= VelGlFeature::Lit;
  if (lightEnable != 0 && lights > 0) features |= VelGlFeature::PointLights;
  if (emissive.x != 0 || emissive.y != 0 || emissive.z != 0) features |= VelGlFeature::Emissive;
  if (fogEnable != 0) features |= VelGlFeature::Fog;
  // Texture and vertex alpha are never negative: below a threshold of zero
  // or less only a negative base colour alpha can fall.
  if (!(threshold <= 0) || baseColor.w < 0) features |= VelGlFeature::AlphaTest;
  const VelTextureResource* metalRoughness = state.textures[kMetalRoughnessSlot].get();
  if ((features & VelGlFeature::Lit) && !(metalRoughness && metalRoughness->PlainWhite()))
    features |= VelGlFeature::MetalRoughnessLookup;
  const VelTextureResource* baseMap = state.textures[kBaseColorSlot].get();
  if (!(baseMap && baseMap->PlainWhite())) features |= VelGlFeature::BaseLookup;
  if ((features & VelGlFeature::Emissive) && !SameTexels(baseMap, state.textures[kEmissiveSlot].get()))
    features |= VelGlFeature::EmissiveLookup;
  // A scaled world's pixels are fewer and softer already: lighting them one
  // by one is the largest share of a software rasteriser's frame there.
  const uint32_t perPixelOnly = VelGlFeature::PointLights | VelGlFeature::MetalRoughnessLookup;
  if ((features & VelGlFeature::Lit) && (!state.scaledWorld || (features & perPixelOnly)))
    features |= VelGlFeature::PixelLighting;
  return features;
}

GLenum TopologyOf(VelTopology topology) {
  switch (topology) {
    case VelTopology::PointList:
      return GL_POINTS;
    case VelTopology::LineList:
      return GL_LINES;
    case VelTopology::LineStrip:
      return GL_LINE_STRIP;
    case VelTopology::TriangleStrip:
      return GL_TRIANGLE_STRIP;
    default:
      return GL_TRIANGLES;
  }
}

struct GlFormat {
  GLenum internal, format, type;
};

// Depth-bound typeless formats become depth textures; without the depth flag
// they are plain single-channel colour textures.
bool FormatOf(const VelTextureDesc& desc, GlFormat& out) {
  bool depth = (desc.bindFlags & VelBind::DepthStencil) != 0;
  switch (desc.format) {
    case VelFormat::RGBA8Unorm:
      out = {GL_RGBA8, GL_RGBA, GL_UNSIGNED_BYTE};
      return true;
    case VelFormat::BGRA8Unorm:
      // OpenGL has no sized BGRA format; given BGRA data, an unsized one lets
      // the driver keep that byte order (Mesa does).
      out = {GL_RGBA, GL_BGRA, GL_UNSIGNED_BYTE};
      return true;
    case VelFormat::R32Typeless:
    case VelFormat::D32Float:
      out = depth ? GlFormat{GL_DEPTH_COMPONENT32F, GL_DEPTH_COMPONENT, GL_FLOAT}
                  : GlFormat{GL_R32F, GL_RED, GL_FLOAT};
      return true;
    case VelFormat::R32Float:
      out = {GL_R32F, GL_RED, GL_FLOAT};
      return true;
    case VelFormat::R16Typeless:
    case VelFormat::D16Unorm:
      out = depth ? GlFormat{GL_DEPTH_COMPONENT16, GL_DEPTH_COMPONENT, GL_UNSIGNED_SHORT}
                  : GlFormat{GL_R16, GL_RED, GL_UNSIGNED_SHORT};
      return true;
    case VelFormat::R16Unorm:
      out = {GL_R16, GL_RED, GL_UNSIGNED_SHORT};
      return true;
    case VelFormat::R24G8Typeless:
    case VelFormat::D24UnormS8Uint:
      out = {GL_DEPTH24_STENCIL8, GL_DEPTH_STENCIL, GL_UNSIGNED_INT_24_8};
      return true;
    default:
      return false;
  }
}

GLuint CompileStage(GLenum stage, const char* prelude, const char* defines, const char* body) {
  GLuint shader = glCreateShader(stage);
  const char* sources[3] = {prelude, defines, body};
  glShaderSource(shader, 3, sources, nullptr);
  glCompileShader(shader);
  GLint ok = GL_FALSE;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (!ok) {
    char log[2048] = {};
    glGetShaderInfoLog(shader, sizeof(log), nullptr, log);
    std::fprintf(stderr, "GL shader compile failed: %s\n", log);
    glDeleteShader(shader);
    return 0;
  }
  return shader;
}

void BindBlock(GLuint program, const char* name, GLuint slot) {
  GLuint index = glGetUniformBlockIndex(program, name);
  if (index != GL_INVALID_INDEX) glUniformBlockBinding(program, index, slot);
}

// Links the two stages (0 for one that did not compile) and deletes them;
// 0 when the program does not link, its log on standard error.
GLuint LinkStages(GLuint vertex, GLuint fragment) {
  GLuint program = vertex && fragment ? glCreateProgram() : 0;
  if (program) {
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glLinkProgram(program);
  }
  glDeleteShader(vertex);
  glDeleteShader(fragment);
  if (!program) return 0;
  GLint linked = GL_FALSE;
  glGetProgramiv(program, GL_LINK_STATUS, &linked);
  if (!linked) {
    char log[2048] = {};
    glGetProgramInfoLog(program, sizeof(log), nullptr, log);
    std::fprintf(stderr, "GL program link failed: %s\n", log);
    glDeleteProgram(program);
    return 0;
  }
  return program;
}

void EnableScissor(bool on) {
  if (on)
    glEnable(GL_SCISSOR_TEST);
  else
    glDisable(GL_SCISSOR_TEST);
}

void BindSamplerUnit(GLuint program, const char* name, GLint unit) {
  GLint location = glGetUniformLocation(program, name);
  if (location >= 0) glUniform1i(location, unit);
}

// Where members of the blocks must sit: the C++ structs' offsets.
struct GlExpectedOffset {
  const char* uniform;
  GLint offset;
};
const GlExpectedOffset kExpectedOffsets[] = {
    {"g_UVTiling", 72},
    {"g_LightEnable", 80},
    {"g_CamPos", 128},
    {"g_DistanceFogEnable", 140},
    {"g_DistanceFogColor", 144},
    {"g_DistanceFogDensity", 156},
    {"g_Material.Roughness", 32},
    {"g_DL_Color", 32},
    {"g_PL[1].pos", 96},
    {"g_PL_Num", 3248},
    {"g_color", 64},
};

// Checks the linked program's block layout against the C++ side.
bool LayoutMatches(GLuint program) {
  bool ok = true;
  for (const GlExpectedOffset& expected : kExpectedOffsets) {
    GLuint index = GL_INVALID_INDEX;
    glGetUniformIndices(program, 1, &expected.uniform, &index);
    if (index == GL_INVALID_INDEX) continue;
    GLint offset = -1;
    glGetActiveUniformsiv(program, 1, &index, GL_UNIFORM_OFFSET, &offset);
    if (offset != expected.offset) {
      std::fprintf(stderr, "GL block layout: %s at %d, expected %d\n", expected.uniform, offset,
                   expected.offset);
      ok = false;
    }
  }
  return ok;
}

void APIENTRY DebugMessage(GLenum, GLenum type, GLuint, GLenum severity, GLsizei, const GLchar* message,
                           const void*) {
  if (severity == GL_DEBUG_SEVERITY_NOTIFICATION) return;
  std::fprintf(stderr, "GL debug (type 0x%x): %s\n", type, message);
}

}  // namespace

VelGlBackend::VelGlBackend() : alive(std::make_shared<bool>(false)) {}

VelGlBackend::~VelGlBackend() {
  Shutdown();
}

void VelGlBackend::Shutdown() {
  backBuffer.reset();
  depthBuffer.reset();
  if (context) {
    if (SDL_GL_GetCurrentContext() == context) {
      if (framebuffer) glDeleteFramebuffers(1, &framebuffer);
      if (worldFramebuffer) glDeleteFramebuffers(1, &worldFramebuffer);
      if (emptyTexture) glDeleteTextures(1, &emptyTexture);
      if (stretchProgram) glDeleteProgram(stretchProgram);
      if (stretchArray) glDeleteVertexArrays(1, &stretchArray);
      if (stretchSampler) glDeleteSamplers(1, &stretchSampler);
    }
    framebuffer = 0;
    worldFramebuffer = 0;
    frameInWindow = false;
    stretchProgram = 0;
    stretchArray = 0;
    stretchSampler = 0;
    emptyTexture = 0;
    *alive = false;
    SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context));
    context = nullptr;
  }
}

bool VelGlBackend::Init(void* nativeWindow, int w, int h, bool debugLayer, std::string& errorText) {
  window = nativeWindow;
  width = w;
  height = h;
  debug = debugLayer;
  auto* sdlWindow = static_cast<SDL_Window*>(window);

  if (!(SDL_GetWindowFlags(sdlWindow) & SDL_WINDOW_OPENGL)) {
    errorText = "ファクトリー作成失敗";
    return false;
  }

  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_FLAGS, debug ? SDL_GL_CONTEXT_DEBUG_FLAG : 0);
  context = SDL_GL_CreateContext(sdlWindow);
  if (!context) {
    std::fprintf(stderr, "GL context: %s\n", SDL_GetError());
    errorText = "Direct3D11デバイス作成失敗";
    return false;
  }
  *alive = true;
  if (SDL_GL_MakeCurrent(sdlWindow, static_cast<SDL_GLContext>(context)) != 0) {
    errorText = "スワップチェイン作成失敗";
    Shutdown();
    return false;
  }
  if (epoxy_gl_version() < 33) {
    errorText = "Direct3D11デバイス作成失敗";
    Shutdown();
    return false;
  }
  // The frame rate is held by the main loop, not by the display.
  SDL_GL_SetSwapInterval(0);
  if (debug && (epoxy_gl_version() >= 43 || epoxy_has_gl_extension("GL_KHR_debug"))) {
    glEnable(GL_DEBUG_OUTPUT);
    glDebugMessageCallback(DebugMessage, nullptr);
  }
  clipControl = epoxy_gl_version() >= 45 || epoxy_has_gl_extension("GL_ARB_clip_control");
  if (clipControl) glClipControl(GL_LOWER_LEFT, GL_ZERO_TO_ONE);
  while (glGetError() != GL_NO_ERROR) {
  }

  VelTextureDesc colorDesc;
  colorDesc.width = uint32_t(w);
  colorDesc.height = uint32_t(h);
  colorDesc.format = VelFormat::RGBA8Unorm;
  colorDesc.bindFlags = VelBind::ShaderResource | VelBind::RenderTarget;
  backBuffer = CreateTexture(colorDesc, nullptr);
  if (!backBuffer || glGetError() != GL_NO_ERROR) {
    errorText = "バックバッファ取得失敗";
    Shutdown();
    return false;
  }
  glGenFramebuffers(1, &framebuffer);
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D,
                         static_cast<GlTexture*>(backBuffer.get())->name, 0);
  if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
    errorText = "バックバッファ作成失敗";
    Shutdown();
    return false;
  }

  VelTextureDesc depthDesc = colorDesc;
  depthDesc.format = VelFormat::R32Typeless;
  depthDesc.bindFlags = VelBind::ShaderResource | VelBind::DepthStencil;
  depthBuffer = CreateTexture(depthDesc, nullptr);
  if (depthBuffer)
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D,
                           static_cast<GlTexture*>(depthBuffer.get())->name, 0);
  if (!depthBuffer || glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
    errorText = "Zバッファ作成失敗";
    Shutdown();
    return false;
  }

  const uint8_t transparent[4] = {0, 0, 0, 0};
  glGenTextures(1, &emptyTexture);
  glBindTexture(GL_TEXTURE_2D, emptyTexture);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, transparent);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
  for (GLenum unit = 0; unit < GLenum(kVelTextureSlots); ++unit) {
    glActiveTexture(GL_TEXTURE0 + unit);
    glBindTexture(GL_TEXTURE_2D, emptyTexture);
  }
  glActiveTexture(GL_TEXTURE0);

  glViewport(0, 0, w, h);
  glDepthRange(0.0, 1.0);
  glScissor(0, 0, w, h);
  // Front faces are clockwise on screen, as on Direct3D. The frame is not
  // flipped on its way to the screen, so on screen and in window space wind alike.
  glFrontFace(GL_CW);
  CreateStretch();
  CheckErrors("init");
  return true;
}

void VelGlBackend::CreateStretch() {
  GLuint program = LinkStages(CompileStage(GL_VERTEX_SHADER, "", "", VelGlStretchSource(true)),
                              CompileStage(GL_FRAGMENT_SHADER, "", "", VelGlStretchSource(false)));
  if (!program) return;
  stretchProgram = program;
  stretchRectAt = glGetUniformLocation(program, "vel_SourceRect");
  glUseProgram(program);
  glUniform1i(glGetUniformLocation(program, "vel_World"), 0);
  glUseProgram(0);
  glGenVertexArrays(1, &stretchArray);
  glGenSamplers(1, &stretchSampler);
  glSamplerParameteri(stretchSampler, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glSamplerParameteri(stretchSampler, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glSamplerParameteri(stretchSampler, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glSamplerParameteri(stretchSampler, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

void VelGlBackend::CheckErrors(const char* where) {
  if (!debug) return;
  for (GLenum error = glGetError(); error != GL_NO_ERROR; error = glGetError())
    std::fprintf(stderr, "GL error 0x%x after %s\n", error, where);
}

std::shared_ptr<VelBufferResource> VelGlBackend::CreateBuffer(uint32_t bindFlags, uint32_t size,
                                                              uint32_t usage, const void* data) {
  if (!context) return nullptr;
  auto buffer = std::make_shared<GlBuffer>();
  buffer->alive = alive;
  buffer->backendId = id;
  buffer->bindFlags = bindFlags;
  buffer->size = size;
  buffer->usage = usage;
  glGenBuffers(1, &buffer->name);
  if (!buffer->name) return nullptr;
  GLenum hint = usage == VelUsage::Dynamic   ? GL_DYNAMIC_DRAW
                : usage == VelUsage::Staging ? GL_STREAM_READ
                                             : GL_STATIC_DRAW;
  glBindBuffer(GL_COPY_WRITE_BUFFER, buffer->name);
  glBufferData(GL_COPY_WRITE_BUFFER, size, data, hint);
  bool ok = glGetError() == GL_NO_ERROR;
  glBindBuffer(GL_COPY_WRITE_BUFFER, 0);
  if (!ok) return nullptr;
  if (bindFlags & VelBind::ConstantBuffer) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    if (bytes)
      buffer->shadow.assign(bytes, bytes + size);
    else
      buffer->shadow.assign(size, 0);
  }
  return buffer;
}

bool VelGlBackend::WriteBuffer(VelBufferResource& resource, const void* data, uint32_t size) {
  if (!context || size > resource.size) return false;
  auto& buffer = static_cast<GlBuffer&>(resource);
  glBindBuffer(GL_COPY_WRITE_BUFFER, buffer.name);
  bool ok = true;
  if (resource.usage == VelUsage::Dynamic || !data) {
    // Map with discard: the driver may hand out fresh memory while the GPU
    // still reads the previous contents.
    void* mapped = glMapBufferRange(GL_COPY_WRITE_BUFFER, 0, resource.size,
                                    GL_MAP_WRITE_BIT | GL_MAP_INVALIDATE_BUFFER_BIT);
    if (mapped) {
      if (data)
        std::memcpy(mapped, data, size);
      else
        std::memset(mapped, 0, resource.size);
      ok = glUnmapBuffer(GL_COPY_WRITE_BUFFER) == GL_TRUE;
    } else {
      ok = false;
    }
  } else {
    glBufferSubData(GL_COPY_WRITE_BUFFER, 0, size, data);
  }
  glBindBuffer(GL_COPY_WRITE_BUFFER, 0);
  CheckErrors("buffer write");
  if (ok && !buffer.shadow.empty()) {
    if (data)
      std::memcpy(buffer.shadow.data(), data, size);
    else
      std::fill(buffer.shadow.begin(), buffer.shadow.end(), uint8_t(0));
  }
  return ok;
}

std::shared_ptr<VelTextureResource> VelGlBackend::CreateTexture(const VelTextureDesc& desc,
                                                                const void* data) {
  GlFormat format;
  if (!context || desc.sampleCount != 1 || desc.arraySize != 1 || !FormatOf(desc, format)) return nullptr;
  auto texture = std::make_shared<GlTexture>();
  texture->alive = alive;
  texture->backendId = id;
  texture->desc = desc;
  glGenTextures(1, &texture->name);
  if (!texture->name) return nullptr;
  GLint previous = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &previous);
  glBindTexture(GL_TEXTURE_2D, texture->name);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  // Rows go up top first, so v = 0 samples the image's top row.
  glTexImage2D(GL_TEXTURE_2D, 0, GLint(format.internal), GLsizei(desc.width), GLsizei(desc.height), 0,
               format.format, format.type, data);
  // The unsampled defaults of the context: linear, clamped.
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  if (desc.mipLevels == 1) {
    // Without this a mip-filtering sampler would find the texture incomplete.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
  } else {
    if (desc.mipLevels > 1) glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, GLint(desc.mipLevels - 1));
    glGenerateMipmap(GL_TEXTURE_2D);
  }
  bool ok = glGetError() == GL_NO_ERROR;
  glBindTexture(GL_TEXTURE_2D, GLuint(previous));
  if (!ok) return nullptr;
  return texture;
}

std::unique_ptr<VelGpuResource> VelGlBackend::CreateSampler(const VelSamplerState& desc) {
  if (!context) return nullptr;
  auto sampler = std::make_unique<GlSampler>();
  sampler->alive = alive;
  sampler->backendId = id;
  glGenSamplers(1, &sampler->name);
  if (!sampler->name) return nullptr;
  GLuint s = sampler->name;
  GLint minFilter = GL_LINEAR_MIPMAP_LINEAR, magFilter = GL_LINEAR;
  if (desc.comparison) {
    minFilter = GL_LINEAR_MIPMAP_NEAREST;
    glSamplerParameteri(s, GL_TEXTURE_COMPARE_MODE, GL_COMPARE_REF_TO_TEXTURE);
    glSamplerParameteri(s, GL_TEXTURE_COMPARE_FUNC, GL_LEQUAL);
  } else if (desc.filter == 0) {
    minFilter = GL_NEAREST_MIPMAP_NEAREST;
    magFilter = GL_NEAREST;
  }
  glSamplerParameteri(s, GL_TEXTURE_MIN_FILTER, minFilter);
  glSamplerParameteri(s, GL_TEXTURE_MAG_FILTER, magFilter);
  GLint wrap = desc.address == 0 ? GL_REPEAT : GL_CLAMP_TO_EDGE;
  glSamplerParameteri(s, GL_TEXTURE_WRAP_S, wrap);
  glSamplerParameteri(s, GL_TEXTURE_WRAP_T, wrap);
  glSamplerParameteri(s, GL_TEXTURE_WRAP_R, wrap);
  glSamplerParameterf(s, GL_TEXTURE_MIN_LOD, 0.0f);
  glSamplerParameterf(s, GL_TEXTURE_MAX_LOD, FLT_MAX);
  if (glGetError() != GL_NO_ERROR) return nullptr;
  return sampler;
}

uint32_t VelGlBackend::LinkProgram(VelShaderPath path, uint32_t features) {
  const char* vertexSource = VelGlShaderSource(path, true);
  const char* fragmentSource = VelGlShaderSource(path, false);
  if (!context || !vertexSource || !fragmentSource) return 0;
  const char* prelude = VelGlShaderPrelude(!clipControl);
  const std::string defines = VelGlFeatureDefines(features & VelGlFeaturesOf(path));
  GLuint vertex = CompileStage(GL_VERTEX_SHADER, prelude, defines.c_str(), vertexSource);
  GLuint fragment = CompileStage(GL_FRAGMENT_SHADER, prelude, defines.c_str(), fragmentSource);
  if (vertex && fragment) ++glStats.programsLinked;
  GLuint program = LinkStages(vertex, fragment);
  if (!program) return 0;
  if (debug && !LayoutMatches(program)) {
    glDeleteProgram(program);
    return 0;
  }
  BindBlock(program, "cbObject", kObjectSlot);
  BindBlock(program, "cbPerObject", kObjectSlot);
  BindBlock(program, "cbSprite", kObjectSlot);
  BindBlock(program, "cbMaterial", kMaterialSlot);
  BindBlock(program, "cbProjection", kMaterialSlot);
  BindBlock(program, "cbCamera", kCameraSlot);
  BindBlock(program, "cbLight", kLightSlot);
  GLint previous = 0;
  glGetIntegerv(GL_CURRENT_PROGRAM, &previous);
  glUseProgram(program);
  BindSamplerUnit(program, "g_baseTex", kBaseColorSlot);
  BindSamplerUnit(program, "g_emissiveTex", kEmissiveSlot);
  BindSamplerUnit(program, "g_mrTex", kMetalRoughnessSlot);
  BindSamplerUnit(program, "g_tex", 0);
  BindSamplerUnit(program, "g_inputTex", 0);
  glUseProgram(GLuint(previous));
  return program;
}

std::unique_ptr<VelGpuResource> VelGlBackend::CreateProgram(VelShaderPath path) {
  GLuint program = LinkProgram(path, VelGlFeature::All);
  if (!program) return nullptr;
  auto made = std::make_unique<GlProgram>();
  made->alive = alive;
  made->backendId = id;
  made->program = program;
  made->path = path;
  made->layout = &LayoutOf(path);
  GlVariant& general = made->variants[VelGlFeature::All & VelGlFeaturesOf(path)];
  general.program = program;
  general.maxAnisotropyAt = glGetUniformLocation(program, "vel_MaxAnisotropy");
  glGenVertexArrays(1, &made->vertexArray);
  GLint previousArray = 0;
  glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &previousArray);
  glBindVertexArray(made->vertexArray);
  for (int i = 0; i < made->layout->count; ++i) glEnableVertexAttribArray(GLuint(i));
  glBindVertexArray(GLuint(previousArray));
  // Linking a variant takes milliseconds on a software rasteriser: the lit,
  // emissive and fogged ones, with and without anisotropic taps, are built
  // now, before any scene, rather than at the first hit or the first frame
  // of a scene. Without a base colour map only glowing ones are: the game's
  // untextured materials are its lamps, eyes, visors and the wave a dashing
  // enemy leaves. Point lights, the alpha test and metal-roughness maps are
  // built if ever used. Lit ones are built lit per pixel and, without the
  // anisotropic taps a scaled world never takes, lit per vertex. A sprite of
  // one plain colour (a fade) samples nothing, so it has one build without
  // its lookup.
  const uint32_t own = VelGlFeaturesOf(path);
  for (uint32_t features = 0; features <= own; ++features) {
    const uint32_t rare =
        VelGlFeature::PointLights | VelGlFeature::AlphaTest | VelGlFeature::MetalRoughnessLookup;
    if ((features & own) != features || (features & rare)) continue;
    const bool glows = features & VelGlFeature::Emissive;
    const bool glowMap = features & VelGlFeature::EmissiveLookup;
    const bool plainBase = (own & VelGlFeature::BaseLookup) && !(features & VelGlFeature::BaseLookup);
    const bool lit = features & VelGlFeature::Lit;
    const bool perPixel = features & VelGlFeature::PixelLighting;
    if (perPixel != lit && (perPixel || (features & VelGlFeature::Anisotropic))) continue;
    if (glowMap && !glows) continue;
    if (path == VelShaderPath::Model && plainBase && (!glows || glowMap)) continue;
    if (path == VelShaderPath::Sprite && plainBase && (features & VelGlFeature::Anisotropic)) continue;
    BuildVariant(*made, features);
  }
  CheckErrors("program");
  return made;
}

void VelGlBackend::BuildVariant(VelGpuResource& resource, uint32_t features) {
  auto& program = static_cast<GlProgram&>(resource);
  GlVariant& variant = program.variants[features & VelGlFeaturesOf(program.path)];
  if (variant.program || variant.failed) return;
  variant.program = LinkProgram(program.path, features & VelGlFeaturesOf(program.path));
  variant.failed = variant.program == 0;
  if (!variant.program) return;
  variant.maxAnisotropyAt = glGetUniformLocation(variant.program, "vel_MaxAnisotropy");
  variant.plainTexelAt = glGetUniformLocation(variant.program, "vel_PlainTexel");
}

// Binds the variant of the program for the bound constants, sampler and maps,
// built on its first use unless CreateProgram built it already.
void VelGlBackend::UseVariant(const VelPipelineState& state, VelGpuResource& resource) {
  auto& program = static_cast<GlProgram&>(resource);
  const float maxAnisotropy = MaxAnisotropyOf(state);
  uint32_t features = program.path == VelShaderPath::Model ? ModelFeatures(state) : VelGlFeature::BaseLookup;
  if (maxAnisotropy > 1.0f) features |= VelGlFeature::Anisotropic;
  // A sprite of one plain colour samples nothing, so filters nothing.
  const float4* plainColour = state.PlainSpriteColour();
  if (plainColour) features = 0;
  if (!specialising) features = VelGlFeature::All;
  features &= VelGlFeaturesOf(program.path);
  GlVariant* variant = &program.variants[features];
  BuildVariant(program, features);
  if (!variant->program) variant = &program.variants[VelGlFeaturesOf(program.path)];
  glUseProgram(variant->program);
  if (variant->maxAnisotropyAt >= 0 && variant->maxAnisotropy != maxAnisotropy) {
    glUniform1f(variant->maxAnisotropyAt, maxAnisotropy);
    variant->maxAnisotropy = maxAnisotropy;
  }
  if (plainColour && variant->plainTexelAt >= 0 && variant->plainTexel != *plainColour) {
    glUniform4f(variant->plainTexelAt, plainColour->x, plainColour->y, plainColour->z, plainColour->w);
    variant->plainTexel = *plainColour;
  }
}

void VelGlBackend::ApplyBlend(const VelPipelineState& state) {
  ++glStats.stateBinds;
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glBlendColor(state.blendFactor.x, state.blendFactor.y, state.blendFactor.z, state.blendFactor.w);
  if (!state.blend) {
    glDisable(GL_BLEND);
    return;
  }
  glEnable(GL_BLEND);
  glBlendEquationSeparate(GL_FUNC_ADD, GL_FUNC_ADD);
  switch (state.blend->mode) {
    case 0:
      glBlendFuncSeparate(GL_ONE, GL_ZERO, GL_ONE, GL_ZERO);
      break;
    case 2:
      glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
      break;
    default:
      glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
      break;
  }
}

void VelGlBackend::ApplyDepthStencil(const VelPipelineState& state) {
  ++glStats.stateBinds;
  // No state bound means the context default: test and write on, less.
  bool test = state.depthStencil ? state.depthStencil->depthTest : true;
  depthWriteOn = state.depthStencil ? state.depthStencil->depthWrite : true;
  if (test)
    glEnable(GL_DEPTH_TEST);
  else
    glDisable(GL_DEPTH_TEST);
  glDepthMask(depthWriteOn ? GL_TRUE : GL_FALSE);
  glDepthFunc(state.depthStencil ? GL_LEQUAL : GL_LESS);
  glDisable(GL_STENCIL_TEST);
}

void VelGlBackend::ApplyRasterizer(const VelPipelineState& state) {
  ++glStats.stateBinds;
  // No state bound means the context default: solid, back faces culled.
  VelRasterizerState fallback;
  fallback.cull = VelCullMode::Back;
  const VelRasterizerState& r = state.rasterizer ? *state.rasterizer : fallback;
  if (r.cull == VelCullMode::None) {
    glDisable(GL_CULL_FACE);
  } else {
    glEnable(GL_CULL_FACE);
    glCullFace(r.cull == VelCullMode::Front ? GL_FRONT : GL_BACK);
  }
  glPolygonMode(GL_FRONT_AND_BACK, r.fill == VelFillMode::Wireframe ? GL_LINE : GL_FILL);
  if (r.depthClip)
    glDisable(GL_DEPTH_CLAMP);
  else
    glEnable(GL_DEPTH_CLAMP);
  scissorOn = r.scissor;
  EnableScissor(scissorOn);
}

void VelGlBackend::ApplySampler(const VelPipelineState& state, int slot) {
  ++glStats.stateBinds;
  // Every shader samples all its textures with sampler slot 0, so it goes to
  // each texture unit; slot 1 has no reader here.
  if (slot != 0) return;
  const auto& sampler = state.samplers[0];
  GLuint name = sampler ? static_cast<const GlSampler*>(sampler->handle.get())->name : 0;
  for (GLuint unit = 0; unit < GLuint(kVelTextureSlots); ++unit) glBindSampler(unit, name);
}

void VelGlBackend::ApplyShader(const VelPipelineState& state) {
  ++glStats.stateBinds;
  glUseProgram(state.shader ? static_cast<const GlProgram*>(state.shader->program.get())->program : 0);
}

void VelGlBackend::ApplyConstantBuffer(const VelPipelineState& state, int slot) {
  ++glStats.stateBinds;
  const auto* buffer = static_cast<const GlBuffer*>(state.constantBuffers[slot].get());
  glBindBufferBase(GL_UNIFORM_BUFFER, GLuint(slot), buffer ? buffer->name : 0);
}

void VelGlBackend::ApplyTexture(const VelPipelineState& state, int slot) {
  ++glStats.stateBinds;
  const auto* texture = static_cast<const GlTexture*>(state.textures[slot].get());
  glActiveTexture(GL_TEXTURE0 + GLenum(slot));
  glBindTexture(GL_TEXTURE_2D, texture ? texture->name : emptyTexture);
}

void VelGlBackend::Draw(const VelPipelineState& state, bool indexed, uint32_t count, uint32_t start,
                        int32_t baseVertex) {
  if (!state.shader || !state.vertexBuffer || !state.shader->program) return;
  if (LeavesFrameAsItIs(state)) return;
  ++glStats.draws;
  const auto* program = static_cast<const GlProgram*>(state.shader->program.get());
  UseVariant(state, *state.shader->program);
  const auto* vertices = static_cast<const GlBuffer*>(state.vertexBuffer.get());
  glBindVertexArray(program->vertexArray);
  glBindBuffer(GL_ARRAY_BUFFER, vertices->name);
  for (int i = 0; i < program->layout->count; ++i) {
    const GlAttribute& a = program->layout->attributes[i];
    glVertexAttribPointer(GLuint(i), a.components, a.type, a.normalized, GLsizei(state.vertexStride),
                          reinterpret_cast<const void*>(uintptr_t(state.vertexOffset + a.offset)));
  }
  GLenum mode = TopologyOf(state.topology);
  if (indexed) {
    const auto* indices = static_cast<const GlBuffer*>(state.indexBuffer.get());
    if (indices) {
      glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indices->name);
      glDrawElementsBaseVertex(mode, GLsizei(count), GL_UNSIGNED_INT,
                               reinterpret_cast<const void*>(uintptr_t(start) * 4), baseVertex);
    }
  } else {
    glDrawArrays(mode, GLint(start), GLsizei(count));
  }
  glBindVertexArray(0);
  CheckErrors("draw");
}

// A sprite wholly transparent under an alpha blend, writing no depth, changes
// no pixel: the title's and the game's fades are drawn every frame, mostly
// so, and each covers the whole frame.
bool VelGlBackend::LeavesFrameAsItIs(const VelPipelineState& state) const {
  if (state.shader->path != VelShaderPath::Sprite || !state.blend || state.blend->mode == 0 || depthWriteOn)
    return false;
  float alpha = 1;
  return ReadConstant(state, kObjectSlot, offsetof(VelCbSprite, g_color) + 3 * sizeof(float), alpha) &&
         alpha == 0;
}

void VelGlSpecialiseShaders(bool on) {
  specialising = on;
}

VelGlStats& VelGlCounters() {
  return glStats;
}

void VelGlFinish() {
  glFinish();
}

void VelGlBackend::SetRenderTarget(const VelTextureResource* color, int targetWidth, int targetHeight) {
  GLuint target = framebuffer;
  if (color) {
    const GLuint name = static_cast<const GlTexture*>(color)->name;
    if (!worldFramebuffer) {
      glGenFramebuffers(1, &worldFramebuffer);
      glBindFramebuffer(GL_FRAMEBUFFER, worldFramebuffer);
      glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D,
                             static_cast<GlTexture*>(depthBuffer.get())->name, 0);
    }
    // Attached every time: a remade target may come back under the name of
    // one deleted before, which the framebuffer would still hold.
    glBindFramebuffer(GL_FRAMEBUFFER, worldFramebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, name, 0);
    target = worldFramebuffer;
  }
  glBindFramebuffer(GL_FRAMEBUFFER, target);
  glViewport(0, 0, targetWidth, targetHeight);
  glScissor(0, 0, targetWidth, targetHeight);
  CheckErrors("render target");
}

// A drawn rectangle rather than a blit: llvmpipe stretches it on its fast
// linear path, and its coordinates stop at the world's last texels where a
// blit's linear filter may read past the world's corner.
void VelGlBackend::StretchToBackBuffer(const VelTextureResource& color, int sourceWidth, int sourceHeight,
                                       const VelPipelineState& state) {
  // Where the window shows the frame at the frame's own size, the stretch and
  // the overlay go straight into the window's back buffer, which spares
  // Present its copy of the whole frame.
  int drawableWidth = 0, drawableHeight = 0;
  SDL_GL_GetDrawableSize(static_cast<SDL_Window*>(window), &drawableWidth, &drawableHeight);
  SetRenderTarget(nullptr, width, height);
  frameInWindow = drawableWidth == width && drawableHeight == height;
  if (frameInWindow) glBindFramebuffer(GL_FRAMEBUFFER, 0);
  const auto& source = static_cast<const GlTexture&>(color);
  const float targetWidth = float(source.desc.width), targetHeight = float(source.desc.height);
  glDisable(GL_SCISSOR_TEST);
  glDisable(GL_BLEND);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glUseProgram(stretchProgram);
  glUniform4f(stretchRectAt, 0.5f / targetWidth, 0.5f / targetHeight,
              (float(sourceWidth) - 0.5f) / targetWidth, (float(sourceHeight) - 0.5f) / targetHeight);
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, source.name);
  glBindSampler(0, stretchSampler);
  glBindVertexArray(stretchArray);
  ++glStats.draws;
  glDrawArrays(GL_TRIANGLES, 0, 6);
  glBindVertexArray(0);
  ApplyShader(state);
  ApplyTexture(state, 0);
  ApplySampler(state, 0);
  ApplyBlend(state);
  ApplyDepthStencil(state);
  ApplyRasterizer(state);
  CheckErrors("stretch");
}

// Clears ignore the scissor test and the write masks. The world's framebuffer
// is as large as its colour target, the world's size, however large its depth.
void VelGlBackend::ClearColor(const float4& color) {
  EnableScissor(false);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glClearColor(color.x, color.y, color.z, color.w);
  glClear(GL_COLOR_BUFFER_BIT);
  EnableScissor(scissorOn);
}

void VelGlBackend::ClearDepth(float depth, uint8_t) {
  EnableScissor(false);
  glDepthMask(GL_TRUE);
  glClearDepth(depth);
  glClear(GL_DEPTH_BUFFER_BIT);
  glDepthMask(depthWriteOn ? GL_TRUE : GL_FALSE);
  EnableScissor(scissorOn);
}

void VelGlBackend::Present() {
  auto* sdlWindow = static_cast<SDL_Window*>(window);
  if (frameInWindow) {
    frameInWindow = false;
    SDL_GL_SwapWindow(sdlWindow);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    CheckErrors("present");
    return;
  }
  int drawableWidth = width, drawableHeight = height;
  SDL_GL_GetDrawableSize(sdlWindow, &drawableWidth, &drawableHeight);
  // Scale the frame into the drawable, aspect kept, bars black.
  float scale = std::min(float(drawableWidth) / float(width), float(drawableHeight) / float(height));
  int shownWidth = int(float(width) * scale + 0.5f), shownHeight = int(float(height) * scale + 0.5f);
  int x0 = (drawableWidth - shownWidth) / 2, y0 = (drawableHeight - shownHeight) / 2;
  glDisable(GL_SCISSOR_TEST);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
  if (shownWidth != drawableWidth || shownHeight != drawableHeight) {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  bool exact = shownWidth == width && shownHeight == height;
  glBlitFramebuffer(0, 0, width, height, x0, y0, x0 + shownWidth, y0 + shownHeight, GL_COLOR_BUFFER_BIT,
                    exact ? GL_NEAREST : GL_LINEAR);
  SDL_GL_SwapWindow(sdlWindow);
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
  if (scissorOn) glEnable(GL_SCISSOR_TEST);
  CheckErrors("present");
}

bool VelGlBackend::SetFullscreen(bool fullscreen) {
  return Sys().SetFullscreen(fullscreen);
}

bool VelGlBackend::ReadBackBuffer(std::vector<uint8_t>& rgba, int& outWidth, int& outHeight) {
  if (!context) return false;
  size_t rowBytes = size_t(width) * 4;
  rgba.resize(rowBytes * size_t(height));
  glBindFramebuffer(GL_READ_FRAMEBUFFER, frameInWindow ? 0 : framebuffer);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  if (glGetError() != GL_NO_ERROR) return false;
  // GL reads bottom row first; captures are top row first.
  std::vector<uint8_t> row(rowBytes);
  for (int y = 0; y < height / 2; ++y) {
    uint8_t* top = rgba.data() + size_t(y) * rowBytes;
    uint8_t* bottom = rgba.data() + size_t(height - 1 - y) * rowBytes;
    std::memcpy(row.data(), top, rowBytes);
    std::memcpy(top, bottom, rowBytes);
    std::memcpy(bottom, row.data(), rowBytes);
  }
  outWidth = width;
  outHeight = height;
  return true;
}

std::unique_ptr<VelGraphicsBackend> VelCreateWindowBackend() {
  return std::make_unique<VelGlBackend>();
}
