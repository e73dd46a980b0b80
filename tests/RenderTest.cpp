// Frames drawn by the OpenGL backend (under SDL's offscreen driver when there
// is no display), captured to PNG and checked where each shape must show and
// where the clear colour must remain.

#include <gtest/gtest.h>
#include <stb_image.h>
#include <stb_image_write.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "SkipUnlessCi.h"
#include "framework/VelEffectShader.h"
#include "framework/VelFrameRateOverlay.h"
#include "framework/VelGraphicsDevice.h"
#include "framework/VelModel.h"
#include "framework/VelShaderManager.h"
#include "framework/VelSoundEngine.h"
#include "framework/VelSprite.h"
#include "framework/VelTexture.h"
#include "framework/gl/VelGlBackend.h"
#include "framework/gl/VelGlStats.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessPlatform.h"
#include "scene/GameScene.h"
#include "scene/Hud.h"

namespace {

struct Pixel {
  int r, g, b, a;
};

class Image {
 public:
  bool Load(const std::string& path) {
    stbi_uc* data = stbi_load(path.c_str(), &width, &height, &channels, 4);
    if (!data) return false;
    pixels.assign(data, data + size_t(width) * height * 4);
    stbi_image_free(data);
    return true;
  }
  Pixel At(int x, int y) const {
    const uint8_t* p = &pixels[(size_t(y) * width + x) * 4];
    return {p[0], p[1], p[2], p[3]};
  }
  int width = 0, height = 0, channels = 0;
  std::vector<uint8_t> pixels;
};

std::string CapturePath(const std::string& name) {
  std::string folder = std::string(HALVANE_BUILD_DIR) + "/render";
  std::filesystem::create_directories(folder);
  return folder + "/" + name + ".png";
}

// Where a world point lands on the 1280 x 720 frame, in pixels from the top left.
void ToPixel(const float3& world, const VelCbCamera& camera, int& x, int& y) {
  float3 ndc = TransformCoord(world, camera.g_mV * camera.g_mP);
  x = int((ndc.x * 0.5f + 0.5f) * 1280.0f);
  y = int((0.5f - ndc.y * 0.5f) * 720.0f);
}

// A unit cube: faces top, front first so that a depth test that fails lets the
// later, unlit faces cover them.
VelModel MakeCube(const float4& baseColor, float roughness) {
  std::vector<VelModelVertex> vertices;
  std::vector<VelFace> triangles;
  struct Face {
    float3 normal, u, v;
  };
  const Face faces[] = {
      {{0, 1, 0}, {1, 0, 0}, {0, 0, 1}},   {{0, 0, -1}, {1, 0, 0}, {0, 1, 0}},
      {{0, -1, 0}, {1, 0, 0}, {0, 0, -1}}, {{0, 0, 1}, {-1, 0, 0}, {0, 1, 0}},
      {{-1, 0, 0}, {0, 0, -1}, {0, 1, 0}}, {{1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
  };
  for (const Face& f : faces) {
    uint32_t base = uint32_t(vertices.size());
    for (int corner = 0; corner < 4; ++corner) {
      float su = (corner & 1) ? 0.5f : -0.5f, sv = (corner & 2) ? 0.5f : -0.5f;
      VelModelVertex v;
      v.position = f.normal * 0.5f + f.u * su + f.v * sv;
      v.uv = {su + 0.5f, 0.5f - sv};
      v.normal = f.normal;
      vertices.push_back(v);
    }
    triangles.push_back({{base, base + 2, base + 1}});
    triangles.push_back({{base + 1, base + 2, base + 3}});
  }
  VelModel model;
  model.Materials.resize(1);
  model.Materials[0].BaseColor = baseColor;
  model.Materials[0].Roughness = roughness;
  VelModelNode node;
  node.Mesh = std::make_shared<VelMesh>();
  node.Mesh->Create(vertices, triangles, {{0, 0, uint32_t(triangles.size())}});
  model.Nodes.push_back(node);
  return model;
}

// A w x h texture of the given texels (RGBA, top row first), through a PNG as
// the game's textures come.
std::shared_ptr<VelTexture> MakeTexture(const std::string& name, int w, int h,
                                        const std::vector<uint8_t>& rgba) {
  std::string path = CapturePath(name);
  if (!stbi_write_png(path.c_str(), w, h, 4, rgba.data(), w * 4)) return nullptr;
  auto texture = std::make_shared<VelTexture>();
  if (!texture->Load(path)) return nullptr;
  return texture;
}

// Columns of four white and four black texels, opaque, or with the black
// ones transparent; from a PNG, as the game's textures (one level), or with
// every mip level.
std::shared_ptr<VelTexture> MakeStripes(bool transparentGaps, bool mipmapped = false) {
  std::vector<uint8_t> texels;
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      const uint8_t v = x < 4 ? 255 : 0;
      texels.insert(texels.end(), {v, v, v, uint8_t(transparentGaps ? v : 255)});
    }
  }
  if (!mipmapped)
    return MakeTexture(transparentGaps ? "RenderTest_StripesCutOut" : "RenderTest_Stripes", 8, 8, texels);
  auto texture = std::make_shared<VelTexture>();
  if (!texture->CreateFromPixels(8, 8, VelFormat::RGBA8Unorm, 4, texels.data())) return nullptr;
  return texture;
}

// A floor at y = -1 from just in front of the default camera far into the
// distance, the stripes running away from the camera, two of them a unit.
VelModel MakeFloor(const std::shared_ptr<VelTexture>& texture) {
  std::vector<VelModelVertex> vertices;
  for (auto [x, z] : {std::pair{-40.0f, -4.0f}, {40.0f, -4.0f}, {-40.0f, 300.0f}, {40.0f, 300.0f}}) {
    VelModelVertex v;
    v.position = {x, -1, z};
    v.uv = {x * 2.0f, z * 0.5f};
    v.normal = {0, 1, 0};
    vertices.push_back(v);
  }
  VelModel model;
  model.Materials.resize(1);
  model.Materials[0].BaseColorTexture = texture;
  VelModelNode node;
  node.Mesh = std::make_shared<VelMesh>();
  node.Mesh->Create(vertices, {{{0, 2, 1}}, {{1, 2, 3}}}, {{0, 0, 2}});
  model.Nodes.push_back(node);
  return model;
}

class RenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto platform = std::make_unique<HeadlessPlatform>();
    platform->EnableRenderWindow(true);
    InstallPlatform(std::move(platform));
    if (!Sys().CreateGameWindow("Halvane render test", 1280, 720))
      HALVANE_SKIP_UNLESS_CI("an OpenGL context, but SDL could not open an OpenGL window");
    std::string error;
    if (!device.Init(Sys().NativeWindow(), 1280, 720, true, error))
      HALVANE_SKIP_UNLESS_CI("an OpenGL context, which cannot be made: " + error);
    ASSERT_FALSE(device.IsHeadless());
    shaders.Init();
    ASSERT_TRUE(shaders.modelShader && shaders.effectShader.shader && shaders.spriteShader.shader)
        << "a shader failed to build (see the log above)";
    VelCbLight& light = shaders.cbLight.Data();
    light.g_DL_Dir = Normalize({1, -10, 0});
    light.g_DL_Color = {3, 3, 3};
    light.g_AmbientLight = {0.5f, 0.5f, 0.5f};
    shaders.UploadLight();
    // Sprites drawn by earlier tests in this process leave their transform
    // and colour.
    shaders.spriteShader.cbSprite.Data().g_mTransform = MatrixIdentity();
    shaders.spriteShader.cbSprite.Data().g_color = {1, 1, 1, 1};
  }

  // The shader manager outlives the test: the next one starts lit, as a game
  // process does, whatever this one switched off.
  void TearDown() override {
    shaders.cbObject.Data().g_LightEnable = 1;
    VelGlSpecialiseShaders(true);
    device.GetRenderScale().SetFixed(1.0f);
    shaders.Release();
    device.Release();
    Sys().DestroyGameWindow();
    UninstallPlatform();
  }

  // The world passes begin over black, ready for models.
  void BeginModelsOverBlack() {
    device.BeginWorld();
    device.ClearBackBuffer({0, 0, 0, 1});
    device.ClearDepth(1.0f, 0);
    shaders.BeginModel();
  }

  // The frame drawn so far, read back through a capture.
  Image Capture(const std::string& name) {
    Image image;
    std::string path = CapturePath(name);
    EXPECT_TRUE(device.CaptureBackBuffer(path));
    EXPECT_TRUE(image.Load(path));
    device.Present();
    return image;
  }

  VelGraphicsDevice& device = VelGraphicsDevice::GetInstance();
  VelShaderManager& shaders = VelShaderManager::GetInstance();
};

