#include "framework/d3d11/VelD3D11Shaders.h"

// Matrices arrive as stored, rows first, and points are row vectors, so every
// matrix is row_major and every transform is mul(v, M). The buffers' packing
// puts each member at the offset the C++ structs assert.

namespace {

// Pixels whose alpha is below g_AlphaTestThreshold are discarded. Older HLSL
// compilers without discard (Wine 8's) build the stage with VEL_NO_DISCARD:
// the game keeps the threshold at 0, where no pixel is discarded anyway.
#define VEL_HLSL_ALPHA_TEST                                                  \
  "#ifdef VEL_NO_DISCARD\n"                                                 \
  "#define VEL_ALPHA_TEST(a)\n"                                             \
  "#else\n"                                                                 \
  "#define VEL_ALPHA_TEST(a) if ((a) < g_AlphaTestThreshold) discard\n"     \
  "#endif\n"

#define VEL_HLSL_CB_CAMERA                                    \
  "cbuffer cbCamera : register(b7) {\n"                       \
  "  row_major float4x4 g_mV; row_major float4x4 g_mP;\n"     \
  "  float3 g_CamPos; int g_DistanceFogEnable;\n"             \
  "  float3 g_DistanceFogColor; float g_DistanceFogDensity;\n" \
  "};\n"
#define VEL_HLSL_CB_OBJECT                                                                   \
  "cbuffer cbObject : register(b0) {\n"                                                      \
  "  row_major float4x4 g_mW; float2 g_UVOffset; float2 g_UVTiling; int g_LightEnable;\n"   \
  "  float g_AlphaTestThreshold;\n"                                                          \
  "};\n"
#define VEL_HLSL_CB_PER_OBJECT                                                                        \
  "cbuffer cbPerObject : register(b0) {\n"                                                            \
  "  row_major float4x4 g_mW; float2 g_UVOffset; float2 g_UVTiling; float g_AlphaTestThreshold;\n" \
  "};\n"
#define VEL_HLSL_CB_SPRITE \
  "cbuffer cbSprite : register(b0) { row_major float4x4 g_mTransform; float4 g_color; };\n"
#define VEL_HLSL_MODEL_VARYINGS                                                         \
  "struct ModelVaryings {\n"                                                            \
  "  float4 position : SV_Position; float2 texCoord : TEXCOORD0;\n"                     \
  "  float3 normal : TEXCOORD1; float4 color : TEXCOORD2; float3 worldPos : TEXCOORD3;\n" \
  "};\n"
#define VEL_HLSL_EFFECT_VARYINGS \
  "struct EffectVaryings { float4 position : SV_Position; float2 texCoord : TEXCOORD0; float4 color : TEXCOORD1; };\n"
#define VEL_HLSL_SPRITE_VARYINGS \
  "struct SpriteVaryings { float4 position : SV_Position; float2 texCoord : TEXCOORD0; };\n"

const char* kModelVertex = VEL_HLSL_CB_OBJECT VEL_HLSL_CB_CAMERA VEL_HLSL_MODEL_VARYINGS R"(
struct ModelVertex {
  float3 position : POSITION; float2 texCoord : TEXCOORD; float3 normal : NORMAL; float4 color : COLOR;
};
ModelVaryings main(ModelVertex v) {
  ModelVaryings o;
  float4 world = mul(float4(v.position, 1.0), g_mW);
  o.worldPos = world.xyz;
  o.normal = mul(float4(v.normal, 0.0), g_mW).xyz;
  o.texCoord = v.texCoord * g_UVTiling + g_UVOffset;
  o.color = v.color;
  o.position = mul(mul(world, g_mV), g_mP);
  return o;
}
)";

const char* kModelPixel = VEL_HLSL_ALPHA_TEST VEL_HLSL_CB_OBJECT VEL_HLSL_CB_CAMERA VEL_HLSL_MODEL_VARYINGS R"(
struct Material { float4 BaseColor; float3 Emissive; float Metallic; float Roughness; };
cbuffer cbMaterial : register(b1) { Material g_Material; };
struct PointLight { float3 color; float radius; float3 pos; float tmp4; };
cbuffer cbLight : register(b8) {
  float3 g_AmbientLight; float3 g_DL_Dir; float3 g_DL_Color; PointLight g_PL[100]; int g_PL_Num;
};
Texture2D g_baseTex : register(t0);
Texture2D g_emissiveTex : register(t1);
Texture2D g_mrTex : register(t2);
SamplerState g_ss : register(s0);

static const float kPi = 3.14159265;

// Lambert diffuse plus a normalised Blinn-Phong lobe whose sharpness follows
// the roughness, with Schlick's Fresnel: cheap, and metals keep their tint.
float3 Shade(float3 N, float3 V, float3 L, float3 radiance, float3 diffuseColor, float3 f0, float roughness) {
  float NdotL = max(dot(N, L), 0.0);
  if (NdotL <= 0.0) return float3(0.0, 0.0, 0.0);
  float3 H = normalize(L + V);
  float a = roughness * roughness;
  float power = clamp(2.0 / max(a * a, 1e-4) - 2.0, 1.0, 2048.0);
  float specular = (power + 2.0) / (8.0 * kPi) * pow(max(dot(N, H), 0.0), power);
  float3 fresnel = f0 + (1.0 - f0) * pow(1.0 - max(dot(H, V), 0.0), 5.0);
  return (diffuseColor / kPi + fresnel * specular) * radiance * NdotL;
}

