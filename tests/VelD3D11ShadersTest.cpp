#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>

#include "framework/VelConstantBuffer.h"
#include "framework/d3d11/VelD3D11Shaders.h"
#include "tests/WavTestFiles.h"

namespace {

// The Direct3D 11 shaders cannot be compiled here with D3DCompile, but
// glslang's HLSL front end compiles them as HLSL and reports where each
// constant lands, which is what must agree with the C++ buffers.
struct Reflection {
  bool compiled = false;
  std::string log;
  std::map<std::string, int> offsets;   // member -> byte offset in its buffer
  std::map<std::string, int> bindings;  // buffer, texture or sampler -> register
};

bool HaveGlslang() {
  return std::system("command -v glslangValidator >/dev/null 2>&1") == 0;
}

// limited: the form built for older compilers (VEL_HLSL_LIMITED defined).
Reflection ReflectStage(const VelHlslStage& stage, const std::string& name, bool vertexStage,
                        const std::filesystem::path& dir, bool limited) {
  const std::filesystem::path file =
      dir / (name + (vertexStage ? ".vs" : ".ps") + (limited ? ".limited" : "") + ".hlsl");
  {
    std::ofstream out(file);
    out << stage.source;
  }
  const std::string command = std::string("glslangValidator -D ") + (limited ? "-DVEL_HLSL_LIMITED " : "") +
                              "-V -q -S " + (vertexStage ? "vert" : "frag") + " -e " + stage.entryPoint +
                              " -o /dev/null " + file.string() + " 2>&1";
  Reflection result;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return result;
  char line[512];
  while (std::fgets(line, sizeof(line), pipe)) result.log += line;
  result.compiled = pclose(pipe) == 0;

  std::istringstream lines(result.log);
  std::string text;
  while (std::getline(lines, text)) {
    const size_t colon = text.find(": offset ");
    if (colon == std::string::npos) continue;
    const std::string name = text.substr(0, colon);
    const int offset = std::atoi(text.c_str() + colon + 9);
    const size_t binding = text.find("binding ");
    if (offset >= 0) result.offsets[name] = offset;
    if (binding != std::string::npos) {
      const int slot = std::atoi(text.c_str() + binding + 8);
      if (slot >= 0) result.bindings[name] = slot;
    }
  }
  return result;
}

Reflection Reflect(VelShaderPath path, bool vertexStage, const std::filesystem::path& dir,
                   bool limited = false) {
  return ReflectStage(VelD3D11ShaderStage(path, vertexStage), VelShaderPathName(path), vertexStage, dir,
                      limited);
}

class VelD3D11ShadersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!HaveGlslang()) GTEST_SKIP() << "glslangValidator (glslang-tools) is not installed";
  }
  wavtest::TempDir dir{"halvane-hlsl"};
};

TEST_F(VelD3D11ShadersTest, EveryStageCompilesAsShaderModel4) {
  for (VelShaderPath path : {VelShaderPath::Model, VelShaderPath::Effect, VelShaderPath::Sprite}) {
    for (bool vertexStage : {true, false}) {
      const VelHlslStage stage = VelD3D11ShaderStage(path, vertexStage);
      EXPECT_STREQ(stage.profile, vertexStage ? "vs_4_0" : "ps_4_0");
      for (bool limited : {false, true}) {
        const Reflection r = Reflect(path, vertexStage, dir.path, limited);
        EXPECT_TRUE(r.compiled) << VelShaderPathName(path) << (vertexStage ? " vertex" : " pixel")
                                << (limited ? " limited" : "") << "\n"
                                << r.log;
      }
    }
  }
  EXPECT_EQ(VelD3D11ShaderStage(VelShaderPath::None, true).source, nullptr);
}