// How far two frames of the same size are apart: the largest channel
// difference and the number of pixels that differ at all.
struct Difference {
  int largest = 0;
  size_t pixels = 0;
};

Difference Compare(const Image& a, const Image& b) {
  Difference d;
  for (size_t i = 0; i + 3 < a.pixels.size() && i + 3 < b.pixels.size(); i += 4) {
    int largest = 0;
    for (size_t c = 0; c < 4; ++c)
      largest = std::max(largest, std::abs(int(a.pixels[i + c]) - int(b.pixels[i + c])));
    d.largest = std::max(d.largest, largest);
    d.pixels += largest > 0;
  }
  return d;
}

// The spread of brightness along a row of the frame, over its middle half.
double RowContrast(const Image& image, int y) {
  double sum = 0, squares = 0;
  int n = 0;
  for (int x = image.width / 4; x < image.width * 3 / 4; ++x, ++n) {
    Pixel p = image.At(x, y);
    double v = (p.r + p.g + p.b) / 3.0;
    sum += v;
    squares += v * v;
  }
  double mean = sum / n;
  return std::sqrt(std::max(0.0, squares / n - mean * mean));
}

TEST_F(RenderTest, LitCubeAdditiveQuadAndSpriteLandWhereTheyBelong) {
  const float4 clear{0.1f, 0.2f, 0.4f, 1.0f};
  device.ClearBackBuffer(clear);
  device.ClearDepth(1.0f, 0);

  // A red cube left of centre, tipped toward the camera so its lit top shows
  // above its front face, which faces away from the light.
  VelModel cube = MakeCube({0.8f, 0.1f, 0.1f, 1}, 0.6f);
  const float4x4 cubeWorld = MatrixRotationX(-25.0f * kDegToRad) * MatrixTranslation(-1.5f, 0, 0);
  shaders.BeginModel();
  shaders.modelWorld = cubeWorld;
  shaders.DrawModel(cube);

  // A green additive quad right of centre, depth tested but not written.
  auto additive = device.CreateBlendState(2);
  auto testNoWrite = device.CreateDepthStencilState(true, false);
  device.SetBlendState(additive);
  device.SetDepthStencilState(testNoWrite);
  shaders.BeginEffect();
  shaders.effectShader.cbPerObject.Data().g_mW = MatrixTranslation(1.5f, 0, 0);
  shaders.effectShader.cbPerObject.Upload();
  device.SetTexture(0, device.GetWhiteTexture().get());
  const float4 green{0, 0.8f, 0, 1};
  VelEffectVertex quad[4] = {{{-0.5f, -0.5f, 0}, {0, 1}, green},
                             {{-0.5f, 0.5f, 0}, {0, 0}, green},
                             {{0.5f, -0.5f, 0}, {1, 1}, green},
                             {{0.5f, 0.5f, 0}, {1, 0}, green}};
  device.DrawVertices(VelTopology::TriangleStrip, 4, quad, sizeof(VelEffectVertex));
  device.SetBlendState(device.CreateBlendState(1));
  device.SetDepthStencilState(device.CreateDepthStencilState(true, true));

  // A sprite above the centre from a 2 x 2 PNG: red, green on the top row,
  // blue, white below, so an upside-down or mirrored image shows.
  const uint8_t texels[16] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255};
  std::string texturePath = CapturePath("RenderTest_SpriteSource");
  ASSERT_TRUE(stbi_write_png(texturePath.c_str(), 2, 2, 4, texels, 8));
  VelTexture texture;
  ASSERT_TRUE(texture.Load(texturePath));
  BeginSprite(false, true);
  shaders.spriteShader.cbSprite.Data().g_mTransform = MatrixIdentity();
  DrawSprite(&texture, 0, 200, 200, 200, nullptr, nullptr, {0.5f, 0.5f});
  EndSprite();

  std::string capture = CapturePath("RenderTest_Scene");
  ASSERT_TRUE(device.CaptureBackBuffer(capture));
  device.Present();
  Image image;
  ASSERT_TRUE(image.Load(capture));
  ASSERT_EQ(image.width, 1280);
  ASSERT_EQ(image.height, 720);

  auto isClear = [](Pixel p) {
    return std::abs(p.r - 26) <= 2 && std::abs(p.g - 51) <= 2 && std::abs(p.b - 102) <= 2;
  };
  for (auto [x, y] : {std::pair{5, 5}, {1274, 5}, {5, 714}, {1274, 714}, {640, 600}, {640, 360}})
    EXPECT_TRUE(isClear(image.At(x, y))) << "clear colour expected at " << x << "," << y;

  const VelCbCamera& camera = shaders.cbCamera.View();
  int topX, topY, frontX, frontY;
  ToPixel(TransformCoord({0, 0.5f, 0}, cubeWorld), camera, topX, topY);
  ToPixel(TransformCoord({0, 0, -0.5f}, cubeWorld), camera, frontX, frontY);
  Pixel top = image.At(topX, topY), front = image.At(frontX, frontY);
  EXPECT_GT(top.r, top.g + 60) << "lit top face should be red";
  EXPECT_GT(front.r, front.g + 30) << "front face should be red";
  // Only ambient reaches the front face: 0.5 x 0.8 of full red.
  EXPECT_NEAR(front.r, 102, 6);
  EXPECT_GT(top.r, front.r + 50) << "the light should brighten the top face";

  int quadX, quadY;
  ToPixel({1.5f, 0, 0}, camera, quadX, quadY);
  Pixel glow = image.At(quadX, quadY);
  EXPECT_NEAR(glow.r, 26, 3) << "additive: the clear colour's red stays";
  EXPECT_GE(glow.g, 250) << "additive: green adds onto the clear colour";
  EXPECT_NEAR(glow.b, 102, 3);

  // The sprite covers x -100..100, y 100..300 about the centre, y up.
  Pixel topLeft = image.At(640 - 50, 360 - 250), topRight = image.At(640 + 50, 360 - 250);
  Pixel bottomLeft = image.At(640 - 50, 360 - 150), bottomRight = image.At(640 + 50, 360 - 150);
  EXPECT_TRUE(topLeft.r > 250 && topLeft.g < 5 && topLeft.b < 5);
  EXPECT_TRUE(topRight.g > 250 && topRight.r < 5 && topRight.b < 5);
  EXPECT_TRUE(bottomLeft.b > 250 && bottomLeft.r < 5 && bottomLeft.g < 5);
  EXPECT_TRUE(bottomRight.r > 250 && bottomRight.g > 250 && bottomRight.b > 250);
  EXPECT_TRUE(isClear(image.At(640, 360 - 310))) << "just above the sprite";
  EXPECT_TRUE(isClear(image.At(640 - 110, 360 - 200))) << "just left of the sprite";
}

