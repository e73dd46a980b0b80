#include "framework/gl/VelGlShaders.h"

#include <utility>

// Matrices arrive as stored, rows first, and points are row vectors, so the
// blocks are row_major and every transform reads v * M. Block members sit at
// the std140 offsets the C++ structs assert.

namespace {

const char* kPreludeRemap = R"(#version 330 core
vec4 ToClip(vec4 p) { p.z = p.z * 2.0 - p.w; return p; }
)";

const char* kPreludeDirect = R"(#version 330 core
vec4 ToClip(vec4 p) { return p; }
)";

#define VEL_CB_CAMERA                                                 \
  "layout(std140, row_major) uniform cbCamera {\n"                    \
  "  mat4 g_mV; mat4 g_mP; vec3 g_CamPos; int g_DistanceFogEnable;\n" \
  "  vec3 g_DistanceFogColor; float g_DistanceFogDensity;\n"          \
  "};\n"
#define VEL_CB_OBJECT                                                                               \
  "layout(std140, row_major) uniform cbObject {\n"                                                  \
  "  mat4 g_mW; vec2 g_UVOffset; vec2 g_UVTiling; int g_LightEnable; float g_AlphaTestThreshold;\n" \
  "};\n"
#define VEL_CB_PER_OBJECT                                                        \
  "layout(std140, row_major) uniform cbPerObject {\n"                            \
  "  mat4 g_mW; vec2 g_UVOffset; vec2 g_UVTiling; float g_AlphaTestThreshold;\n" \
  "};\n"
#define VEL_CB_MATERIAL                                                                    \
  "struct Material { vec4 BaseColor; vec3 Emissive; float Metallic; float Roughness; };\n" \
  "layout(std140) uniform cbMaterial { Material g_Material; };\n"
#define VEL_CB_LIGHT                                                                             \
  "struct PointLight { vec3 color; float radius; vec3 pos; float tmp4; };\n"                     \
  "layout(std140) uniform cbLight {\n"                                                           \
  "  vec3 g_AmbientLight; vec3 g_DL_Dir; vec3 g_DL_Color; PointLight g_PL[100]; int g_PL_Num;\n" \
  "};\n"
#define VEL_CB_SPRITE "layout(std140, row_major) uniform cbSprite { mat4 g_mTransform; vec4 g_color; };\n"

// Anisotropic filtering is done here rather than by the sampler, the same on
// every driver (llvmpipe's own is some forty times slower than this): up to
// vel_MaxAnisotropy trilinear taps spread along the pixel's footprint in the
// texture, each filtered at the level of detail of the footprint's short
// axis, or of its long axis split into that many taps when it is longer.
#define VEL_SAMPLE                                                                                    \
  "#ifdef VEL_ANISOTROPIC\n"                                                                          \
  "uniform float vel_MaxAnisotropy;\n"                                                                \
  "vec4 Sample(sampler2D s, vec2 uv) {\n"                                                             \
  "  vec2 size = vec2(textureSize(s, 0));\n"                                                          \
  "  vec2 dx = dFdx(uv), dy = dFdy(uv);\n"                                                            \
  "  float lx = dot(dx * size, dx * size), ly = dot(dy * size, dy * size);\n"                         \
  "  vec2 major = lx > ly ? dx : dy;\n"                                                               \
  "  vec2 minor = lx > ly ? dy : dx;\n"                                                               \
  "  float ratio = sqrt(max(lx, ly) / max(min(lx, ly), 1e-20));\n"                                    \
  "  float taps = size.x * size.y > 1.0 ? clamp(ceil(ratio - 0.01), 1.0, vel_MaxAnisotropy) : 1.0;\n" \
  "  vec2 step = major / taps;\n"                                                                     \
  "  vec4 sum = vec4(0.0);\n"                                                                         \
  "  for (float i = 0.0; i < taps; i += 1.0)\n"                                                       \
  "    sum += textureGrad(s, uv + step * (i + 0.5 - 0.5 * taps), step, minor);\n"                     \
  "  return sum / taps;\n"                                                                            \
  "}\n"                                                                                               \
  "#else\n"                                                                                           \
  "vec4 Sample(sampler2D s, vec2 uv) { return texture(s, uv); }\n"                                    \
  "#endif\n"

