#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "framework/VelGraphicsDevice.h"
#include "framework/headless/VelHeadlessBackend.h"

namespace {

class VelGraphicsDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(device.Init(nullptr, 1280, 720, false, error)) << error;
    ASSERT_TRUE(device.IsHeadless());
  }
  void TearDown() override { device.Release(); }

  const std::vector<uint8_t>& Contents(const VelBuffer& buffer) {
    return static_cast<const VelHeadlessBuffer&>(*buffer.GetBuffer()).data;
  }

  VelGraphicsDevice& device = VelGraphicsDevice::GetInstance();
};

TEST_F(VelGraphicsDeviceTest, InitMakesBuffersTexturesAndStartupStates) {
  for (int i = 0; i < kVelTempVertexBufferCount; ++i) {
    const VelBuffer& temp = device.GetTempVertexBuffer(i);
    EXPECT_EQ(temp.GetCapacity(), 80u << i);
    EXPECT_EQ(temp.GetUsage(), VelUsage::Dynamic);
  }
  EXPECT_EQ(device.GetTempVertexBuffer(9).GetCapacity(), 40960u);
  EXPECT_FALSE(device.GetGrowVertexBuffer().IsValid());

  const VelTexture& white = *device.GetWhiteTexture();
  ASSERT_TRUE(white.IsValid());
  EXPECT_EQ(white.GetWidth(), 1u);
  EXPECT_EQ(white.GetHeight(), 1u);
  uint32_t texel = 0;
  std::memcpy(&texel, static_cast<const VelHeadlessTexture&>(*white.shaderResourceView).pixels.data(), 4);
  EXPECT_EQ(texel, 0xFFFFFFFFu);

  const VelTexture& back = *device.GetBackBuffer();
  EXPECT_EQ(back.GetWidth(), 1280u);
  EXPECT_TRUE(back.renderTargetView && back.shaderResourceView && !back.depthStencilView);
  const VelTexture& depth = *device.GetDepthBuffer();
  EXPECT_TRUE(depth.depthStencilView && depth.shaderResourceView && !depth.renderTargetView);
  EXPECT_EQ(VelDepthViewFormat(depth.desc.format), VelFormat::D32Float);
  EXPECT_EQ(VelShaderViewFormat(depth.desc.format), VelFormat::R32Float);

  const VelPipelineState& state = device.GetState();
  ASSERT_TRUE(state.blend && state.depthStencil && state.rasterizer && state.samplers[0] &&
              state.samplers[1]);
  EXPECT_EQ(state.blend->mode, 1);
  EXPECT_EQ(state.sampleMask, 0xFFFFFFFFu);
  EXPECT_TRUE(state.depthStencil->depthTest && state.depthStencil->depthWrite);
  EXPECT_EQ(state.rasterizer->cull, VelCullMode::None);
  EXPECT_EQ(state.samplers[0]->filter, 2);
  EXPECT_EQ(state.samplers[0]->maxAnisotropy, 4);
  EXPECT_EQ(state.samplers[0]->address, 0);
  EXPECT_EQ(state.samplers[1]->address, 1);
}

TEST_F(VelGraphicsDeviceTest, DrawVerticesPicksTheFirstBufferLargerThanTheData) {
  // 80 bytes do not fit the 80-byte buffer: its capacity must exceed the size.
  uint8_t vertices[80];
  for (int i = 0; i < 80; ++i) vertices[i] = uint8_t(i + 1);
  device.DrawVertices(VelTopology::TriangleStrip, 4, vertices, 20);
  ASSERT_EQ(device.GetDrawRecords().size(), 1u);
  const VelDrawRecord& draw = device.GetDrawRecords()[0];
  EXPECT_EQ(draw.vertexBuffer, device.GetTempVertexBuffer(1).GetBuffer().get());
  EXPECT_EQ(draw.count, 4u);
  EXPECT_EQ(draw.vertexStride, 20u);
  EXPECT_EQ(draw.topology, VelTopology::TriangleStrip);
  EXPECT_EQ(std::memcmp(Contents(device.GetTempVertexBuffer(1)).data(), vertices, 80), 0);

  // 79 bytes fit the first one.
  device.DrawVertices(VelTopology::TriangleList, 1, vertices, 79);
  EXPECT_EQ(device.GetDrawRecords()[1].vertexBuffer, device.GetTempVertexBuffer(0).GetBuffer().get());
  EXPECT_EQ(device.GetHeadlessStats().buffersCreated, 10u) << "no buffer is made for small draws";
}