TEST_F(RenderTest, ClosingTheWindowFirstStillReleasesCleanly) {
  // Escape destroys the window, and with it the context, before the shell
  // releases the device; objects still held by scenes go last of all.
  VelTexture texture;
  ASSERT_TRUE(texture.Load("Data/Texture/frame.png"));
  VelBuffer buffer;
  ASSERT_TRUE(buffer.Create(VelBind::VertexBuffer, 64, VelUsage::Dynamic, nullptr));
  // The debug context reports every GL error on stderr; without a context
  // there must be no GL call to report.
  testing::internal::CaptureStderr();
  Sys().DestroyGameWindow();
  shaders.Release();
  device.Release();
  texture.Release();
  buffer.Release();
  const std::string errors = testing::internal::GetCapturedStderr();
  EXPECT_EQ(errors.find("GL error"), std::string::npos) << errors;
  EXPECT_FALSE(texture.IsValid());
  EXPECT_FALSE(buffer.IsValid());
  EXPECT_EQ(buffer.GetCapacity(), 0u);
  EXPECT_FALSE(device.GetBackBuffer()) << "the device holds nothing of the gone context";
  EXPECT_FALSE(device.GetWhiteTexture());
  EXPECT_FALSE(shaders.modelShader);
  device.Release();
}

// A texture that failed to load is drawn as nothing, as on Direct3D where an
// empty slot samples transparent black: alpha-blended or added, the frame
// keeps its colours.
TEST_F(RenderTest, ASpriteOrQuadWithoutItsTextureLeavesTheFrameAsItWas) {
  const float4 clear{0.1f, 0.2f, 0.4f, 1.0f};
  device.ClearBackBuffer(clear);
  device.ClearDepth(1.0f, 0);
  VelTexture missing;
  ASSERT_FALSE(missing.Load(CapturePath("RenderTest_NoSuchFile")));

  BeginSprite(false, true);
  shaders.spriteShader.cbSprite.Data().g_mTransform = MatrixIdentity();
  const float4 opaque{1, 1, 1, 1};
  DrawSprite(&missing, -200, 0, 300, 200, nullptr, &opaque, {0.5f, 0.5f});
  EndSprite();

  device.SetBlendState(device.CreateBlendState(2));
  device.SetDepthStencilState(device.CreateDepthStencilState(true, false));
  shaders.BeginEffect();
  shaders.effectShader.cbPerObject.Data().g_mW = MatrixTranslation(1.5f, 0, 0);
  shaders.effectShader.cbPerObject.Upload();
  device.SetTexture(0, &missing);
  const float4 green{0, 0.8f, 0, 1};
  VelEffectVertex quad[4] = {{{-0.5f, -0.5f, 0}, {0, 1}, green},
                             {{-0.5f, 0.5f, 0}, {0, 0}, green},
                             {{0.5f, -0.5f, 0}, {1, 1}, green},
                             {{0.5f, 0.5f, 0}, {1, 0}, green}};
  device.DrawVertices(VelTopology::TriangleStrip, 4, quad, sizeof(VelEffectVertex));

  std::string capture = CapturePath("RenderTest_MissingTexture");
  ASSERT_TRUE(device.CaptureBackBuffer(capture));
  device.Present();
  Image image;
  ASSERT_TRUE(image.Load(capture));
  int quadX, quadY;
  ToPixel({1.5f, 0, 0}, shaders.cbCamera.View(), quadX, quadY);
  for (auto [x, y] : {std::pair{640 - 200, 360}, {640 - 300, 300}, {quadX, quadY}}) {
    Pixel p = image.At(x, y);
    EXPECT_TRUE(std::abs(p.r - 26) <= 2 && std::abs(p.g - 51) <= 2 && std::abs(p.b - 102) <= 2)
        << "clear colour expected at " << x << "," << y << ", got " << p.r << " " << p.g << " " << p.b;
  }
}

