#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "framework/VelGraphicsDevice.h"
#include "framework/VelShaderManager.h"
#include "framework/VelSprite.h"
#include "framework/VelTexture.h"
#include "framework/headless/VelHeadlessBackend.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessPlatform.h"

namespace {

TEST(VelSpriteQuadTest, PivotPlacesTheRectangle) {
  VelSpriteVertex quad[4];
  VelBuildSpriteQuad(64, 64, 0, 0, 100, 50, nullptr, {0.5f, 0.5f}, quad);
  // Strip order: bottom-left, top-left, bottom-right, top-right.
  EXPECT_FLOAT_EQ(quad[0].pos.x, -50);
  EXPECT_FLOAT_EQ(quad[0].pos.y, -25);
  EXPECT_FLOAT_EQ(quad[1].pos.y, 25);
  EXPECT_FLOAT_EQ(quad[3].pos.x, 50);
  EXPECT_FLOAT_EQ(quad[3].pos.y, 25);
  EXPECT_FLOAT_EQ(quad[0].uv.y, 1);  // the bottom edge samples the image's bottom row
  EXPECT_FLOAT_EQ(quad[1].uv.y, 0);

  VelBuildSpriteQuad(64, 64, 10, 20, 30, 40, nullptr, {0, 0}, quad);
  EXPECT_FLOAT_EQ(quad[0].pos.x, 10);
  EXPECT_FLOAT_EQ(quad[0].pos.y, 20);
  VelBuildSpriteQuad(64, 64, 10, 20, 30, 40, nullptr, {1, 1}, quad);
  EXPECT_FLOAT_EQ(quad[3].pos.x, 10);
  EXPECT_FLOAT_EQ(quad[3].pos.y, 20);
  EXPECT_FLOAT_EQ(quad[0].pos.x, -20);
  EXPECT_FLOAT_EQ(quad[0].pos.y, -20);
}

TEST(VelSpriteQuadTest, SourceRectangleSelectsTheTextureWindow) {
  VelSpriteVertex quad[4];
  VelSpriteRect digit{21, 0, 20, 25};
  VelBuildSpriteQuad(200, 25, 0, 0, 20, 25, &digit, {1, 1}, quad);
  EXPECT_FLOAT_EQ(quad[0].uv.x, 0.105f);
  EXPECT_FLOAT_EQ(quad[3].uv.x, 0.205f);
  EXPECT_FLOAT_EQ(quad[3].uv.y, 0);
  EXPECT_FLOAT_EQ(quad[0].uv.y, 1);
  // A texture without size (one that failed to load) keeps the full window.
  VelBuildSpriteQuad(0, 0, 0, 0, 20, 25, &digit, {0, 0}, quad);
  EXPECT_FLOAT_EQ(quad[3].uv.x, 1);
}

class VelSpriteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto made = std::make_unique<HeadlessPlatform>();
    platform = made.get();
    InstallPlatform(std::move(made));
    std::string error;
    ASSERT_TRUE(device.Init(nullptr, 1280, 720, false, error));
    shaders.Init();
    const uint8_t pixels[4 * 8] = {};
    ASSERT_TRUE(texture.CreateFromPixels(4, 2, VelFormat::RGBA8Unorm, 1, pixels));
  }
  void TearDown() override {
    texture.Release();
    shaders.Release();
    device.Release();
    UninstallPlatform();
  }

  HeadlessPlatform* platform = nullptr;
  VelGraphicsDevice& device = VelGraphicsDevice::GetInstance();
  VelShaderManager& shaders = VelShaderManager::GetInstance();
  VelTexture texture;
};

