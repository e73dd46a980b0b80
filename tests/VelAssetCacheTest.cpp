#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <filesystem>
#include <string>
#include <vector>

#include "framework/VelCollision.h"
#include "framework/VelFileSystem.h"
#include "framework/VelGraphicsDevice.h"
#include "framework/VelImageCache.h"
#include "framework/VelModel.h"
#include "framework/VelTexture.h"
#include "tests/GltfTestFiles.h"

using gltftest::GltfBuilder;
using gltftest::TempDir;
using nlohmann::json;

namespace {

class VelAssetCacheTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(VelGraphicsDevice::GetInstance().Init(nullptr, 1280, 720, false, error)) << error;
  }
  void TearDown() override { VelGraphicsDevice::GetInstance().Release(); }

  // A w x 1 image whose pixels count up, so sizes and contents tell files apart.
  static void WritePng(const std::string& path, int w) {
    std::vector<uint8_t> pixels(size_t(w) * 4);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = uint8_t(i * 13);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    ASSERT_TRUE(stbi_write_png(path.c_str(), w, 1, 4, pixels.data(), w * 4));
  }

  // The reads a call makes.
  template <typename F>
  static uint64_t ReadsOf(F&& f) {
    const uint64_t before = VelFileSystem::ReadCount();
    f();
    return VelFileSystem::ReadCount() - before;
  }

  TempDir dir;
};

TEST_F(VelAssetCacheTest, TextureDecodedOnceEachObjectItsOwn) {
  const std::string file = dir.File("tex.png");
  WritePng(file, 3);
  VelTexture a, b;
  EXPECT_EQ(ReadsOf([&] { EXPECT_TRUE(a.Load(file)); }), 1u);
  EXPECT_EQ(ReadsOf([&] { EXPECT_TRUE(b.Load(file)); }), 0u);
  EXPECT_EQ(b.GetWidth(), 3u);
  EXPECT_EQ(b.GetFileName(), file);
  // Separate GPU textures: releasing one leaves the other whole.
  EXPECT_NE(a.shaderResourceView, b.shaderResourceView);
  a.Release();
  EXPECT_TRUE(b.IsValid());

  // A changed file is read again.
  WritePng(file, 5);
  VelTexture c;
  EXPECT_EQ(ReadsOf([&] { EXPECT_TRUE(c.Load(file)); }), 1u);
  EXPECT_EQ(c.GetWidth(), 5u);
}

TEST_F(VelAssetCacheTest, FailingTexturesFailEveryTime) {
  const std::string missing = dir.File("missing.png");
  const std::string broken = dir.File("broken.png");
  gltftest::WriteText(broken, "not an image at all");
  for (int i = 0; i < 3; ++i) {
    VelTexture t;
    EXPECT_FALSE(t.Load(missing));
    EXPECT_FALSE(t.IsValid());
    // A broken file is read once and then known to be broken.
    EXPECT_EQ(ReadsOf([&] { EXPECT_FALSE(t.Load(broken)); }), i == 0 ? 1u : 0u);
  }
  // A file that appears later is found.
  WritePng(missing, 2);
  VelTexture t;
  EXPECT_TRUE(t.Load(missing));
}

// The bytes of a 2 x 1 PNG of the given RGBA pixels; empty if it could not be made.
std::vector<uint8_t> TwoPixelPng(const uint8_t (&pixels)[8]) {
  TempDir dir;
  std::vector<uint8_t> png;
  if (!stbi_write_png(dir.File("p.png").c_str(), 2, 1, 4, pixels, 8) ||
      !VelFileSystem::ReadWholeFile(dir.File("p.png"), &png, 1 << 20))
    png.clear();
  return png;
}

TEST(VelImageDecodeTest, OnlyWholePngFilesDecode) {
  const uint8_t pixels[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  const std::vector<uint8_t> png = TwoPixelPng(pixels);
  ASSERT_FALSE(png.empty());
  auto image = VelImageCache::Decode(png.data(), png.size());
  ASSERT_TRUE(image);
  EXPECT_EQ(image->pixels, std::vector<uint8_t>({1, 2, 3, 4, 5, 6, 7, 8}));
  // Found by fuzzing: an IDAT chunk stating a gigabyte made the decoder allocate it.
  std::vector<uint8_t> claims = png;
  const size_t idat = 8 + 25;
  ASSERT_EQ(std::string(claims.begin() + idat + 4, claims.begin() + idat + 8), "IDAT");
  claims[idat] = 0x40;
  EXPECT_FALSE(VelImageCache::Decode(claims.data(), claims.size()));
  // Cut before IEND, or not a PNG at all.
  EXPECT_FALSE(VelImageCache::Decode(png.data(), png.size() - 12));
  const uint8_t bmp[] = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_FALSE(VelImageCache::Decode(bmp, sizeof bmp));
}

TEST(VelImageDecodeTest, EmptyImageDataChunksChangeNothing) {
  const uint8_t pixels[8] = {9, 8, 7, 6, 5, 4, 3, 2};
  const std::vector<uint8_t> png = TwoPixelPng(pixels);
  ASSERT_FALSE(png.empty());
  // Found by fuzzing: an empty IDAT made the decoder copy from a null buffer.
  // One before the real image data and one after it.
  const size_t idat = 8 + 25;
  const uint8_t empty[12] = {0, 0, 0, 0, 'I', 'D', 'A', 'T', 0x35, 0xAF, 0x06, 0x1E};
  const size_t idatEnd = idat + 12 + ((size_t(png[idat + 2]) << 8) | png[idat + 3]);
  std::vector<uint8_t> padded(png.begin(), png.begin() + idat);
  padded.insert(padded.end(), empty, empty + 12);
  padded.insert(padded.end(), png.begin() + idat, png.begin() + idatEnd);
  padded.insert(padded.end(), empty, empty + 12);
  padded.insert(padded.end(), png.begin() + idatEnd, png.end());
  auto image = VelImageCache::Decode(padded.data(), padded.size());
  ASSERT_TRUE(image);
  EXPECT_EQ(image->pixels, std::vector<uint8_t>(pixels, pixels + 8));
}

TEST(VelImageDecodeTest, EveryGeneratedImageDecodes) {
  size_t count = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator("Data")) {
    if (entry.path().extension() != ".png") continue;
    ++count;
    EXPECT_TRUE(VelImageCache::GetInstance().Load(entry.path().string())) << entry.path();
  }
  EXPECT_GT(count, 30u);
}