// The model path's lighting, for either stage: the fragment stage's when lit
// per pixel, the vertex stage's when lit per vertex.
#define VEL_SHADE                                                                                      \
  "const float kPi = 3.14159265;\n"                                                                    \
  "// Lambert diffuse plus a normalised Blinn-Phong lobe whose sharpness follows\n"                    \
  "// the roughness, with Schlick's Fresnel: cheap, and metals keep their tint.\n"                     \
  "vec3 Shade(vec3 N, vec3 V, vec3 L, vec3 radiance, vec3 diffuseColor, vec3 f0, float roughness) {\n" \
  "  float NdotL = max(dot(N, L), 0.0);\n"                                                             \
  "  if (NdotL <= 0.0) return vec3(0.0);\n"                                                            \
  "  vec3 H = normalize(L + V);\n"                                                                     \
  "  float a = roughness * roughness;\n"                                                               \
  "  float power = clamp(2.0 / max(a * a, 1e-4) - 2.0, 1.0, 2048.0);\n"                                \
  "  float specular = (power + 2.0) / (8.0 * kPi) * pow(max(dot(N, H), 0.0), power);\n"                \
  "  vec3 fresnel = f0 + (1.0 - f0) * pow(1.0 - max(dot(H, V), 0.0), 5.0);\n"                          \
  "  return (diffuseColor / kPi + fresnel * specular) * radiance * NdotL;\n"                           \
  "}\n"

const char* kModelVertex = VEL_CB_OBJECT VEL_CB_CAMERA VEL_CB_MATERIAL VEL_CB_LIGHT VEL_SHADE R"(
layout(location = 0) in vec3 POSITION;
layout(location = 1) in vec2 TEXCOORD;
layout(location = 2) in vec3 NORMAL;
layout(location = 3) in vec4 COLOR;
out vec2 vTexCoord;
out vec3 vNormal;
out vec4 vColor;
out vec3 vWorldPos;
#if defined(VEL_LIT) && !defined(VEL_PIXEL_LIGHTING)
out vec3 vLightScale;  // the light is base colour x vLightScale + vLightAdd
out vec3 vLightAdd;
#endif
void main() {
  vec4 world = vec4(POSITION, 1.0) * g_mW;
  vWorldPos = world.xyz;
  vNormal = (vec4(NORMAL, 0.0) * g_mW).xyz;
  vTexCoord = TEXCOORD * g_UVTiling + g_UVOffset;
  vColor = COLOR;
  gl_Position = ToClip(world * g_mV * g_mP);
#if defined(VEL_LIT) && !defined(VEL_PIXEL_LIGHTING)
  // The texel is not known here, but Shade is affine in the base colour b
  // (its diffuse colour is b (1 - m), its f0 0.04 (1 - m) + b m), so
  // Shade(b) = Shade(black) + b (Shade(white) - Shade(black)); the ambient
  // light, b x g_AmbientLight, joins the second term.
  float roughness = clamp(g_Material.Roughness, 0.05, 1.0);
  float metallic = clamp(g_Material.Metallic, 0.0, 1.0);
  vec3 N = length(vNormal) > 0.0 ? normalize(vNormal) : vec3(0.0, 1.0, 0.0);
  vec3 toEye = g_CamPos - vWorldPos;
  vec3 V = length(toEye) > 0.0 ? normalize(toEye) : N;
  vLightScale = g_AmbientLight;
  vLightAdd = vec3(0.0);
  if (length(g_DL_Dir) > 0.0) {
    vec3 L = normalize(-g_DL_Dir);
    vec3 black = Shade(N, V, L, g_DL_Color, vec3(0.0), vec3(0.04 * (1.0 - metallic)), roughness);
    vec3 white = Shade(N, V, L, g_DL_Color, vec3(1.0 - metallic), vec3(0.04 * (1.0 - metallic) + metallic),
                       roughness);
    vLightScale += white - black;
    vLightAdd = black;
  }
#endif
}
)";

const char* kModelFragment = VEL_CB_OBJECT VEL_CB_CAMERA VEL_CB_MATERIAL VEL_CB_LIGHT VEL_SHADE VEL_SAMPLE R"(
uniform sampler2D g_baseTex;
uniform sampler2D g_emissiveTex;
uniform sampler2D g_mrTex;
in vec2 vTexCoord;
in vec3 vNormal;
in vec4 vColor;
in vec3 vWorldPos;
#if defined(VEL_LIT) && !defined(VEL_PIXEL_LIGHTING)
in vec3 vLightScale;
in vec3 vLightAdd;
#endif
layout(location = 0) out vec4 SV_Target;