// Each draw runs the build of its shaders with only the parts its constants
// call for; a frame of every kind of draw must come out as the general
// shaders, with every part, draw it.
TEST_F(RenderTest, ShaderVariantsDrawWhatTheGeneralShadersDraw) {
  std::shared_ptr<VelTexture> stripes = MakeStripes(false), cutOut = MakeStripes(true);
  ASSERT_TRUE(stripes && cutOut);
  VelModel floor = MakeFloor(stripes);
  VelModel cube = MakeCube({0.8f, 0.5f, 0.2f, 1}, 0.4f);
  VelModel fence = MakeCube({1, 1, 1, 1}, 1.0f);
  fence.Materials[0].BaseColorTexture = cutOut;
  // Maps a variant may leave unread: an emissive map loaded again from the
  // base colour's file, one of its own (the plain white), a metal-roughness map.
  VelModel stripedGlow = MakeCube({1, 1, 1, 1}, 0.4f);
  stripedGlow.Materials[0].BaseColorTexture = stripes;
  stripedGlow.Materials[0].EmissiveTexture = MakeStripes(false);
  VelModel glowOverStripes = MakeCube({1, 1, 1, 1}, 0.4f);
  glowOverStripes.Materials[0].BaseColorTexture = stripes;
  VelModel metalStripes = MakeCube({0.8f, 0.5f, 0.2f, 1}, 0.6f);
  metalStripes.Materials[0].Metallic = 1.0f;
  metalStripes.Materials[0].MetallicRoughnessTexture = stripes;

  auto drawFrame = [&](const std::string& name) {
    device.ClearBackBuffer({0.1f, 0.2f, 0.4f, 1.0f});
    device.ClearDepth(1.0f, 0);
    // Data() marks a buffer for its next upload.
    auto setFog = [&](bool on) {
      VelCbCamera& camera = shaders.cbCamera.Data();
      camera.g_DistanceFogEnable = on;
      camera.g_DistanceFogDensity = 0.05f;
      camera.g_DistanceFogColor = {0.6f, 0.6f, 0.7f};
      shaders.UploadCamera();
    };
    auto setPointLight = [&](bool on) {
      VelCbLight& light = shaders.cbLight.Data();
      light.g_PL_Num = on;
      light.g_PL[0].pos = {-0.6f, 0.8f, -1.0f};
      light.g_PL[0].radius = 3;
      light.g_PL[0].color = {4, 1, 1};
      shaders.UploadLight();
    };
    shaders.BeginModel();
    // Unlit, in fog.
    setFog(true);
    shaders.cbObject.Data().g_LightEnable = 0;
    shaders.modelWorld = MatrixIdentity();
    shaders.DrawModel(floor);
    setFog(false);
    // Lit; lit with a point light; glowing; cut out by the alpha test.
    shaders.cbObject.Data().g_LightEnable = 1;
    shaders.modelWorld = MatrixRotationY(0.6f) * MatrixTranslation(-2.2f, 0.3f, 0);
    shaders.DrawModel(cube);
    setPointLight(true);
    shaders.modelWorld = MatrixRotationY(0.6f) * MatrixTranslation(-0.7f, 0.3f, 0);
    shaders.DrawModel(cube);
    setPointLight(false);
    shaders.modelWorld = MatrixRotationY(0.6f) * MatrixTranslation(0.8f, 0.3f, 0);
    shaders.DrawModelEmissive(cube, 0.2f, 0.6f, 0.1f);
    shaders.cbObject.Data().g_AlphaTestThreshold = 0.5f;
    shaders.modelWorld = MatrixRotationY(0.6f) * MatrixTranslation(2.3f, 0.3f, 0);
    shaders.DrawModel(fence);
    shaders.cbObject.Data().g_AlphaTestThreshold = 0;
    shaders.modelWorld = MatrixRotationY(0.6f) * MatrixTranslation(-1.5f, 1.5f, 0);
    shaders.DrawModelEmissive(stripedGlow, 0.1f, 0.5f, 0.2f);
    shaders.modelWorld = MatrixRotationY(0.6f) * MatrixTranslation(0, 1.5f, 0);
    shaders.DrawModelEmissive(glowOverStripes, 0.1f, 0.5f, 0.2f);
    shaders.modelWorld = MatrixRotationY(0.6f) * MatrixTranslation(1.5f, 1.5f, 0);
    shaders.DrawModel(metalStripes);

    // Sprites over it all: one wholly transparent, one half.
    BeginSprite(false, true);
    shaders.spriteShader.cbSprite.Data().g_mTransform = MatrixIdentity();
    const float4 clearTint{1, 1, 1, 0}, halfTint{1, 1, 1, 0.5f};
    DrawSprite(stripes.get(), -600, 340, 1200, 680, nullptr, &clearTint, {0, 0});
    DrawSprite(stripes.get(), -600, 340, 300, 200, nullptr, &halfTint, {0, 0});
    EndSprite();
    return Capture(name);
  };

  VelGlSpecialiseShaders(false);
  Image general = drawFrame("RenderTest_GeneralShaders");
  VelGlSpecialiseShaders(true);
  Image variants = drawFrame("RenderTest_ShaderVariants");

  Difference d = Compare(general, variants);
  EXPECT_LE(d.largest, 1) << d.pixels << " pixels differ";
  EXPECT_LT(d.pixels, general.pixels.size() / 4 / 1000) << "more than one pixel in a thousand differs";

  // And the frame is what it should be: the point light reddened the second
  // cube, the glow greened the third, the alpha test cut the fence's black
  // stripes out (the clear colour shows through) and the fog greyed the floor
  // far off.
  const VelCbCamera& camera = shaders.cbCamera.View();
  int x, y;
  ToPixel({-0.7f, 0.3f, -0.5f}, camera, x, y);
  Pixel reddened = variants.At(x, y);
  ToPixel({-2.2f, 0.3f, -0.5f}, camera, x, y);
  Pixel plain = variants.At(x, y);
  EXPECT_GT(reddened.r, plain.r + 20);
  ToPixel({0.8f, 0.3f, -0.5f}, camera, x, y);
  Pixel glowing = variants.At(x, y);
  EXPECT_GT(glowing.g, plain.g + 40);
  int cutOutPixels = 0, fencePixels = 0;
  ToPixel({2.3f, 0.3f, -0.6f}, camera, x, y);
  for (int dx = -60; dx <= 60; ++dx) {
    Pixel p = variants.At(x + dx, y);
    fencePixels += p.r > 80 && std::abs(p.r - p.b) < 10;
    cutOutPixels += std::abs(p.r - 26) <= 2 && std::abs(p.b - 102) <= 2;
  }
  EXPECT_GT(fencePixels, 20);
  EXPECT_GT(cutOutPixels, 10) << "the black stripes should be cut out";
  ToPixel({0, -1, 150}, camera, x, y);
  Pixel fogged = variants.At(x, y + 2);
  EXPECT_NEAR(fogged.b, 178, 12) << "fog colour far off";
}