class VelModelCacheTest : public VelAssetCacheTest {
 protected:
  // A model with an external buffer and a base-colour texture.
  std::string WriteModel(const std::string& name) {
    WritePng(dir.File("m/tex.png"), 2);
    GltfBuilder b;
    b.AddTriangleNode({-1, -1, 5, 1, -1, 5, 0, 1, 5}, {0, 1, 2});
    b.doc["images"] = json::array({{{"uri", "tex.png"}}});
    b.doc["textures"] = json::array({{{"source", 0}}});
    b.AddMaterial({{"pbrMetallicRoughness", {{"baseColorTexture", {{"index", 0}}}}}});
    return b.WriteGltfExternal(dir.File("m/" + name), name + ".bin");
  }
};

TEST_F(VelModelCacheTest, SecondLoadReadsNothingAndBuildsItsOwnModel) {
  const std::string file = WriteModel("a.gltf");
  VelModel first, second;
  EXPECT_GE(ReadsOf([&] { EXPECT_TRUE(first.Load(file)); }), 3u);
  testing::internal::CaptureStdout();
  EXPECT_EQ(ReadsOf([&] { EXPECT_TRUE(second.Load(file)); }), 0u);
  // It says what a fresh load says.
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Reading ASCII glTF\n");

  ASSERT_EQ(second.Nodes.size(), 1u);
  ASSERT_TRUE(second.Nodes[0].Mesh);
  EXPECT_NE(first.Nodes[0].Mesh, second.Nodes[0].Mesh);
  EXPECT_NE(first.Materials[0].BaseColorTexture, second.Materials[0].BaseColorTexture);
  EXPECT_TRUE(second.Materials[0].BaseColorSource.Loaded);
  // The ray hierarchy is built once for both.
  EXPECT_TRUE(first.Nodes[0].Mesh->Bvh);
  EXPECT_EQ(first.Nodes[0].Mesh->Bvh, second.Nodes[0].Mesh->Bvh);
  float distance = 0;
  float3 normal;
  EXPECT_TRUE(RayToModel(second, MatrixIdentity(), {0, 0, 0}, {0, 0, -1}, distance, normal));
  EXPECT_FLOAT_EQ(distance, 5);
}

TEST_F(VelModelCacheTest, ChangedExternalBufferIsReadAgain) {
  const std::string file = WriteModel("b.gltf");
  VelModel model;
  ASSERT_TRUE(model.Load(file));
  std::filesystem::resize_file(dir.File("m/b.gltf.bin"), 4);
  testing::internal::CaptureStdout();
  EXPECT_GE(ReadsOf([&] { EXPECT_FALSE(model.Load(file)); }), 2u);
  EXPECT_NE(testing::internal::GetCapturedStdout().find("Failed to parse glTF"), std::string::npos);
  EXPECT_TRUE(model.Nodes.empty());
}

TEST_F(VelModelCacheTest, FailingModelsFailEveryTime) {
  const std::string missing = dir.File("m/missing.gltf");
  const std::string broken = dir.File("m/broken.gltf");
  gltftest::WriteText(broken, "{ not json");
  for (int i = 0; i < 3; ++i) {
    VelModel model;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(model.Load(missing));
    EXPECT_EQ(ReadsOf([&] { EXPECT_FALSE(model.Load(broken)); }), i == 0 ? 1u : 0u);
    const std::string out = testing::internal::GetCapturedStdout();
    // Both report their failure each time.
    size_t failures = 0;
    for (size_t at = out.find("Failed to parse glTF"); at != std::string::npos;
         at = out.find("Failed to parse glTF", at + 1))
      ++failures;
    EXPECT_EQ(failures, 2u) << out;
    EXPECT_TRUE(model.Nodes.empty());
  }
  const std::string appears = WriteModel("missing.gltf");
  VelModel model;
  EXPECT_TRUE(model.Load(appears));
}

}  // namespace