TEST_F(VelGraphicsDeviceTest, WithoutRasterisingOnlyDrawsClearsAndPresentsAreDropped) {
  uint8_t vertices[60] = {7};
  device.SetRasterising(false);
  device.ClearBackBuffer({0, 0, 0, 1});
  device.ClearDepth();
  device.DrawVertices(VelTopology::TriangleList, 3, vertices, 20);
  device.Present();
  EXPECT_TRUE(device.GetDrawRecords().empty());
  EXPECT_EQ(device.GetHeadlessStats().colorClears, 0u);
  EXPECT_EQ(device.GetHeadlessStats().depthClears, 0u);
  EXPECT_EQ(device.GetHeadlessStats().presents, 0u);
  // The upload still happens, so the next rasterised frame finds the same buffers.
  EXPECT_EQ(Contents(device.GetTempVertexBuffer(0))[0], 7);

  device.SetRasterising(true);
  device.DrawVertices(VelTopology::TriangleList, 3, vertices, 20);
  EXPECT_EQ(device.GetDrawRecords().size(), 1u);

  // A new device starts rasterising.
  device.SetRasterising(false);
  std::string error;
  ASSERT_TRUE(device.Init(nullptr, 1280, 720, false, error)) << error;
  EXPECT_TRUE(device.IsRasterising());
}

TEST_F(VelGraphicsDeviceTest, LargeDrawsGrowOneBufferAndReuseIt) {
  std::vector<uint8_t> big(50000, 7);
  uint32_t createdBefore = device.GetHeadlessStats().buffersCreated;
  device.DrawVertices(VelTopology::TriangleList, 40960 / 20, big.data(), 20);
  const VelBuffer& grow = device.GetGrowVertexBuffer();
  ASSERT_TRUE(grow.IsValid());
  EXPECT_EQ(grow.GetCapacity(), 40960u);
  EXPECT_EQ(grow.GetUsage(), VelUsage::Dynamic);
  device.DrawVertices(VelTopology::TriangleList, 50000 / 20, big.data(), 20);
  EXPECT_EQ(grow.GetCapacity(), 50000u);
  const VelBufferResource* grown = grow.GetBuffer().get();
  EXPECT_EQ(device.GetHeadlessStats().buffersCreated, createdBefore + 2);
  // Smaller than the grow buffer but beyond every temporary one: reused.
  device.DrawVertices(VelTopology::TriangleList, 45000 / 20, big.data(), 20);
  EXPECT_EQ(grow.GetBuffer().get(), grown);
  EXPECT_EQ(grow.GetCapacity(), 50000u);
  EXPECT_EQ(device.GetHeadlessStats().buffersCreated, createdBefore + 2);
  ASSERT_EQ(device.GetDrawRecords().size(), 3u);
  EXPECT_EQ(device.GetDrawRecords()[2].vertexBuffer, grown);
  EXPECT_EQ(device.GetDrawRecords()[2].count, 2250u);
}

TEST_F(VelGraphicsDeviceTest, BufferCreationRules) {
  uint32_t createdBefore = device.GetHeadlessStats().buffersCreated;
  VelBuffer constants;
  EXPECT_FALSE(constants.Create(VelBind::ConstantBuffer, 100, VelUsage::Dynamic, nullptr));
  EXPECT_EQ(device.GetHeadlessStats().buffersCreated, createdBefore) << "refused before the backend is asked";
  EXPECT_FALSE(constants.IsValid());
  EXPECT_TRUE(constants.Create(VelBind::ConstantBuffer, 96, VelUsage::Dynamic, nullptr));
  EXPECT_EQ(constants.GetCapacity(), 96u);
  // Create releases what was held: a failed re-create leaves nothing.
  EXPECT_FALSE(constants.Create(VelBind::ConstantBuffer, 20, VelUsage::Dynamic, nullptr));
  EXPECT_FALSE(constants.IsValid());
  EXPECT_EQ(constants.GetCapacity(), 0u);
  // Vertex buffers need no multiple of 16.
  EXPECT_TRUE(constants.Create(VelBind::VertexBuffer, 36, VelUsage::Default, nullptr));
  constants.Release();
  EXPECT_EQ(constants.GetCapacity(), 0u);
  EXPECT_EQ(constants.GetUsage(), 0u);
  constants.Release();
}