// The floor's stripes run away from the camera: far off, a pixel spans a
// few texels across and very many along. Trilinear filtering picks the mip
// level by the long side and blurs the distance to grey; anisotropic
// filtering keeps the stripes, and at an anisotropy of 1 it is trilinear.
TEST_F(RenderTest, AnisotropicFilteringKeepsDistantStripesThatTrilinearBlurs) {
  std::shared_ptr<VelTexture> stripes = MakeStripes(false, true);
  ASSERT_TRUE(stripes);
  VelModel floor = MakeFloor(stripes);
  auto drawFloor = [&](const std::shared_ptr<VelSamplerState>& sampler, const std::string& name) {
    device.ClearBackBuffer({0, 0, 0, 1});
    device.ClearDepth(1.0f, 0);
    device.SetSampler(0, sampler);
    shaders.BeginModel();
    shaders.cbObject.Data().g_LightEnable = 0;
    shaders.modelWorld = MatrixIdentity();
    shaders.DrawModel(floor);
    return Capture(name);
  };
  Image trilinear = drawFloor(device.CreateSamplerState(1, 1, 0, false), "RenderTest_FloorTrilinear");
  Image anisotropic = drawFloor(device.CreateSamplerState(2, 4, 0, false), "RenderTest_FloorAnisotropic");
  Image anisotropyOne = drawFloor(device.CreateSamplerState(2, 1, 0, false), "RenderTest_FloorAnisotropyOne");

  // Rows between the near floor, sharp either way, and the horizon.
  const VelCbCamera& camera = shaders.cbCamera.View();
  int x, nearRow, farRow;
  ToPixel({0, -1, 20}, camera, x, nearRow);
  ToPixel({0, -1, 60}, camera, x, farRow);
  ASSERT_LT(farRow + 4, nearRow);
  double trilinearContrast = 0, anisotropicContrast = 0;
  for (int y = farRow; y <= nearRow; ++y) {
    trilinearContrast += RowContrast(trilinear, y);
    anisotropicContrast += RowContrast(anisotropic, y);
  }
  EXPECT_GT(anisotropicContrast, 2 * trilinearContrast)
      << "anisotropic " << anisotropicContrast << ", trilinear " << trilinearContrast;
  EXPECT_GT(RowContrast(trilinear, nearRow + 40), 60) << "close by, both show the stripes";
  EXPECT_EQ(Compare(trilinear, anisotropyOne).largest, 0);
}

// Below full scale the world's anisotropic sampler filters as a bilinear
// one would, and the scene's own sampler is still the one bound afterwards.
TEST_F(RenderTest, BelowFullScaleTheWorldFiltersBilinearly) {
  std::shared_ptr<VelTexture> stripes = MakeStripes(false, true);
  ASSERT_TRUE(stripes);
  VelModel floor = MakeFloor(stripes);
  auto drawFloor = [&](const std::shared_ptr<VelSamplerState>& sampler, const std::string& name) {
    device.SetSampler(0, sampler);
    BeginModelsOverBlack();
    shaders.cbObject.Data().g_LightEnable = 0;
    shaders.modelWorld = MatrixIdentity();
    shaders.DrawModel(floor);
    device.BeginOverlay();
    EXPECT_EQ(device.GetState().samplers[0], sampler);
    return Capture(name);
  };
  device.GetRenderScale().SetFixed(0.5f);
  Image bilinear = drawFloor(device.CreateSamplerState(1, 1, 0, false), "RenderTest_HalfFloorBilinear");
  Image anisotropic = drawFloor(device.CreateSamplerState(2, 4, 0, false), "RenderTest_HalfFloorAnisotropic");
  device.GetRenderScale().SetFixed(1.0f);
  EXPECT_EQ(Compare(bilinear, anisotropic).largest, 0);
}

