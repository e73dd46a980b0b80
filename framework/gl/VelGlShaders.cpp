#include "framework/gl/VelGlShaders.h"

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
#define VEL_CB_SPRITE "layout(std140, row_major) uniform cbSprite { mat4 g_mTransform; vec4 g_color; };\n"

const char* kModelVertex = VEL_CB_OBJECT VEL_CB_CAMERA R"(
layout(location = 0) in vec3 POSITION;
layout(location = 1) in vec2 TEXCOORD;
layout(location = 2) in vec3 NORMAL;
layout(location = 3) in vec4 COLOR;
out vec2 vTexCoord;
out vec3 vNormal;
out vec4 vColor;
out vec3 vWorldPos;
void main() {
  vec4 world = vec4(POSITION, 1.0) * g_mW;
  vWorldPos = world.xyz;
  vNormal = (vec4(NORMAL, 0.0) * g_mW).xyz;
  vTexCoord = TEXCOORD * g_UVTiling + g_UVOffset;
  vColor = COLOR;
  gl_Position = ToClip(world * g_mV * g_mP);
}
)";

const char* kModelFragment = VEL_CB_OBJECT VEL_CB_CAMERA R"(
struct Material { vec4 BaseColor; vec3 Emissive; float Metallic; float Roughness; };
layout(std140) uniform cbMaterial { Material g_Material; };
struct PointLight { vec3 color; float radius; vec3 pos; float tmp4; };
layout(std140) uniform cbLight {
  vec3 g_AmbientLight; vec3 g_DL_Dir; vec3 g_DL_Color; PointLight g_PL[100]; int g_PL_Num;
};
uniform sampler2D g_baseTex;
uniform sampler2D g_emissiveTex;
uniform sampler2D g_mrTex;
in vec2 vTexCoord;
in vec3 vNormal;
in vec4 vColor;
in vec3 vWorldPos;
layout(location = 0) out vec4 SV_Target;

const float kPi = 3.14159265;

// Lambert diffuse plus a normalised Blinn-Phong lobe whose sharpness follows
// the roughness, with Schlick's Fresnel: cheap, and metals keep their tint.
vec3 Shade(vec3 N, vec3 V, vec3 L, vec3 radiance, vec3 diffuseColor, vec3 f0, float roughness) {
  float NdotL = max(dot(N, L), 0.0);
  if (NdotL <= 0.0) return vec3(0.0);
  vec3 H = normalize(L + V);
  float a = roughness * roughness;
  float power = clamp(2.0 / max(a * a, 1e-4) - 2.0, 1.0, 2048.0);
  float specular = (power + 2.0) / (8.0 * kPi) * pow(max(dot(N, H), 0.0), power);
  vec3 fresnel = f0 + (1.0 - f0) * pow(1.0 - max(dot(H, V), 0.0), 5.0);
  return (diffuseColor / kPi + fresnel * specular) * radiance * NdotL;
}

void main() {
  vec4 base = texture(g_baseTex, vTexCoord) * g_Material.BaseColor * vColor;
  if (base.a < g_AlphaTestThreshold) discard;
  vec3 color = base.rgb;
  if (g_LightEnable != 0) {
    // glTF packs roughness in green and metalness in blue.
    vec4 mr = texture(g_mrTex, vTexCoord);
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
    for (int i = 0; i < g_PL_Num && i < 100; ++i) {
      if (g_PL[i].radius <= 0.0) continue;
      vec3 toLight = g_PL[i].pos - vWorldPos;
      float d = length(toLight);
      if (d >= g_PL[i].radius || d <= 0.0) continue;
      float falloff = 1.0 - d / g_PL[i].radius;
      color += Shade(N, V, toLight / d, g_PL[i].color * falloff * falloff, diffuseColor, f0, roughness);
    }
  }
  color += texture(g_emissiveTex, vTexCoord).rgb * g_Material.Emissive;
  if (g_DistanceFogEnable != 0) {
    float visibility = exp(-distance(g_CamPos, vWorldPos) * g_DistanceFogDensity);
    color = mix(g_DistanceFogColor, color, clamp(visibility, 0.0, 1.0));
  }
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

const char* kEffectFragment = VEL_CB_PER_OBJECT R"(
uniform sampler2D g_tex;
in vec2 vTexCoord;
in vec4 vColor;
layout(location = 0) out vec4 SV_Target;
void main() {
  vec4 color = texture(g_tex, vTexCoord) * vColor;
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

const char* kSpriteFragment = VEL_CB_SPRITE R"(
uniform sampler2D g_inputTex;
in vec2 vTexCoord;
layout(location = 0) out vec4 SV_Target;
void main() { SV_Target = texture(g_inputTex, vTexCoord) * g_color; }
)";

}  // namespace

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