TEST_F(VelGraphicsDeviceTest, WriteDataFollowsTheUsageKind) {
  const uint8_t initial[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
  const uint8_t next[16] = {9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9};

  VelBuffer immutable;
  ASSERT_TRUE(immutable.Create(VelBind::VertexBuffer, 16, VelUsage::Immutable, initial));
  EXPECT_FALSE(immutable.WriteData(next, 16));
  EXPECT_EQ(Contents(immutable)[0], 1);
  EXPECT_FALSE(immutable.Create(VelBind::VertexBuffer, 16, VelUsage::Immutable, nullptr));

  VelBuffer dynamic;
  ASSERT_TRUE(dynamic.Create(VelBind::VertexBuffer, 16, VelUsage::Dynamic, initial));
  EXPECT_TRUE(dynamic.WriteData(next, 8));
  EXPECT_EQ(Contents(dynamic)[0], 9);
  // Too large for the buffer, or no data: the whole buffer becomes zeros.
  EXPECT_TRUE(dynamic.WriteData(next, 17));
  EXPECT_EQ(Contents(dynamic), std::vector<uint8_t>(16, 0));
  ASSERT_TRUE(dynamic.WriteData(next, 16));
  EXPECT_TRUE(dynamic.WriteData(nullptr, 16));
  EXPECT_EQ(Contents(dynamic), std::vector<uint8_t>(16, 0));

  VelBuffer whole;
  ASSERT_TRUE(whole.Create(VelBind::VertexBuffer, 16, VelUsage::Default, initial));
  EXPECT_TRUE(whole.WriteData(next, 16));
  EXPECT_EQ(Contents(whole)[15], 9);
  EXPECT_FALSE(whole.WriteData(initial, 8)) << "a whole update needs the whole data";
  EXPECT_EQ(Contents(whole)[0], 9);

  VelBuffer staging;
  ASSERT_TRUE(staging.Create(0, 16, VelUsage::Staging, nullptr));
  EXPECT_TRUE(staging.WriteData(initial, 4));
  EXPECT_EQ(Contents(staging)[3], 4);
  EXPECT_FALSE(staging.WriteData(nullptr, 4));

  VelBuffer empty;
  EXPECT_FALSE(empty.WriteData(initial, 16));
}

TEST_F(VelGraphicsDeviceTest, StateObjects) {
  for (int mode : {0, 1, 2}) {
    auto blend = device.CreateBlendState(mode);
    ASSERT_TRUE(blend);
    EXPECT_EQ(blend->mode, mode);
  }
  EXPECT_EQ(device.CreateBlendState(3), nullptr);
  EXPECT_EQ(device.CreateBlendState(-1), nullptr);
  auto depth = device.CreateDepthStencilState(true, false);
  ASSERT_TRUE(depth);
  EXPECT_TRUE(depth->depthTest);
  EXPECT_FALSE(depth->depthWrite);
  auto cull = device.CreateRasterizerState(VelCullMode::Back, VelFillMode::Wireframe, false, true);
  ASSERT_TRUE(cull);
  EXPECT_EQ(cull->cull, VelCullMode::Back);
  EXPECT_FALSE(cull->depthClip);
  EXPECT_TRUE(device.CreateSamplerState(0, 1, 1, true));
  EXPECT_EQ(device.CreateSamplerState(3, 1, 0, false), nullptr);
  EXPECT_EQ(device.CreateSamplerState(0, 1, 2, false), nullptr);
}

TEST_F(VelGraphicsDeviceTest, DrawRecordsCarryStatesAndTextures) {
  auto additive = device.CreateBlendState(2);
  device.SetBlendState(additive);
  device.SetDepthStencilState(device.CreateDepthStencilState(true, false));
  VelTexture texture;
  const uint8_t pixels[16] = {};
  ASSERT_TRUE(texture.CreateFromPixels(2, 2, VelFormat::RGBA8Unorm, 1, pixels));
  device.SetTexture(0, &texture);
  device.SetTexture(1, device.GetWhiteTexture().get());
  VelBuffer constants;
  float4x4 world = MatrixTranslation(1, 2, 3);
  ASSERT_TRUE(constants.Create(VelBind::ConstantBuffer, 64, VelUsage::Dynamic, &world));
  device.SetConstantBuffer(0, &constants);
  device.SetShader(device.CreateShader(VelShaderPath::Effect));
  device.Draw(4);
  // No state bound: the context defaults apply.
  device.SetBlendState(nullptr);
  device.SetDepthStencilState(nullptr);
  device.Draw(3, 1);

  const auto& records = device.GetDrawRecords();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].shader, VelShaderPath::Effect);
  EXPECT_EQ(records[0].blendMode, 2);
  EXPECT_TRUE(records[0].depthTest);
  EXPECT_FALSE(records[0].depthWrite);
  EXPECT_EQ(records[0].textures[0], texture.shaderResourceView.get());
  EXPECT_EQ(records[0].textureNames[1], "(white)");
  EXPECT_TRUE(records[0].world == world);
  EXPECT_EQ(records[1].blendMode, -1);
  EXPECT_TRUE(records[1].depthWrite);
  EXPECT_EQ(records[1].start, 1u);
  device.ClearDrawRecords();
  EXPECT_TRUE(device.GetDrawRecords().empty());

  device.ClearBackBuffer({0, 0, 0, 1});
  device.ClearDepth();
  device.Present();
  EXPECT_EQ(device.GetHeadlessStats().colorClears, 1u);
  EXPECT_EQ(device.GetHeadlessStats().depthClears, 1u);
  EXPECT_EQ(device.GetHeadlessStats().presents, 1u);
}