float4 main(ModelVaryings i) : SV_Target {
  float4 base = g_baseTex.Sample(g_ss, i.texCoord) * g_Material.BaseColor * i.color;
  VEL_ALPHA_TEST(base.a);
  float3 color = base.rgb;
  if (g_LightEnable != 0) {
    // glTF packs roughness in green and metalness in blue.
    float4 mr = g_mrTex.Sample(g_ss, i.texCoord);
    float roughness = clamp(mr.g * g_Material.Roughness, 0.05, 1.0);
    float metallic = clamp(mr.b * g_Material.Metallic, 0.0, 1.0);
    float3 diffuseColor = base.rgb * (1.0 - metallic);
    float3 f0 = lerp(float3(0.04, 0.04, 0.04), base.rgb, metallic);
    float3 N = length(i.normal) > 0.0 ? normalize(i.normal) : float3(0.0, 1.0, 0.0);
    float3 toEye = g_CamPos - i.worldPos;
    float3 V = length(toEye) > 0.0 ? normalize(toEye) : N;
    color = g_AmbientLight * base.rgb;
    if (length(g_DL_Dir) > 0.0)
      color += Shade(N, V, normalize(-g_DL_Dir), g_DL_Color, diffuseColor, f0, roughness);
    [loop] for (int l = 0; l < g_PL_Num && l < 100; ++l) {
      if (g_PL[l].radius <= 0.0) continue;
      float3 toLight = g_PL[l].pos - i.worldPos;
      float d = length(toLight);
      if (d >= g_PL[l].radius || d <= 0.0) continue;
      float falloff = 1.0 - d / g_PL[l].radius;
      color += Shade(N, V, toLight / d, g_PL[l].color * falloff * falloff, diffuseColor, f0, roughness);
    }
  }
  color += g_emissiveTex.Sample(g_ss, i.texCoord).rgb * g_Material.Emissive;
  if (g_DistanceFogEnable != 0) {
    float visibility = exp(-distance(g_CamPos, i.worldPos) * g_DistanceFogDensity);
    color = lerp(g_DistanceFogColor, color, saturate(visibility));
  }
  return float4(color, base.a);
}
)";

const char* kEffectVertex = VEL_HLSL_CB_PER_OBJECT VEL_HLSL_CB_CAMERA VEL_HLSL_EFFECT_VARYINGS R"(
struct EffectVertex { float3 position : POSITION; float2 texCoord : TEXCOORD; float4 color : COLOR; };
EffectVaryings main(EffectVertex v) {
  EffectVaryings o;
  o.texCoord = v.texCoord * g_UVTiling + g_UVOffset;
  o.color = v.color;
  o.position = mul(mul(mul(float4(v.position, 1.0), g_mW), g_mV), g_mP);
  return o;
}
)";

const char* kEffectPixel = VEL_HLSL_ALPHA_TEST VEL_HLSL_CB_PER_OBJECT VEL_HLSL_EFFECT_VARYINGS R"(
Texture2D g_tex : register(t0);
SamplerState g_ss : register(s0);
float4 main(EffectVaryings i) : SV_Target {
  float4 color = g_tex.Sample(g_ss, i.texCoord) * i.color;
  VEL_ALPHA_TEST(color.a);
  return color;
}
)";

const char* kSpriteVertex = VEL_HLSL_CB_SPRITE VEL_HLSL_SPRITE_VARYINGS R"(
cbuffer cbProjection : register(b1) { row_major float4x4 g_mProj; };
struct SpriteVertex { float3 position : POSITION; float2 texCoord : TEXCOORD; };
SpriteVaryings main(SpriteVertex v) {
  SpriteVaryings o;
  o.texCoord = v.texCoord;
  o.position = mul(mul(float4(v.position, 1.0), g_mTransform), g_mProj);
  return o;
}
)";

const char* kSpritePixel = VEL_HLSL_CB_SPRITE VEL_HLSL_SPRITE_VARYINGS R"(
Texture2D g_inputTex : register(t0);
SamplerState g_ss : register(s0);
float4 main(SpriteVaryings i) : SV_Target { return g_inputTex.Sample(g_ss, i.texCoord) * g_color; }
)";

}  // namespace

VelHlslStage VelD3D11ShaderStage(VelShaderPath path, bool vertexStage) {
  const char* profile = vertexStage ? "vs_4_0" : "ps_4_0";
  switch (path) {
    case VelShaderPath::Model:
      return {vertexStage ? kModelVertex : kModelPixel, "main", profile};
    case VelShaderPath::Effect:
      return {vertexStage ? kEffectVertex : kEffectPixel, "main", profile};
    case VelShaderPath::Sprite:
      return {vertexStage ? kSpriteVertex : kSpritePixel, "main", profile};
    default:
      return {nullptr, "main", profile};
  }
}