// Below full scale a lit model is lit per vertex: the same light, worked out
// at the corners and interpolated between them. On small flat faces that is
// the picture lit per pixel, metal or not; a highlight in the middle of a
// large face, far from its corners, is gone.
TEST_F(RenderTest, BelowFullScaleModelsAreLitPerVertex) {
  VelModel floor = MakeFloor(MakeTexture("RenderTest_White", 1, 1, {255, 255, 255, 255}));
  floor.Materials[0].Roughness = 0.3f;
  VelModel matte = MakeCube({0.8f, 0.5f, 0.2f, 1}, 0.8f);
  VelModel metal = MakeCube({0.9f, 0.7f, 0.3f, 1}, 0.5f);
  metal.Materials[0].Metallic = 1.0f;
  // A low light far ahead: its reflection in the floor lies a few units in
  // front of the camera, between the floor's far-apart corners.
  VelCbLight& light = shaders.cbLight.Data();
  light.g_DL_Dir = Normalize({0, -0.3f, -1});
  shaders.UploadLight();
  auto drawFrame = [&](float scale, bool specialised, const std::string& name) {
    VelGlSpecialiseShaders(specialised);
    device.GetRenderScale().SetFixed(scale);
    BeginModelsOverBlack();
    shaders.cbObject.Data().g_LightEnable = 1;
    shaders.modelWorld = MatrixIdentity();
    shaders.DrawModel(floor);
    shaders.modelWorld = MatrixRotationY(0.6f) * MatrixTranslation(-1.2f, 0.3f, 2);
    shaders.DrawModel(matte);
    shaders.modelWorld = MatrixRotationY(0.6f) * MatrixTranslation(1.2f, 0.3f, 2);
    shaders.DrawModel(metal);
    device.BeginOverlay();
    return Capture(name);
  };
  const Image perPixel = drawFrame(0.5f, false, "RenderTest_HalfLitPerPixel");
  const Image perVertex = drawFrame(0.5f, true, "RenderTest_HalfLitPerVertex");
  const Image full = drawFrame(1.0f, true, "RenderTest_FullLit");
  const VelCbCamera& camera = shaders.cbCamera.View();

  for (float cubeX : {-1.2f, 1.2f}) {
    int x, y;
    ToPixel({cubeX, 0.3f, 1.6f}, camera, x, y);
    int largest = 0;
    for (int row = y - 20; row <= y + 20; ++row) {
      for (int column = x - 20; column <= x + 20; ++column) {
        const Pixel a = perPixel.At(column, row), b = perVertex.At(column, row);
        largest = std::max({largest, std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
      }
    }
    EXPECT_LE(largest, 2) << (cubeX < 0 ? "the matte cube" : "the metal cube");
    EXPECT_GT(perVertex.At(x, y).r, 90) << "and lit, not only by the ambient light";
  }
  // The floor lit per vertex is one grey; lit per pixel, at either scale, it
  // shows the light's reflection.
  auto brightest = [](const Image& image) {
    int most = 0;
    for (int row = 360; row < 720; ++row)
      for (int column = 0; column < 1280; ++column) most = std::max(most, image.At(column, row).g);
    return most;
  };
  const int floorGrey = perVertex.At(640, 600).g;
  EXPECT_LE(brightest(perVertex), floorGrey + 2);
  EXPECT_GT(brightest(perPixel), floorGrey + 40);
  EXPECT_GT(brightest(full), floorGrey + 40);
}

// A sprite with zero alpha under an alpha or additive blend changes no
// pixel, so it is not sent at all; any other alpha, or a blend that
// overwrites, still draws.
TEST_F(RenderTest, AWhollyTransparentSpriteIsNotSent) {
  std::shared_ptr<VelTexture> stripes = MakeStripes(false);
  ASSERT_TRUE(stripes);
  device.ClearBackBuffer({0.1f, 0.2f, 0.4f, 1.0f});
  device.ClearDepth(1.0f, 0);
  shaders.spriteShader.cbSprite.Data().g_mTransform = MatrixIdentity();
  auto drawsOf = [&](int blendMode, float alpha, int x) {
    const uint64_t before = VelGlCounters().draws;
    BeginSprite(false, true);
    device.SetBlendState(device.CreateBlendState(blendMode));
    const float4 tint{1, 1, 1, alpha};
    DrawSprite(stripes.get(), x, 0, 100, 100, nullptr, &tint, {0.5f, 0.5f});
    EndSprite();
    return VelGlCounters().draws - before;
  };
  EXPECT_EQ(drawsOf(1, 0.0f, -400), 0u);
  EXPECT_EQ(drawsOf(2, 0.0f, -200), 0u);
  EXPECT_EQ(drawsOf(1, 0.01f, 0), 1u);
  EXPECT_EQ(drawsOf(0, 0.0f, 200), 1u);

  Image image = Capture("RenderTest_TransparentSprites");
  auto isClear = [](Pixel p) {
    return std::abs(p.r - 26) <= 2 && std::abs(p.g - 51) <= 2 && std::abs(p.b - 102) <= 2;
  };
  // White stripes of the texture, left of each sprite's centre.
  EXPECT_TRUE(isClear(image.At(640 - 420, 360)));
  EXPECT_TRUE(isClear(image.At(640 - 220, 360)));
  Pixel overwritten = image.At(640 + 180, 360);
  EXPECT_GT(overwritten.r, 250) << "a blend that overwrites draws even at zero alpha";
}

// The fades are whole-frame sprites of the plain black texture: drawn
// without its lookup, pixel for pixel what the lookup draws.
TEST_F(RenderTest, ASpriteOfOnePlainColourDrawsWithoutItsLookupWhatItDrewWithIt) {
  std::shared_ptr<VelTexture> stripes = MakeStripes(false);
  std::vector<uint8_t> opaqueBlack(64 * 36 * 4, 0);
  for (size_t i = 3; i < opaqueBlack.size(); i += 4) opaqueBlack[i] = 255;
  std::shared_ptr<VelTexture> black = MakeTexture("RenderTest_PlainBlack", 64, 36, opaqueBlack);
  ASSERT_TRUE(stripes);
  ASSERT_TRUE(black && black->shaderResourceView->plainColour);

  auto drawFrame = [&](const std::string& name) {
    device.ClearBackBuffer({0.1f, 0.2f, 0.4f, 1.0f});
    device.ClearDepth(1.0f, 0);
    shaders.spriteShader.cbSprite.Data().g_mTransform = MatrixIdentity();
    BeginSprite(false, true);
    const float4 opaque{1, 1, 1, 1}, fade{1, 1, 1, 0.37f}, tint{0.2f, 0.6f, 0.9f, 0.55f};
    DrawSprite(stripes.get(), -640, -360, 1280, 720, nullptr, &opaque, {0, 0});
    DrawSprite(black.get(), 0, 0, 1280, 720, nullptr, &fade, {0.5f, 0.5f});
    DrawSprite(device.GetWhiteTexture().get(), -300, -150, 500, 300, nullptr, &tint, {0, 0});
    EndSprite();
    return Capture(name);
  };
  VelGlSpecialiseShaders(false);
  Image general = drawFrame("RenderTest_PlainSpritesGeneral");
  VelGlSpecialiseShaders(true);
  Image plain = drawFrame("RenderTest_PlainSprites");
  EXPECT_EQ(Compare(general, plain).pixels, 0u);
  Pixel dimmedWhite = plain.At(40, 700), tinted = plain.At(440, 300);
  EXPECT_NEAR(dimmedWhite.r, 161, 2) << "white stripes under 37 % black";
  EXPECT_GT(tinted.b, tinted.r + 40) << "the white texture under a blue tint";

  // The sprite takes the colour the texture is known by, not its texels.
  black->shaderResourceView->plainColour = float4{1, 0, 0, 1};
  Image reddened = drawFrame("RenderTest_PlainSpritesRecorded");
  EXPECT_EQ(plain.At(720, 600).r, 0) << "a black stripe under the fade";
  EXPECT_NEAR(reddened.At(720, 600).r, 94, 2) << "a black stripe under 37 % red";
}

// A frame whose world (drawn between BeginWorld and BeginOverlay) is green on
// the left half and blue on the right, with a red 100 x 100 square over it in
// the overlay.
Image DrawHalvesAndSquare(VelGraphicsDevice& device, VelShaderManager& shaders, const std::string& name,
                          bool worldPasses) {
  const VelTexture* white = device.GetWhiteTexture().get();
  shaders.spriteShader.cbSprite.Data().g_mTransform = MatrixIdentity();
  if (worldPasses) device.BeginWorld();
  device.ClearBackBuffer({0, 0, 1, 1});
  device.ClearDepth(1.0f, 0);
  const float4 green{0, 1, 0, 1}, red{1, 0, 0, 1};
  DrawSprite(white, -640, -360, 640, 720, nullptr, &green, {0, 0});
  if (worldPasses) device.BeginOverlay();
  DrawSprite(white, 0, 0, 100, 100, nullptr, &red, {0.5f, 0.5f});
  Image image;
  const std::string path = CapturePath(name);
  EXPECT_TRUE(device.CaptureBackBuffer(path));
  EXPECT_TRUE(image.Load(path));
  device.Present();
  return image;
}

bool Near(Pixel p, int r, int g, int b) {
  return std::abs(p.r - r) <= 2 && std::abs(p.g - g) <= 2 && std::abs(p.b - b) <= 2;
}

TEST_F(RenderTest, AtFullScaleTheWorldPassesDrawStraightIntoTheBackBuffer) {
  const uint64_t drawsBefore = VelGlCounters().draws;
  Image plain = DrawHalvesAndSquare(device, shaders, "RenderTest_ScaleNone", false);
  Image scaled = DrawHalvesAndSquare(device, shaders, "RenderTest_ScaleOne", true);
  EXPECT_EQ(Compare(plain, scaled).pixels, 0u);
  EXPECT_EQ(VelGlCounters().draws - drawsBefore, 4u) << "no stretch is drawn";
  EXPECT_TRUE(Near(scaled.At(639, 100), 0, 255, 0));
  EXPECT_TRUE(Near(scaled.At(640, 100), 0, 0, 255));
}

TEST_F(RenderTest, AtHalfScaleTheWorldIsStretchedAndTheOverlayStaysSharp) {
  device.GetRenderScale().SetFixed(0.5f);
  Image image = DrawHalvesAndSquare(device, shaders, "RenderTest_ScaleHalf", true);
  device.GetRenderScale().SetFixed(1.0f);
  Image full = DrawHalvesAndSquare(device, shaders, "RenderTest_ScaleHalfReference", true);

  // The world is 640 x 360 pixels, its edge between columns 319 and 320; the
  // stretch samples it bilinearly at (x + 0.5) / 2, so the two screen columns
  // at the edge each take a quarter of the other side.
  EXPECT_TRUE(Near(image.At(100, 100), 0, 255, 0));
  EXPECT_TRUE(Near(image.At(1100, 600), 0, 0, 255));
  Pixel left = image.At(639, 100), right = image.At(640, 100);
  EXPECT_TRUE(Near(left, 0, 191, 64)) << left.r << "," << left.g << "," << left.b;
  EXPECT_TRUE(Near(right, 0, 64, 191)) << right.r << "," << right.g << "," << right.b;
  EXPECT_TRUE(Near(image.At(638, 100), 0, 255, 0));
  EXPECT_TRUE(Near(image.At(641, 100), 0, 0, 255));

  // The overlay's square is drawn at full size: around it and across its
  // edges the frame is that of the full scale, pixel for pixel, but for the
  // two columns at the world's edge.
  EXPECT_TRUE(Near(image.At(590, 310), 255, 0, 0));
  EXPECT_TRUE(Near(image.At(689, 409), 255, 0, 0));
  size_t differing = 0;
  for (int y = 290; y < 430; ++y) {
    for (int x = 570; x < 710; ++x) {
      if (x == 639 || x == 640) continue;
      const Pixel a = image.At(x, y), b = full.At(x, y);
      differing += a.r != b.r || a.g != b.g || a.b != b.b;
    }
  }
  EXPECT_EQ(differing, 0u);
  EXPECT_FALSE(Near(full.At(639, 100), 0, 191, 64)) << "the full-scale world has a hard edge";
}

// Each change of scale remakes the world's target at the new size: every
// frame shows its own world over the whole screen, none of an earlier one.
TEST_F(RenderTest, AScaledWorldShowsNothingOfAnEarlierOneOfAnotherSize) {
  auto drawWorld = [&](float scale, const float4& color, const std::string& name) {
    device.GetRenderScale().SetFixed(scale);
    device.BeginWorld();
    device.ClearBackBuffer(color);
    device.ClearDepth(1.0f, 0);
    device.BeginOverlay();
    Image image = Capture(name);
    device.Present();
    return image;
  };
  drawWorld(0.75f, {1, 0, 0, 1}, "RenderTest_LargerRedWorld");
  Image blue = drawWorld(0.5f, {0, 0, 1, 1}, "RenderTest_SmallerBlueWorld");
  Image green = drawWorld(0.75f, {0, 1, 0, 1}, "RenderTest_LargerGreenWorld");
  device.GetRenderScale().SetFixed(1.0f);
  for (int x = 0; x < 1280; x += 7) {
    EXPECT_TRUE(Near(blue.At(x, 0), 0, 0, 255)) << "top row, column " << x;
    EXPECT_TRUE(Near(green.At(x, 719), 0, 255, 0)) << "bottom row, column " << x;
  }
  for (int y = 0; y < 720; y += 7) {
    EXPECT_TRUE(Near(blue.At(1279, y), 0, 0, 255)) << "last column, row " << y;
    EXPECT_TRUE(Near(green.At(1279, y), 0, 255, 0)) << "last column, row " << y;
  }
}

// A frame of the game: at half scale the HUD's opaque pixels are those of the
// full-scale frame; the world is the same picture, softer.
TEST_F(RenderTest, AGameFrameAtHalfScaleKeepsTheHudAndSoftensTheWorld) {
  VelSoundEngine::GetInstance().UseHeadless(true);
  ASSERT_TRUE(VelSoundEngine::GetInstance().Init());
  auto game = std::make_unique<GameScene>();
  // The shader manager outlives each test: lighting as a game process starts.
  shaders.cbObject.Data().g_LightEnable = 1;
  // Past the fade-in.
  for (int i = 0; i < 120; ++i) game->Update();
  auto drawFrame = [&](float scale, const std::string& name) {
    device.GetRenderScale().SetFixed(scale);
    game->SetCamera();
    game->Draw();
    return Capture(name);
  };
  // The HUD alone over black and over white: where the two agree, the HUD
  // covers the world.
  auto drawHud = [&](const float4& clear, const std::string& name) {
    device.GetRenderScale().SetFixed(1.0f);
    device.ClearBackBuffer(clear);
    device.ClearDepth(1.0f, 0);
    BeginSprite(false, true);
    game->hud->Draw();
    EndSprite();
    return Capture(name);
  };
  Image full = drawFrame(1.0f, "RenderTest_GameScaleOne");
  Image half = drawFrame(0.5f, "RenderTest_GameScaleHalf");
  Image overBlack = drawHud({0, 0, 0, 1}, "RenderTest_GameHudOverBlack");
  Image overWhite = drawHud({1, 1, 1, 1}, "RenderTest_GameHudOverWhite");
  game.reset();
  VelSoundEngine::GetInstance().Release();

  size_t hudPixels = 0, hudDiffering = 0, worldPixels = 0, worldDiffering = 0;
  double worldDifference = 0;
  for (int y = 0; y < 720; ++y) {
    for (int x = 0; x < 1280; ++x) {
      const Pixel b = overBlack.At(x, y), w = overWhite.At(x, y), f = full.At(x, y), h = half.At(x, y);
      const int apart = std::max({std::abs(f.r - h.r), std::abs(f.g - h.g), std::abs(f.b - h.b)});
      if (b.r == w.r && b.g == w.g && b.b == w.b) {
        ++hudPixels;
        hudDiffering += apart > 0;
      } else {
        ++worldPixels;
        worldDiffering += apart > 0;
        worldDifference += apart;
      }
    }
  }
  EXPECT_GT(hudPixels, 3000u) << "the opaque parts of the health bar and the weapon panel";
  EXPECT_EQ(hudDiffering, 0u);
  EXPECT_GT(worldDiffering, worldPixels / 20) << "the world was drawn at half size";
  EXPECT_LT(worldDifference / double(worldPixels), 16.0) << "and it is the same picture";
}

// The overlay's letters are drawn over the stretched world at full size: the
// same pixels at half scale as at full scale.
TEST_F(RenderTest, TheOverlaysLettersStaySharpOverAScaledWorld) {
  VelFrameRateOverlay& overlay = VelFrameRateOverlay::GetInstance();
  overlay.SetPaused(true);
  overlay.SetShowFrameRate(true);
  overlay.SetFrameRate(60);
  auto drawFrame = [&](float scale, const std::string& name) {
    device.GetRenderScale().SetFixed(scale);
    device.BeginWorld();
    device.ClearBackBuffer({0.2f, 0.3f, 0.4f, 1.0f});
    device.ClearDepth(1.0f, 0);
    device.BeginOverlay();
    overlay.Draw();
    return Capture(name);
  };
  Image half = drawFrame(0.5f, "RenderTest_OverlayHalf");
  Image full = drawFrame(1.0f, "RenderTest_OverlayFull");
  overlay.SetPaused(false);
  overlay.SetShowFrameRate(false);
  overlay.Release();
  // The corner's line differs only in its scale ("x0.50", "x1.00"): compare
  // the rate and "FPS", and the whole of "PAUSED".
  auto countText = [](const Image& image, int x0, int y0, int x1, int y1) {
    size_t n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) n += image.At(x, y).r > 200;
    return n;
  };
  EXPECT_GT(countText(full, 520, 320, 760, 400), 500u) << "PAUSED in the middle";
  EXPECT_GT(countText(full, 0, 0, 80, 40), 20u) << "the rate in the corner";
  size_t differing = 0;
  for (int y = 0; y < 720; ++y) {
    for (int x = 0; x < 1280; ++x) {
      if (y < 40 && x >= 60 && x < 200) continue;
      const Pixel a = half.At(x, y), b = full.At(x, y);
      differing += a.r != b.r || a.g != b.g || a.b != b.b;
    }
  }
  EXPECT_EQ(differing, 0u);
}

// The shader variants a frame of the game calls for are linked with the
// shaders, before any scene: none is linked in the middle of play. The
// game's materials have a base colour map, or glow without one.
TEST_F(RenderTest, NoShaderIsLinkedAtItsFirstUse) {
  const uint64_t linked = VelGlCounters().programsLinked;
  device.ClearBackBuffer({0, 0, 0, 1});
  device.ClearDepth(1.0f, 0);
  VelModel lamp = MakeCube({0.8f, 0.1f, 0.1f, 1}, 0.6f);
  VelModel crate = MakeCube({1, 1, 1, 1}, 0.6f);
  crate.Materials[0].BaseColorTexture = MakeStripes(false);
  // At full scale and in a scaled world, lit per vertex there.
  for (float scale : {1.0f, 0.5f}) {
    device.GetRenderScale().SetFixed(scale);
    device.BeginWorld();
    shaders.BeginModel();
    for (int fog : {0, 1}) {
      shaders.cbCamera.Data().g_DistanceFogEnable = fog;
      shaders.UploadCamera();
      for (int lit : {0, 1}) {
        shaders.cbObject.Data().g_LightEnable = lit;
        shaders.DrawModel(crate);
        shaders.DrawModelEmissive(crate, 1, 0, 0);
        shaders.DrawModelEmissive(lamp, 1, 0, 0);
      }
    }
    device.BeginOverlay();
  }
  shaders.cbObject.Data().g_LightEnable = 1;
  shaders.cbCamera.Data().g_DistanceFogEnable = 0;
  shaders.UploadCamera();
  shaders.BeginEffect();
  device.SetTexture(0, device.GetWhiteTexture().get());
  const VelEffectVertex quad[4] = {};
  device.DrawVertices(VelTopology::TriangleStrip, 4, quad, sizeof(VelEffectVertex));
  const float4 white{1, 1, 1, 1};
  BeginSprite(false, true);
  DrawSprite(device.GetWhiteTexture().get(), 0, 0, 10, 10, nullptr, &white);
  EndSprite();
  BeginSprite(true, true);
  DrawSprite(device.GetWhiteTexture().get(), 0, 0, 10, 10, nullptr, &white);
  EndSprite();
  device.Present();
  EXPECT_GE(VelGlCounters().draws, 22u);
  EXPECT_EQ(VelGlCounters().programsLinked, linked);
}

}  // namespace