TEST_F(VelGraphicsDeviceTest, TexturesLoadTopRowFirst) {
  std::string path = (std::filesystem::temp_directory_path() / "halvane_texture_test.png").string();
  const uint8_t texels[] = {255, 0, 0, 255, 0, 0, 255, 255, 0, 255, 0, 255};  // 1 x 3: red, blue, green
  ASSERT_TRUE(stbi_write_png(path.c_str(), 1, 3, 4, texels, 4));
  VelTexture texture;
  ASSERT_TRUE(texture.Load(path));
  EXPECT_EQ(texture.GetWidth(), 1u);
  EXPECT_EQ(texture.GetHeight(), 3u);
  EXPECT_EQ(texture.GetFileName(), path);
  const auto& pixels = static_cast<const VelHeadlessTexture&>(*texture.shaderResourceView).pixels;
  EXPECT_EQ(std::vector<uint8_t>(pixels.begin(), pixels.end()), std::vector<uint8_t>(texels, texels + 12));

  EXPECT_FALSE(texture.Load(""));
  EXPECT_FALSE(texture.IsValid());
  EXPECT_FALSE(texture.Load(path + ".missing"));
  EXPECT_FALSE(texture.IsValid());
  EXPECT_TRUE(texture.GetFileName().empty());
  std::filesystem::remove(path);
}

// A texture is plain when all its texels are one colour whose channels are
// each 0 or 1: only then does every filter sample exactly that colour.
TEST_F(VelGraphicsDeviceTest, TexturesOfOnePlainColourAreKnownAsSuch) {
  auto plainColourOf = [](std::vector<uint32_t> texels, uint32_t width, VelFormat format = VelFormat::RGBA8Unorm,
                          uint32_t bindFlags = VelBind::ShaderResource) {
    VelTextureDesc desc;
    desc.width = width;
    desc.height = uint32_t(texels.size()) / width;
    desc.format = format;
    desc.bindFlags = bindFlags;
    auto texture = VelGraphicsDevice::GetInstance().CreateTextureResource(desc, texels.data());
    EXPECT_TRUE(texture);
    return texture ? texture->plainColour : std::nullopt;
  };
  auto is = [](const std::optional<float4>& colour, float4 expected) { return colour == expected; };
  // Texels are bytes R, G, B, A in memory: 0xAABBGGRR read as a little-endian word.
  const std::vector<uint32_t> fadeBlack(1280 * 720, 0xFF000000u);
  EXPECT_TRUE(is(plainColourOf(fadeBlack, 1280), {0, 0, 0, 1}));
  EXPECT_TRUE(is(plainColourOf({0x0000FFFFu, 0x0000FFFFu}, 2), {1, 1, 0, 0}));
  EXPECT_TRUE(is(plainColourOf({0xFFFF0000u}, 1, VelFormat::BGRA8Unorm), {1, 0, 0, 1}))
      << "a BGRA texture's third byte is red";
  EXPECT_TRUE(device.GetWhiteTexture()->shaderResourceView->PlainWhite());

  EXPECT_FALSE(plainColourOf({0xFF808080u, 0xFF808080u}, 2)) << "grey filters to a driver's own rounding";
  std::vector<uint32_t> oneOff = fadeBlack;
  oneOff.back() = 0xFF000001u;
  EXPECT_FALSE(plainColourOf(oneOff, 1280)) << "the last texel differs";
  EXPECT_FALSE(plainColourOf({0xFF000000u}, 1, VelFormat::RGBA8Unorm,
                             VelBind::ShaderResource | VelBind::RenderTarget))
      << "a target's texels change when drawn into";
  EXPECT_FALSE(plainColourOf({0x0000FFFFu, 0xFF00FFFFu}, 1)) << "alpha varies";
}