TEST_F(VelSpriteTest, DrawOutsideAPassOpensItsOwnAndRestoresTheStates) {
  auto blendBefore = device.GetState().blend;
  auto depthBefore = device.GetState().depthStencil;
  auto samplerBefore = device.GetState().samplers[0];

  DrawSprite(&texture, 0, 0, 100, 50, nullptr, nullptr, {0.5f, 0.5f});
  ASSERT_EQ(device.GetDrawRecords().size(), 1u);
  const VelDrawRecord& draw = device.GetDrawRecords()[0];
  EXPECT_EQ(draw.shader, VelShaderPath::Sprite);
  EXPECT_FALSE(draw.depthTest);
  EXPECT_EQ(draw.samplerFilter, 0) << "point filtering";
  EXPECT_EQ(draw.blendMode, 1) << "the scene's blend state stays";
  EXPECT_EQ(draw.topology, VelTopology::TriangleStrip);
  EXPECT_EQ(draw.count, 4u);
  EXPECT_EQ(draw.textures[0], texture.shaderResourceView.get());
  // The 80-byte quad went to the 160-byte buffer.
  const VelBuffer& temp = device.GetTempVertexBuffer(1);
  EXPECT_EQ(draw.vertexBuffer, temp.GetBuffer().get());
  VelSpriteVertex sent[4];
  std::memcpy(sent, static_cast<const VelHeadlessBuffer&>(*temp.GetBuffer()).data.data(), sizeof(sent));
  EXPECT_FLOAT_EQ(sent[0].pos.x, -50);
  EXPECT_FLOAT_EQ(sent[3].pos.y, 25);

  EXPECT_FALSE(shaders.spriteShader.inPass);
  EXPECT_EQ(device.GetState().blend, blendBefore);
  EXPECT_EQ(device.GetState().depthStencil, depthBefore);
  EXPECT_EQ(device.GetState().samplers[0], samplerBefore);
  EXPECT_FALSE(shaders.spriteShader.savedBlend) << "saved references are dropped";
}

TEST_F(VelSpriteTest, PassSetsProjectionFilterAndColour) {
  BeginSprite(true, false);
  const float4x4& projection = shaders.spriteShader.cbProjection.View().g_mProj;
  EXPECT_FLOAT_EQ(projection.m[0][0], 2.0f / 1280.0f);
  EXPECT_FLOAT_EQ(projection.m[1][1], 2.0f / 720.0f);
  EXPECT_FLOAT_EQ(projection.m[3][0], 0);
  // A second begin neither reopens nor overwrites the saved states.
  auto saved = shaders.spriteShader.savedSampler;
  BeginSprite(false, true);
  EXPECT_EQ(shaders.spriteShader.savedSampler, saved);

  shaders.spriteShader.cbSprite.Data().g_mTransform = MatrixTranslation(5, 6, 0);
  const float4 half{1, 1, 1, 0.5f};
  DrawSprite(&texture, 0, 0, 10, 10, nullptr, &half, {0, 0});
  DrawSprite(&texture, 0, 0, 10, 10);
  DrawSprite(nullptr, 0, 0, 10, 10);
  EndSprite();
  EndSprite();

  const auto& records = device.GetDrawRecords();
  ASSERT_EQ(records.size(), 2u) << "a sprite without a texture draws nothing";
  EXPECT_TRUE(records[0].depthTest) << "depth left on when not asked off";
  EXPECT_EQ(records[0].samplerFilter, 1);
  EXPECT_FLOAT_EQ(records[0].color.w, 0.5f);
  EXPECT_TRUE(records[0].world == MatrixTranslation(5, 6, 0));
  EXPECT_FLOAT_EQ(records[1].color.w, 0.5f) << "without a colour g_color keeps its value";
  EXPECT_FALSE(shaders.spriteShader.inPass);
  EXPECT_EQ(device.GetState().samplers[0]->filter, 2) << "the device's anisotropic sampler is back";
}

TEST_F(VelSpriteTest, CursorMapsToCentredPixels) {
  platform->SetCursorClient({640, 360});
  float3 centre = GetCursorPosCentered();
  EXPECT_FLOAT_EQ(centre.x, 0);
  EXPECT_FLOAT_EQ(centre.y, 0);
  EXPECT_FLOAT_EQ(centre.z, 0);
  platform->SetCursorClient({0, 0});
  float3 corner = GetCursorPosCentered();
  EXPECT_FLOAT_EQ(corner.x, -640);
  EXPECT_FLOAT_EQ(corner.y, 360);
  platform->SetCursorClient({1280, 720});
  EXPECT_FLOAT_EQ(GetCursorPosCentered().x, 640);
  EXPECT_FLOAT_EQ(GetCursorPosCentered().y, -360);
}

}  // namespace