TEST_F(VelD3D11ShadersTest, ModelConstantsSitWhereTheCppBuffersPutThem) {
  for (bool limited : {false, true}) {
    SCOPED_TRACE(limited ? "limited form" : "full form");
    const Reflection pixel = Reflect(VelShaderPath::Model, false, dir.path, limited);
    ASSERT_TRUE(pixel.compiled) << pixel.log;
    EXPECT_EQ(pixel.bindings.at("cbObject"), 0);
    EXPECT_EQ(pixel.bindings.at("cbMaterial"), 1);
    EXPECT_EQ(pixel.bindings.at("cbCamera"), 7);
    EXPECT_EQ(pixel.bindings.at("cbLight"), 8);
    EXPECT_EQ(pixel.bindings.at("g_baseTex"), 0);
    EXPECT_EQ(pixel.bindings.at("g_emissiveTex"), 1);
    EXPECT_EQ(pixel.bindings.at("g_mrTex"), 2);
    EXPECT_EQ(pixel.bindings.at("g_ss"), 0);

    EXPECT_EQ(pixel.offsets.at("g_LightEnable"), int(offsetof(VelCbObject, g_LightEnable)));
    EXPECT_EQ(pixel.offsets.at("g_AlphaTestThreshold"), int(offsetof(VelCbObject, g_AlphaTestThreshold)));
    EXPECT_EQ(pixel.offsets.at("g_Material.Emissive"), int(offsetof(VelMaterialConstants, Emissive)));
    EXPECT_EQ(pixel.offsets.at("g_Material.Metallic"), int(offsetof(VelMaterialConstants, Metallic)));
    EXPECT_EQ(pixel.offsets.at("g_Material.Roughness"), int(offsetof(VelMaterialConstants, Roughness)));
    EXPECT_EQ(pixel.offsets.at("g_CamPos"), int(offsetof(VelCbCamera, g_CamPos)));
    EXPECT_EQ(pixel.offsets.at("g_DistanceFogEnable"), int(offsetof(VelCbCamera, g_DistanceFogEnable)));
    EXPECT_EQ(pixel.offsets.at("g_DistanceFogColor"), int(offsetof(VelCbCamera, g_DistanceFogColor)));
    EXPECT_EQ(pixel.offsets.at("g_DistanceFogDensity"), int(offsetof(VelCbCamera, g_DistanceFogDensity)));
    EXPECT_EQ(pixel.offsets.at("g_DL_Dir"), int(offsetof(VelCbLight, g_DL_Dir)));
    EXPECT_EQ(pixel.offsets.at("g_DL_Color"), int(offsetof(VelCbLight, g_DL_Color)));
    EXPECT_EQ(pixel.offsets.at("g_PL.color"), int(offsetof(VelCbLight, g_PL)));
    EXPECT_EQ(pixel.offsets.at("g_PL.radius"),
              int(offsetof(VelCbLight, g_PL) + offsetof(VelPointLight, radius)));
    EXPECT_EQ(pixel.offsets.at("g_PL.pos"), int(offsetof(VelCbLight, g_PL) + offsetof(VelPointLight, pos)));
    EXPECT_EQ(pixel.offsets.at("g_PL_Num"), int(offsetof(VelCbLight, g_PL_Num)));
  }

  const Reflection vertex = Reflect(VelShaderPath::Model, true, dir.path);
  ASSERT_TRUE(vertex.compiled) << vertex.log;
  EXPECT_EQ(vertex.bindings.at("cbObject"), 0);
  EXPECT_EQ(vertex.bindings.at("cbCamera"), 7);
  EXPECT_EQ(vertex.offsets.at("g_UVOffset"), int(offsetof(VelCbObject, g_UVOffset)));
  EXPECT_EQ(vertex.offsets.at("g_UVTiling"), int(offsetof(VelCbObject, g_UVTiling)));
  EXPECT_EQ(vertex.offsets.at("g_mP"), int(offsetof(VelCbCamera, g_mP)));
}

TEST_F(VelD3D11ShadersTest, EffectAndSpriteConstantsSitWhereTheCppBuffersPutThem) {
  const Reflection effectVertex = Reflect(VelShaderPath::Effect, true, dir.path);
  const Reflection effectPixel = Reflect(VelShaderPath::Effect, false, dir.path);
  ASSERT_TRUE(effectVertex.compiled && effectPixel.compiled) << effectVertex.log << effectPixel.log;
  EXPECT_EQ(effectVertex.bindings.at("cbPerObject"), 0);
  EXPECT_EQ(effectVertex.bindings.at("cbCamera"), 7);
  EXPECT_EQ(effectVertex.offsets.at("g_UVTiling"), int(offsetof(VelCbPerObject, g_UVTiling)));
  EXPECT_EQ(effectPixel.offsets.at("g_AlphaTestThreshold"),
            int(offsetof(VelCbPerObject, g_AlphaTestThreshold)));
  EXPECT_EQ(effectPixel.bindings.at("g_tex"), 0);

  const Reflection spriteVertex = Reflect(VelShaderPath::Sprite, true, dir.path);
  const Reflection spritePixel = Reflect(VelShaderPath::Sprite, false, dir.path);
  ASSERT_TRUE(spriteVertex.compiled && spritePixel.compiled) << spriteVertex.log << spritePixel.log;
  EXPECT_EQ(spriteVertex.bindings.at("cbSprite"), 0);
  EXPECT_EQ(spriteVertex.bindings.at("cbProjection"), 1);
  EXPECT_EQ(spritePixel.offsets.at("g_color"), int(offsetof(VelCbSprite, g_color)));
  EXPECT_EQ(spritePixel.bindings.at("g_inputTex"), 0);
}

}  // namespace

TEST_F(VelD3D11ShadersTest, TheStretchOfAScaledWorldCompilesWithItsOwnSlots) {
  const Reflection vertex = ReflectStage(VelD3D11StretchStage(true), "stretch", true, dir.path, false);
  const Reflection pixel = ReflectStage(VelD3D11StretchStage(false), "stretch", false, dir.path, false);
  ASSERT_TRUE(vertex.compiled) << vertex.log;
  ASSERT_TRUE(pixel.compiled) << pixel.log;
  EXPECT_EQ(vertex.bindings.at("cbStretch"), 0);
  EXPECT_EQ(vertex.offsets.at("g_SourceScale"), 0);
  EXPECT_EQ(pixel.bindings.at("g_world"), 0);
  EXPECT_EQ(pixel.bindings.at("g_linear"), 0);
}

TEST_F(VelD3D11ShadersTest, ThePlainSpriteTakesItsColourFromItsOwnSlotAndSamplesNothing) {
  const VelHlslStage stage = VelD3D11PlainSpriteStage();
  EXPECT_STREQ(stage.profile, "ps_4_0");
  const Reflection pixel = ReflectStage(stage, "plain-sprite", false, dir.path, false);
  ASSERT_TRUE(pixel.compiled) << pixel.log;
  EXPECT_EQ(pixel.bindings.at("cbPlainTexel"), int(kVelD3D11PlainTexelSlot));
  EXPECT_EQ(pixel.bindings.at("cbSprite"), 0);
  EXPECT_EQ(pixel.offsets.at("g_color"), int(offsetof(VelCbSprite, g_color)));
  EXPECT_EQ(pixel.bindings.count("g_inputTex"), 0u);
}
