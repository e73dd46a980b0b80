#include "framework/d3d11/VelD3D11Shaders.h"

// Matrices arrive as stored, rows first, and points are row vectors, so every
// matrix is row_major and every transform is mul(v, M). The buffers' packing
// puts each member at the offset the C++ structs assert.

namespace {

// Older HLSL compilers (Wine 8's) know no discard, no loops over a constant
// buffer's array with a variable index and no [loop] attribute; the stages
// are built for them with VEL_HLSL_LIMITED. The alpha test then zeroes the
// pixel's alpha, which leaves the target's colour as it was under alpha and
// additive blending (only depth is still written), and the point lights are
// visited one by one with constant indices. The game keeps the threshold at
// 0, where no pixel fails the test.
#define VEL_HLSL_ALPHA_TEST                                               \
  "#ifdef VEL_HLSL_LIMITED\n"                                             \
  "#define VEL_ALPHA_TEST(a) if ((a) < g_AlphaTestThreshold) (a) = 0.0\n" \
  "#else\n"                                                               \
  "#define VEL_ALPHA_TEST(a) if ((a) < g_AlphaTestThreshold) discard\n"   \
  "#endif\n"

#define VEL_HLSL_CB_CAMERA                                     \
  "cbuffer cbCamera : register(b7) {\n"                        \
  "  row_major float4x4 g_mV; row_major float4x4 g_mP;\n"      \
  "  float3 g_CamPos; int g_DistanceFogEnable;\n"              \
  "  float3 g_DistanceFogColor; float g_DistanceFogDensity;\n" \
  "};\n"
#define VEL_HLSL_CB_OBJECT                                                                \
  "cbuffer cbObject : register(b0) {\n"                                                   \
  "  row_major float4x4 g_mW; float2 g_UVOffset; float2 g_UVTiling; int g_LightEnable;\n" \
  "  float g_AlphaTestThreshold;\n"                                                       \
  "};\n"
#define VEL_HLSL_CB_PER_OBJECT                                                                     \
  "cbuffer cbPerObject : register(b0) {\n"                                                         \
  "  row_major float4x4 g_mW; float2 g_UVOffset; float2 g_UVTiling; float g_AlphaTestThreshold;\n" \
  "};\n"
#define VEL_HLSL_CB_SPRITE \
  "cbuffer cbSprite : register(b0) { row_major float4x4 g_mTransform; float4 g_color; };\n"
#define VEL_HLSL_MODEL_VARYINGS                                                           \
  "struct ModelVaryings {\n"                                                              \
  "  float4 position : SV_Position; float2 texCoord : TEXCOORD0;\n"                       \
  "  float3 normal : TEXCOORD1; float4 color : TEXCOORD2; float3 worldPos : TEXCOORD3;\n" \
  "};\n"
#define VEL_HLSL_EFFECT_VARYINGS                                                                        \
  "struct EffectVaryings { float4 position : SV_Position; float2 texCoord : TEXCOORD0; float4 color : " \
  "TEXCOORD1; };\n"
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

const char* kModelPixel =
    VEL_HLSL_ALPHA_TEST VEL_HLSL_CB_OBJECT VEL_HLSL_CB_CAMERA VEL_HLSL_MODEL_VARYINGS R"(
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
static const float kE = 2.71828183;

// Lambert diffuse plus a normalised Blinn-Phong lobe whose sharpness follows
// the roughness, with Schlick's Fresnel: cheap, and metals keep their tint.
// Adds the light from direction L with the given radiance to color. A macro
// rather than a function, and without ternaries, for the older compilers.
#define VEL_SHADE(L, radiance)                                                      \
  {                                                                                 \
    float NdotL = max(dot(N, L), 0.0);                                              \
    if (NdotL > 0.0) {                                                              \
      float3 H = normalize(L + V);                                                  \
      float specular = (power + 2.0) / (8.0 * kPi) * pow(max(dot(N, H), 0.0), power); \
      float3 fresnel = f0 + (1.0 - f0) * pow(1.0 - max(dot(H, V), 0.0), 5.0);       \
      color += (diffuseColor / kPi + fresnel * specular) * radiance * NdotL;        \
    }                                                                               \
  }

#define VEL_POINT_LIGHT(k)                                              \
  if (k < g_PL_Num) {                                                   \
    float3 toLight = g_PL[k].pos - i.worldPos;                          \
    float d = length(toLight);                                          \
    if (g_PL[k].radius > 0.0 && d < g_PL[k].radius && d > 0.0) {        \
      float falloff = 1.0 - d / g_PL[k].radius;                         \
      float3 L = toLight / d;                                           \
      float3 radiance = g_PL[k].color * falloff * falloff;              \
      VEL_SHADE(L, radiance)                                            \
    }                                                                   \
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
    float a = roughness * roughness;
    float power = clamp(2.0 / max(a * a, 1e-4) - 2.0, 1.0, 2048.0);
    float3 N = float3(0.0, 1.0, 0.0);
    if (length(i.normal) > 0.0) N = normalize(i.normal);
    float3 toEye = g_CamPos - i.worldPos;
    float3 V = N;
    if (length(toEye) > 0.0) V = normalize(toEye);
    color = g_AmbientLight * base.rgb;
    if (length(g_DL_Dir) > 0.0) {
      float3 L = normalize(-g_DL_Dir);
      VEL_SHADE(L, g_DL_Color)
    }
#ifdef VEL_HLSL_LIMITED
    VEL_POINT_LIGHT(0) VEL_POINT_LIGHT(1) VEL_POINT_LIGHT(2) VEL_POINT_LIGHT(3) VEL_POINT_LIGHT(4)
    VEL_POINT_LIGHT(5) VEL_POINT_LIGHT(6) VEL_POINT_LIGHT(7) VEL_POINT_LIGHT(8) VEL_POINT_LIGHT(9)
    VEL_POINT_LIGHT(10) VEL_POINT_LIGHT(11) VEL_POINT_LIGHT(12) VEL_POINT_LIGHT(13) VEL_POINT_LIGHT(14)
    VEL_POINT_LIGHT(15) VEL_POINT_LIGHT(16) VEL_POINT_LIGHT(17) VEL_POINT_LIGHT(18) VEL_POINT_LIGHT(19)
    VEL_POINT_LIGHT(20) VEL_POINT_LIGHT(21) VEL_POINT_LIGHT(22) VEL_POINT_LIGHT(23) VEL_POINT_LIGHT(24)
    VEL_POINT_LIGHT(25) VEL_POINT_LIGHT(26) VEL_POINT_LIGHT(27) VEL_POINT_LIGHT(28) VEL_POINT_LIGHT(29)
    VEL_POINT_LIGHT(30) VEL_POINT_LIGHT(31) VEL_POINT_LIGHT(32) VEL_POINT_LIGHT(33) VEL_POINT_LIGHT(34)
    VEL_POINT_LIGHT(35) VEL_POINT_LIGHT(36) VEL_POINT_LIGHT(37) VEL_POINT_LIGHT(38) VEL_POINT_LIGHT(39)
    VEL_POINT_LIGHT(40) VEL_POINT_LIGHT(41) VEL_POINT_LIGHT(42) VEL_POINT_LIGHT(43) VEL_POINT_LIGHT(44)
    VEL_POINT_LIGHT(45) VEL_POINT_LIGHT(46) VEL_POINT_LIGHT(47) VEL_POINT_LIGHT(48) VEL_POINT_LIGHT(49)
    VEL_POINT_LIGHT(50) VEL_POINT_LIGHT(51) VEL_POINT_LIGHT(52) VEL_POINT_LIGHT(53) VEL_POINT_LIGHT(54)
    VEL_POINT_LIGHT(55) VEL_POINT_LIGHT(56) VEL_POINT_LIGHT(57) VEL_POINT_LIGHT(58) VEL_POINT_LIGHT(59)
    VEL_POINT_LIGHT(60) VEL_POINT_LIGHT(61) VEL_POINT_LIGHT(62) VEL_POINT_LIGHT(63) VEL_POINT_LIGHT(64)
    VEL_POINT_LIGHT(65) VEL_POINT_LIGHT(66) VEL_POINT_LIGHT(67) VEL_POINT_LIGHT(68) VEL_POINT_LIGHT(69)
    VEL_POINT_LIGHT(70) VEL_POINT_LIGHT(71) VEL_POINT_LIGHT(72) VEL_POINT_LIGHT(73) VEL_POINT_LIGHT(74)
    VEL_POINT_LIGHT(75) VEL_POINT_LIGHT(76) VEL_POINT_LIGHT(77) VEL_POINT_LIGHT(78) VEL_POINT_LIGHT(79)
    VEL_POINT_LIGHT(80) VEL_POINT_LIGHT(81) VEL_POINT_LIGHT(82) VEL_POINT_LIGHT(83) VEL_POINT_LIGHT(84)
    VEL_POINT_LIGHT(85) VEL_POINT_LIGHT(86) VEL_POINT_LIGHT(87) VEL_POINT_LIGHT(88) VEL_POINT_LIGHT(89)
    VEL_POINT_LIGHT(90) VEL_POINT_LIGHT(91) VEL_POINT_LIGHT(92) VEL_POINT_LIGHT(93) VEL_POINT_LIGHT(94)
    VEL_POINT_LIGHT(95) VEL_POINT_LIGHT(96) VEL_POINT_LIGHT(97) VEL_POINT_LIGHT(98) VEL_POINT_LIGHT(99)
#else
    [loop] for (int l = 0; l < g_PL_Num && l < 100; ++l) { VEL_POINT_LIGHT(l) }
#endif
  }
  color += g_emissiveTex.Sample(g_ss, i.texCoord).rgb * g_Material.Emissive;
  if (g_DistanceFogEnable != 0) {
    float visibility = pow(kE, -length(g_CamPos - i.worldPos) * g_DistanceFogDensity);
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

// A texture of one plain colour (a fade) is not sampled: its colour comes
// from the backend's own buffer, in a slot the device never binds.
const char* kPlainSpritePixel = VEL_HLSL_CB_SPRITE VEL_HLSL_SPRITE_VARYINGS R"(
cbuffer cbPlainTexel : register(b9) { float4 g_plainTexel; };
float4 main(SpriteVaryings i) : SV_Target { return g_plainTexel * g_color; }
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

VelHlslStage VelD3D11PlainSpriteStage() {
  return {kPlainSpritePixel, "main", "ps_4_0"};
}

namespace {
const char* const kStretchVertex =
    "cbuffer cbStretch : register(b0) { float4 g_SourceScale; float4 g_SourceClamp; };\n"
    "struct VsOut { float4 pos : SV_Position; float2 uv : TEXCOORD0; };\n"
    "VsOut main(uint id : SV_VertexID) {\n"
    "  VsOut o;\n"
    "  float2 corner = float2((id << 1) & 2, id & 2);\n"
    "  o.pos = float4(corner.x * 2.0 - 1.0, 1.0 - corner.y * 2.0, 0.0, 1.0);\n"
    "  o.uv = corner * g_SourceScale.xy;\n"
    "  return o;\n"
    "}\n";
// The coordinates stop at the centres of the world's last texels, so its
// edge never blends in what lies beyond it in the target. Sample, not
// SampleLevel: the target has one level, and Wine's compiler lacks the latter.
const char* const kStretchPixel =
    "cbuffer cbStretch : register(b0) { float4 g_SourceScale; float4 g_SourceClamp; };\n"
    "Texture2D g_world : register(t0);\n"
    "SamplerState g_linear : register(s0);\n"
    "struct VsOut { float4 pos : SV_Position; float2 uv : TEXCOORD0; };\n"
    "float4 main(VsOut i) : SV_Target {\n"
    "  return g_world.Sample(g_linear, clamp(i.uv, g_SourceClamp.xy, g_SourceClamp.zw));\n"
    "}\n";
}  // namespace

VelHlslStage VelD3D11StretchStage(bool vertexStage) {
  return {vertexStage ? kStretchVertex : kStretchPixel, "main", vertexStage ? "vs_4_0" : "ps_4_0"};
}