void main() {
#ifdef VEL_BASE_LOOKUP
  vec4 texel = Sample(g_baseTex, vTexCoord);
#else
  const vec4 texel = vec4(1.0);
#endif
  vec4 base = texel * g_Material.BaseColor * vColor;
#ifdef VEL_ALPHA_TEST
  if (base.a < g_AlphaTestThreshold) discard;
#endif
  vec3 color = base.rgb;
#ifdef VEL_LIT
  if (g_LightEnable != 0) {
#ifndef VEL_PIXEL_LIGHTING
    color = base.rgb * vLightScale + vLightAdd;
#else
    // glTF packs roughness in green and metalness in blue.
#ifdef VEL_METAL_ROUGHNESS_LOOKUP
    vec4 mr = Sample(g_mrTex, vTexCoord);
#else
    const vec4 mr = vec4(1.0);
#endif
    float roughness = clamp(mr.g * g_Material.Roughness, 0.05, 1.0);
    float metallic = clamp(mr.b * g_Material.Metallic, 0.0, 1.0);
    vec3 diffuseColor = base.rgb * (1.0 - metallic);
    vec3 f0 = mix(vec3(0.04), base.rgb, metallic);
    vec3 N = length(vNormal) > 0.0 ? normalize(vNormal) : vec3(0.0, 1.0, 0.0);
    vec3 toEye = g_CamPos - vWorldPos;
    vec3 V = length(toEye) > 0.0 ? normalize(toEye) : N;
    color = g_AmbientLight * base.rgb;
    if (length(g_DL_Dir) > 0.0)
      color += Shade(N, V, normalize(-g_DL_Dir), g_DL_Color, diffuseColor, f0, roughness);
#ifdef VEL_POINT_LIGHTS
    for (int i = 0; i < g_PL_Num && i < 100; ++i) {
      if (g_PL[i].radius <= 0.0) continue;
      vec3 toLight = g_PL[i].pos - vWorldPos;
      float d = length(toLight);
      if (d >= g_PL[i].radius || d <= 0.0) continue;
      float falloff = 1.0 - d / g_PL[i].radius;
      color += Shade(N, V, toLight / d, g_PL[i].color * falloff * falloff, diffuseColor, f0, roughness);
    }
#endif
#endif
  }
#endif
#ifdef VEL_EMISSIVE
#ifdef VEL_EMISSIVE_LOOKUP
  vec3 glow = Sample(g_emissiveTex, vTexCoord).rgb;
#else
  vec3 glow = texel.rgb;
#endif
  color += glow * g_Material.Emissive;
#endif
#ifdef VEL_FOG
  if (g_DistanceFogEnable != 0) {
    float visibility = exp(-distance(g_CamPos, vWorldPos) * g_DistanceFogDensity);
    color = mix(g_DistanceFogColor, color, clamp(visibility, 0.0, 1.0));
  }
#endif
  SV_Target = vec4(color, base.a);
}
)";

const char* kEffectVertex = VEL_CB_PER_OBJECT VEL_CB_CAMERA R"(
layout(location = 0) in vec3 POSITION;
layout(location = 1) in vec2 TEXCOORD;
layout(location = 2) in vec4 COLOR;
out vec2 vTexCoord;
out vec4 vColor;
void main() {
  vTexCoord = TEXCOORD * g_UVTiling + g_UVOffset;
  vColor = COLOR;
  gl_Position = ToClip(vec4(POSITION, 1.0) * g_mW * g_mV * g_mP);
}
)";

const char* kEffectFragment = VEL_CB_PER_OBJECT VEL_SAMPLE R"(
uniform sampler2D g_tex;
in vec2 vTexCoord;
in vec4 vColor;
layout(location = 0) out vec4 SV_Target;
void main() {
  vec4 color = Sample(g_tex, vTexCoord) * vColor;
  if (color.a < g_AlphaTestThreshold) discard;
  SV_Target = color;
}
)";

