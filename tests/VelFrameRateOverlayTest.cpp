#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "framework/VelFrameRateOverlay.h"
#include "framework/VelGraphicsDevice.h"
#include "framework/VelOverlayGlyphs.h"
#include "framework/VelShaderManager.h"
#include "framework/VelTexture.h"
#include "platform/headless/HeadlessPlatform.h"

namespace {

class VelFrameRateOverlayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallPlatform(std::make_unique<HeadlessPlatform>());
    std::string error;
    ASSERT_TRUE(device.Init(nullptr, 1280, 720, false, error)) << error;
    shaders.Init();
    overlay.SetShowFrameRate(false);
    overlay.SetPaused(false);
    overlay.SetFrameRate(0);
  }
  void TearDown() override {
    overlay.SetShowFrameRate(false);
    overlay.SetPaused(false);
    overlay.Release();
    device.GetRenderScale().SetFixed(1.0f);
    shaders.Release();
    device.Release();
    UninstallPlatform();
  }
  // The overlay's draws of one Draw call.
  std::vector<VelDrawRecord> DrawOnce() {
    device.ClearDrawRecords();
    overlay.Draw();
    return device.GetDrawRecords();
  }

  VelGraphicsDevice& device = VelGraphicsDevice::GetInstance();
  VelShaderManager& shaders = VelShaderManager::GetInstance();
  VelFrameRateOverlay& overlay = VelFrameRateOverlay::GetInstance();
};

TEST_F(VelFrameRateOverlayTest, OffByDefaultItDrawsNothing) {
  EXPECT_FALSE(overlay.IsShowingFrameRate());
  EXPECT_FALSE(overlay.IsPaused());
  EXPECT_TRUE(DrawOnce().empty());
}

TEST_F(VelFrameRateOverlayTest, TheCornerShowsTheMeasuredRateAndTheRenderScale) {
  overlay.SetFrameRate(58);
  device.GetRenderScale().SetFixed(0.75f);
  EXPECT_EQ(overlay.CornerText(), "58 FPS x0.75");
  device.GetRenderScale().SetFixed(1.0f);
  overlay.SetFrameRate(62);
  EXPECT_EQ(overlay.CornerText(), "62 FPS x1.00");

  overlay.SetShowFrameRate(true);
  const std::vector<VelDrawRecord> draws = DrawOnce();
  // Every character but the two spaces is a glyph.
  ASSERT_EQ(draws.size(), std::string("62 FPS x1.00").size() - 2);
  for (const VelDrawRecord& draw : draws) {
    EXPECT_EQ(draw.shader, VelShaderPath::Sprite);
    EXPECT_EQ(draw.textureNames[0], kVelOverlayTexture);
    EXPECT_EQ(draw.blendMode, 1);
    EXPECT_FALSE(draw.depthTest);
    EXPECT_EQ(draw.samplerFilter, 0) << "glyphs are drawn pixel for pixel";
    EXPECT_EQ(draw.world, MatrixIdentity());
  }
}

TEST_F(VelFrameRateOverlayTest, CornerGlyphsSitInTheTopLeftInTheirCells) {
  const auto quads = VelFrameRateOverlay::LayoutCorner("60 FPS");
  ASSERT_EQ(quads.size(), 5u);
  EXPECT_EQ(quads[0].x, -632);
  EXPECT_EQ(quads[0].y + kVelOverlaySmallCellH, 352);
  // "6" is the strip's seventh glyph, "F" its thirteenth; a space is a gap.
  EXPECT_EQ(quads[0].source.x, 6 * kVelOverlaySmallCellW);
  EXPECT_EQ(quads[0].source.y, 0);
  EXPECT_EQ(quads[0].source.width, kVelOverlaySmallCellW);
  EXPECT_EQ(quads[0].source.height, kVelOverlaySmallCellH);
  EXPECT_EQ(quads[2].source.x, 12 * kVelOverlaySmallCellW);
  EXPECT_EQ(quads[2].x - quads[1].x, 2 * (quads[1].x - quads[0].x));
  for (const auto& quad : quads) EXPECT_EQ(quad.y, quads[0].y);
}

TEST_F(VelFrameRateOverlayTest, PausedIsCentredInLargeGlyphs) {
  const auto quads = VelFrameRateOverlay::LayoutCentre("PAUSED");
  ASSERT_EQ(quads.size(), 6u);
  const int left = quads.front().x, right = quads.back().x + kVelOverlayLargeCellW;
  EXPECT_LE(std::abs(left + right), 1) << left << ".." << right;
  EXPECT_EQ(quads[0].y, -kVelOverlayLargeCellH / 2);
  for (const auto& quad : quads) {
    EXPECT_EQ(quad.source.y, kVelOverlaySmallCellH);
    EXPECT_EQ(quad.source.height, kVelOverlayLargeCellH);
  }
  EXPECT_EQ(quads[1].source.x, 15 * kVelOverlayLargeCellW) << "A";

  overlay.SetPaused(true);
  EXPECT_EQ(DrawOnce().size(), 6u);
  overlay.SetShowFrameRate(true);
  overlay.SetFrameRate(7);
  EXPECT_EQ(DrawOnce().size(), 6u + std::string("7FPSx1.00").size());
  overlay.SetPaused(false);
  EXPECT_EQ(DrawOnce().size(), std::string("7FPSx1.00").size());
}

TEST_F(VelFrameRateOverlayTest, TheSceneStatesAreAsTheyWereAfterwards) {
  const auto additive = device.CreateBlendState(2);
  device.SetBlendState(additive);
  const float4x4 moved = MatrixTranslation(5, 6, 0);
  shaders.spriteShader.cbSprite.Data().g_mTransform = moved;
  shaders.spriteShader.cbSprite.Data().g_color = {1, 0, 0, 0.5f};
  overlay.SetPaused(true);
  overlay.SetShowFrameRate(true);
  ASSERT_FALSE(DrawOnce().empty());
  EXPECT_EQ(device.GetState().blend, additive);
  EXPECT_EQ(shaders.spriteShader.cbSprite.View().g_mTransform, moved);
  EXPECT_EQ(shaders.spriteShader.cbSprite.View().g_color.x, 1.0f);
  EXPECT_EQ(shaders.spriteShader.cbSprite.View().g_color.w, 0.5f);
}

TEST_F(VelFrameRateOverlayTest, WithoutItsGlyphStripItDrawsNothing) {
  overlay.SetPaused(true);
  const auto cwd = std::filesystem::current_path();
  std::filesystem::current_path(std::filesystem::temp_directory_path());
  overlay.Release();
  const size_t draws = DrawOnce().size();
  std::filesystem::current_path(cwd);
  EXPECT_EQ(draws, 0u);
  overlay.Release();
  EXPECT_EQ(DrawOnce().size(), 6u) << "found again once it is there";
}

}  // namespace