// Front faces are clockwise on screen, as on Direct3D: culling back faces
// keeps a triangle wound clockwise as seen and drops one wound the other way;
// culling front faces does the opposite.
TEST_F(RenderTest, CullingKeepsTheFacesDirect3DKeeps) {
  const float4 clear{0.1f, 0.2f, 0.4f, 1.0f};
  const float4 green{0, 0.8f, 0, 1};
  // Seen from the camera (x to the right, y up): bottom-left, top-left,
  // bottom-right is clockwise; the same corners the other way round are not.
  const VelEffectVertex clockwise[3] = {
      {{-0.5f, -0.5f, 0}, {0, 0}, green}, {{-0.5f, 0.5f, 0}, {0, 0}, green}, {{0.5f, -0.5f, 0}, {0, 0}, green}};
  const VelEffectVertex counterClockwise[3] = {clockwise[0], clockwise[2], clockwise[1]};

  const VelCbCamera& camera = shaders.cbCamera.View();
  int x[3], y[3];
  for (int i = 0; i < 3; ++i) ToPixel(clockwise[i].pos + float3{-1.5f, 0, 0}, camera, x[i], y[i]);
  ASSERT_GT((x[1] - x[0]) * (y[2] - y[0]) - (x[2] - x[0]) * (y[1] - y[0]), 0)
      << "the first triangle must be clockwise on screen (y down)";
  int leftX, leftY, rightX, rightY;
  ToPixel({-1.5f - 0.2f, -0.2f, 0}, camera, leftX, leftY);
  ToPixel({1.5f - 0.2f, -0.2f, 0}, camera, rightX, rightY);

  auto isGreen = [](Pixel p) { return p.g > 150 && p.r < 60; };
  for (VelCullMode cull : {VelCullMode::Back, VelCullMode::Front, VelCullMode::None}) {
    SCOPED_TRACE(int(cull));
    device.ClearBackBuffer(clear);
    device.ClearDepth(1.0f, 0);
    device.SetRasterizerState(device.CreateRasterizerState(cull, VelFillMode::Solid, true, false));
    shaders.BeginEffect();
    device.SetTexture(0, device.GetWhiteTexture().get());
    shaders.effectShader.cbPerObject.Data().g_mW = MatrixTranslation(-1.5f, 0, 0);
    shaders.effectShader.cbPerObject.Upload();
    device.DrawVertices(VelTopology::TriangleList, 3, clockwise, sizeof(VelEffectVertex));
    shaders.effectShader.cbPerObject.Data().g_mW = MatrixTranslation(1.5f, 0, 0);
    shaders.effectShader.cbPerObject.Upload();
    device.DrawVertices(VelTopology::TriangleList, 3, counterClockwise, sizeof(VelEffectVertex));
    Image image = Capture("RenderTest_Culling");
    EXPECT_EQ(isGreen(image.At(leftX, leftY)), cull != VelCullMode::Front) << "the clockwise triangle";
    EXPECT_EQ(isGreen(image.At(rightX, rightY)), cull != VelCullMode::Back) << "the counter-clockwise one";
  }
}