const char* kSpriteVertex = VEL_CB_SPRITE R"(
layout(std140, row_major) uniform cbProjection { mat4 g_mProj; };
layout(location = 0) in vec3 POSITION;
layout(location = 1) in vec2 TEXCOORD;
out vec2 vTexCoord;
void main() {
  vTexCoord = TEXCOORD;
  gl_Position = ToClip(vec4(POSITION, 1.0) * g_mTransform * g_mProj);
}
)";

const char* kSpriteFragment = VEL_CB_SPRITE VEL_SAMPLE R"(
uniform sampler2D g_inputTex;
uniform vec4 vel_PlainTexel;  // the texture's one colour, when it is plain
in vec2 vTexCoord;
layout(location = 0) out vec4 SV_Target;
void main() {
#ifdef VEL_BASE_LOOKUP
  SV_Target = Sample(g_inputTex, vTexCoord) * g_color;
#else
  SV_Target = vel_PlainTexel * g_color;
#endif
}
)";

// Two triangles over the whole back buffer sample the world's corner of its
// target bilinearly: the back buffer's edges fall on the centres of the
// world's edge texels, so its edge never blends in what lies beyond it in the
// target. A rectangle of a plain lookup is what llvmpipe's linear rasteriser
// takes, far faster than its general path.
const char* kStretchVertex = R"(#version 330 core
uniform vec4 vel_SourceRect;
out vec2 vTexCoord;
void main() {
  const vec2 kCorners[6] = vec2[6](vec2(0, 0), vec2(1, 0), vec2(0, 1), vec2(0, 1), vec2(1, 0), vec2(1, 1));
  vec2 corner = kCorners[gl_VertexID];
  vTexCoord = mix(vel_SourceRect.xy, vel_SourceRect.zw, corner);
  gl_Position = vec4(corner * 2.0 - 1.0, 0.0, 1.0);
}
)";

const char* kStretchFragment = R"(#version 330 core
uniform sampler2D vel_World;
in vec2 vTexCoord;
layout(location = 0) out vec4 SV_Target;
void main() { SV_Target = texture(vel_World, vTexCoord); }
)";

}  // namespace

const char* VelGlStretchSource(bool vertexStage) {
  return vertexStage ? kStretchVertex : kStretchFragment;
}

const char* VelGlShaderPrelude(bool remapDepth) {
  return remapDepth ? kPreludeRemap : kPreludeDirect;
}

const char* VelGlShaderSource(VelShaderPath path, bool vertexStage) {
  switch (path) {
    case VelShaderPath::Model:
      return vertexStage ? kModelVertex : kModelFragment;
    case VelShaderPath::Effect:
      return vertexStage ? kEffectVertex : kEffectFragment;
    case VelShaderPath::Sprite:
      return vertexStage ? kSpriteVertex : kSpriteFragment;
    default:
      return nullptr;
  }
}

// The effect path keeps its alpha test in every variant: its vertex colours
// may take alpha below any threshold.
uint32_t VelGlFeaturesOf(VelShaderPath path) {
  switch (path) {
    case VelShaderPath::Model:
      return VelGlFeature::All;
    case VelShaderPath::Sprite:
      return VelGlFeature::Anisotropic | VelGlFeature::BaseLookup;
    default:
      return VelGlFeature::Anisotropic;
  }
}

std::string VelGlFeatureDefines(uint32_t features) {
  static const std::pair<uint32_t, const char*> kDefines[] = {
      {VelGlFeature::Lit, "VEL_LIT"},
      {VelGlFeature::PointLights, "VEL_POINT_LIGHTS"},
      {VelGlFeature::Emissive, "VEL_EMISSIVE"},
      {VelGlFeature::Fog, "VEL_FOG"},
      {VelGlFeature::AlphaTest, "VEL_ALPHA_TEST"},
      {VelGlFeature::Anisotropic, "VEL_ANISOTROPIC"},
      {VelGlFeature::MetalRoughnessLookup, "VEL_METAL_ROUGHNESS_LOOKUP"},
      {VelGlFeature::EmissiveLookup, "VEL_EMISSIVE_LOOKUP"},
      {VelGlFeature::BaseLookup, "VEL_BASE_LOOKUP"},
      {VelGlFeature::PixelLighting, "VEL_PIXEL_LIGHTING"},
  };
  std::string defines;
  for (const auto& [feature, name] : kDefines)
    if (features & feature) defines += std::string("#define ") + name + "\n";
  return defines;
}