TEST_F(VelGraphicsDeviceTest, OnlyASpriteOverAPlainTextureIsDrawnWithoutItsLookup) {
  VelPipelineState state;
  EXPECT_EQ(state.PlainSpriteColour(), nullptr) << "nothing bound";
  state.shader = std::make_shared<VelShader>();
  state.shader->path = VelShaderPath::Sprite;
  state.textures[0] = device.GetWhiteTexture()->shaderResourceView;
  ASSERT_NE(state.PlainSpriteColour(), nullptr);
  EXPECT_EQ(*state.PlainSpriteColour(), (float4{1, 1, 1, 1}));

  state.shader->path = VelShaderPath::Model;
  EXPECT_EQ(state.PlainSpriteColour(), nullptr) << "a model's map is lit and glows: it keeps its own builds";
  state.shader->path = VelShaderPath::Sprite;
  const std::vector<uint32_t> stripes = {0xFF000000u, 0xFFFFFFFFu};
  VelTextureDesc desc;
  desc.width = 2;
  desc.height = 1;
  desc.bindFlags = VelBind::ShaderResource;
  state.textures[0] = device.CreateTextureResource(desc, stripes.data());
  ASSERT_TRUE(state.textures[0]);
  state.textures[1] = device.GetWhiteTexture()->shaderResourceView;
  EXPECT_EQ(state.PlainSpriteColour(), nullptr) << "only the sprite's own texture, slot 0, counts";
}

TEST(VelGraphicsDeviceLifecycleTest, ReleaseIsHarmlessTwiceAndWithoutInit) {
  VelGraphicsDevice& device = VelGraphicsDevice::GetInstance();
  device.Release();
  device.Release();
  EXPECT_FALSE(device.IsReady());
  EXPECT_EQ(device.CreateBlendState(1), nullptr);
  VelBuffer buffer;
  EXPECT_FALSE(buffer.Create(VelBind::VertexBuffer, 16, VelUsage::Dynamic, nullptr));
  device.DrawVertices(VelTopology::TriangleList, 3, nullptr, 12);
  std::string error;
  ASSERT_TRUE(device.Init(nullptr, 64, 32, false, error));
  EXPECT_TRUE(device.IsReady());
  device.Release();
  device.Release();
  EXPECT_FALSE(device.GetWhiteTexture());
}

TEST(VelGraphicsDeviceLifecycleTest, ReinitialisingOrphansTheOldResources) {
  VelGraphicsDevice& device = VelGraphicsDevice::GetInstance();
  std::string error;
  ASSERT_TRUE(device.Init(nullptr, 64, 32, false, error));
  VelBuffer stale;
  ASSERT_TRUE(stale.Create(VelBind::VertexBuffer, 16, VelUsage::Dynamic, nullptr));
  // Re-initialising drops the old backend; its buffers no longer write.
  ASSERT_TRUE(device.Init(nullptr, 64, 32, false, error));
  const uint8_t data[16] = {};
  EXPECT_FALSE(stale.WriteData(data, 16));
  device.Release();
  device.Release();
}

}  // namespace
