// The whole generated pack through the game's own loaders: models with the glTF
// loader and the model component, images with the texture loader, sounds with
// the wave loader behind the sound effects.

#include <gtest/gtest.h>
#include <stb_image.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "framework/VelGraphicsDevice.h"
#include "framework/VelLoadGLTFModel.h"
#include "framework/VelModel.h"
#include "framework/VelTexture.h"
#include "framework/audio/WaveData.h"

namespace {

namespace fs = std::filesystem;

const fs::path kData = fs::path(HALVANE_BUILD_DIR) / "Data";

std::vector<fs::path> FilesEndingWith(const std::string& extension) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(kData))
    if (entry.is_regular_file() && entry.path().extension() == extension) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

// The lines of captured standard output that report a problem.
std::vector<std::string> ProblemLines(const std::string& output) {
  std::vector<std::string> problems;
  std::istringstream lines(output);
  for (std::string line; std::getline(lines, line);)
    if (line.rfind("Warn:", 0) == 0 || line.rfind("Err:", 0) == 0 || line.rfind("Failed", 0) == 0)
      problems.push_back(line);
  return problems;
}

class AssetLoadTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(VelGraphicsDevice::GetInstance().Init(nullptr, 1280, 720, false, error)) << error;
  }
  void TearDown() override { VelGraphicsDevice::GetInstance().Release(); }
};

TEST_F(AssetLoadTest, EveryModelLoadsWithoutWarningsAndFindsItsTextures) {
  std::vector<fs::path> files = FilesEndingWith(".gltf");
  ASSERT_GE(files.size(), 20u);
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.string());
    testing::internal::CaptureStdout();
    std::shared_ptr<VelGLTFModel> gltf = VelLoadGLTFModel(file.string());
    VelModel model;
    bool loaded = model.Load(file.string());
    std::string output = testing::internal::GetCapturedStdout();
    ASSERT_TRUE(gltf);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(ProblemLines(output), std::vector<std::string>{}) << output;
    ASSERT_FALSE(model.Nodes.empty());
    for (const VelModelNode& node : model.Nodes) {
      ASSERT_TRUE(node.Mesh) << node.Name;
      EXPECT_FALSE(node.Mesh->Faces.empty()) << node.Name;
      for (const VelSubset& subset : node.Mesh->Subsets) EXPECT_LT(subset.material, model.Materials.size());
    }
    for (const VelModelMaterial& m : model.Materials) {
      for (const VelTextureSource* source :
           {&m.BaseColorSource, &m.EmissiveSource, &m.MetallicRoughnessSource}) {
        if (!source->FileName.empty()) {
          EXPECT_TRUE(source->Loaded) << m.Name << ": " << source->FileName;
        }
      }
    }
  }
}

TEST_F(AssetLoadTest, EveryImageLoadsAsATextureOfItsOwnSize) {
  std::vector<fs::path> files = FilesEndingWith(".png");
  ASSERT_GE(files.size(), 60u);
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.string());
    int w = 0, h = 0, channels = 0;
    ASSERT_TRUE(stbi_info(file.string().c_str(), &w, &h, &channels));
    VelTexture texture;
    ASSERT_TRUE(texture.Load(file.string()));
    EXPECT_TRUE(texture.IsValid());
    EXPECT_EQ(texture.GetWidth(), uint32_t(w));
    EXPECT_EQ(texture.GetHeight(), uint32_t(h));
  }
}

// The byte count of the file's data chunk, or 0 when there is none.
uint32_t DataChunkBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  for (size_t at = 12; at + 8 <= b.size();) {
    uint32_t size = b[at + 4] | b[at + 5] << 8 | b[at + 6] << 16 | uint32_t(b[at + 7]) << 24;
    if (std::equal(b.begin() + at, b.begin() + at + 4, "data")) return size;
    at += 8 + size + (size & 1);
  }
  return 0;
}

TEST(AssetSoundLoadTest, EverySoundLoadsAsMonoSixteenBit) {
  std::vector<fs::path> files = FilesEndingWith(".wav");
  ASSERT_EQ(files.size(), 38u);
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.string());
    std::string error;
    std::shared_ptr<const WaveData> wave = WaveData::Load(file.string(), &error);
    ASSERT_TRUE(wave) << error;
    EXPECT_EQ(wave->channels, 1);
    EXPECT_TRUE(wave->sampleRate == 44100 || wave->sampleRate == 22050) << wave->sampleRate;
    // Two bytes per stored frame: the file itself holds 16-bit samples.
    EXPECT_EQ(size_t(DataChunkBytes(file)), wave->samples.size() * 2);
    EXPECT_GT(wave->DurationMilliseconds(), 40u);
  }
}

}  // namespace
