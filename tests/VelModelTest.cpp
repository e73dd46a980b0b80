#include <gtest/gtest.h>

#include <stb_image_write.h>

#include <filesystem>

#include "framework/VelGraphicsDevice.h"
#include "framework/VelModel.h"
#include "tests/GltfTestFiles.h"

using gltftest::GltfBuilder;
using gltftest::TempDir;
using nlohmann::json;

namespace {

class VelModelTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(VelGraphicsDevice::GetInstance().Init(nullptr, 1280, 720, false, error)) << error;
  }
  void TearDown() override { VelGraphicsDevice::GetInstance().Release(); }

  static void WritePng(const std::string& path) {
    const uint8_t pixels[4 * 4] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255};
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    ASSERT_TRUE(stbi_write_png(path.c_str(), 2, 2, 4, pixels, 8));
  }

  TempDir dir;
};

TEST_F(VelModelTest, MaterialTexturesLoadOrFallBackToWhite) {
  WritePng(dir.File("models/tex.png"));
  WritePng(dir.File("outside.png"));
  GltfBuilder b;
  b.AddTriangleNode({0, 0, 0, 1, 0, 0, 0, 1, 0}, {0, 1, 2});
  b.doc["images"] = json::array({{{"uri", "tex.png"}}, {{"uri", "missing.png"}}, {{"uri", "../outside.png"}}});
  b.doc["textures"] = json::array({{{"source", 0}}, {{"source", 1}}, {{"source", 2}}});
  b.AddMaterial({{"name", "a"},
                 {"pbrMetallicRoughness",
                  {{"baseColorTexture", {{"index", 0}}},
                   {"baseColorFactor", {0.5, 0.5, 0.5, 0.25}},
                   {"metallicRoughnessTexture", {{"index", 1}}},
                   {"metallicFactor", 0.2},
                   {"roughnessFactor", 0.7}}},
                 {"emissiveFactor", {0, 1, 0}},
                 {"normalTexture", {{"index", 0}}}});
  b.AddMaterial({{"name", "b"},
                 {"pbrMetallicRoughness", {{"baseColorTexture", {{"index", 2}}}}},
                 {"normalTexture", {{"index", 1}}}});
  VelModel model;
  ASSERT_TRUE(model.Load(b.WriteGltf(dir.File("models/m.gltf"))));
  const auto& white = VelGraphicsDevice::GetInstance().GetWhiteTexture();
  ASSERT_TRUE(white);
  ASSERT_EQ(model.Materials.size(), 2u);

  const VelModelMaterial& a = model.Materials[0];
  EXPECT_EQ(a.Name, "a");
  EXPECT_FLOAT_EQ(a.BaseColor.w, 0.25f);
  EXPECT_FLOAT_EQ(a.Metallic, 0.2f);
  EXPECT_FLOAT_EQ(a.Roughness, 0.7f);
  EXPECT_FLOAT_EQ(a.Emissive.y, 1);
  ASSERT_TRUE(a.BaseColorTexture);
  EXPECT_NE(a.BaseColorTexture, white);
  EXPECT_EQ(a.BaseColorTexture->GetWidth(), 2u);
  // Folder with its separator, then one more.
  EXPECT_EQ(a.BaseColorTexture->GetFileName(), dir.File("models") + "//tex.png");
  EXPECT_EQ(a.BaseColorSource.FileName, "tex.png");
  EXPECT_TRUE(a.BaseColorSource.Loaded);
  EXPECT_EQ(a.MetallicRoughnessTexture, white);
  EXPECT_EQ(a.MetallicRoughnessSource.FileName, "missing.png");
  EXPECT_FALSE(a.MetallicRoughnessSource.Loaded);
  EXPECT_EQ(a.EmissiveTexture, white);
  EXPECT_EQ(a.EmissiveSource.FileName, "");
  ASSERT_TRUE(a.NormalTexture);
  EXPECT_TRUE(a.NormalTexture->IsValid());

  // A texture outside the model's folder is not read, even though it exists.
  const VelModelMaterial& m = model.Materials[1];
  EXPECT_EQ(m.BaseColorTexture, white);
  EXPECT_FALSE(m.BaseColorSource.Loaded);
  ASSERT_TRUE(m.NormalTexture);
  EXPECT_FALSE(m.NormalTexture->IsValid());
}

TEST_F(VelModelTest, FreshMaterialDefaults) {
  VelModelMaterial m;
  EXPECT_EQ(m.BaseColorTexture, VelGraphicsDevice::GetInstance().GetWhiteTexture());
  EXPECT_EQ(m.MetallicRoughnessTexture, m.BaseColorTexture);
  EXPECT_EQ(m.EmissiveTexture, m.BaseColorTexture);
  EXPECT_FALSE(m.NormalTexture);
  EXPECT_FLOAT_EQ(m.BaseColor.x, 1);
  EXPECT_FLOAT_EQ(m.Metallic, 0);
  EXPECT_FLOAT_EQ(m.Roughness, 1);
}

TEST_F(VelModelTest, NodesMeshesAndRoots) {
  GltfBuilder b;
  int child = b.AddNode({{"name", "empty"}, {"translation", {0, 0, 5}}}, false);
  b.AddTriangleNode({0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 1, 0}, {0, 1, 2, 2, 1, 3},
                    {{"name", "body"}, {"children", {child}}});
  VelModel model;
  ASSERT_TRUE(model.Load(b.WriteGltf(dir.File("n.gltf"))));
  ASSERT_EQ(model.Nodes.size(), 2u);
  EXPECT_EQ(model.Nodes[0].Name, "empty");
  EXPECT_FALSE(model.Nodes[0].Mesh);
  EXPECT_EQ(model.Nodes[0].Transform.Translation(), (float3{0, 0, -5}));
  const VelModelNode& body = model.Nodes[1];
  EXPECT_EQ(body.NodeIndex, 1);
  ASSERT_TRUE(body.Mesh);
  EXPECT_EQ(body.Mesh->Positions.size(), 4u);
  EXPECT_EQ(body.Mesh->Faces.size(), 2u);
  EXPECT_EQ(body.Mesh->Faces[1].indices[1], 3u);
  ASSERT_EQ(body.Mesh->Subsets.size(), 1u);
  EXPECT_TRUE(body.Mesh->vertexBuffer.IsValid());
  EXPECT_EQ(body.Mesh->vertexBuffer.GetCapacity(), 4u * 36u);
  EXPECT_EQ(body.Mesh->indexBuffer.GetCapacity(), 2u * 12u);
  ASSERT_EQ(model.RootNodes.size(), 1u);
  EXPECT_EQ(model.RootNodes[0].Name, "body");
  EXPECT_EQ(model.RootNodes[0].Mesh, body.Mesh);
  ASSERT_EQ(model.Materials.size(), 1u);

  // A failed load leaves the model empty, whatever it held.
  EXPECT_FALSE(model.Load(dir.File("missing.gltf")));
  EXPECT_TRUE(model.Nodes.empty());
  EXPECT_TRUE(model.RootNodes.empty());
  EXPECT_TRUE(model.Materials.empty());
}

TEST_F(VelModelTest, MeshDrawsItsSubsets) {
  VelGraphicsDevice& device = VelGraphicsDevice::GetInstance();
  std::vector<VelModelVertex> vertices(4);
  std::vector<VelFace> faces = {VelFace{{0, 1, 2}}, VelFace{{2, 1, 3}}, VelFace{{0, 2, 3}}};
  VelMesh mesh;
  ASSERT_TRUE(mesh.Create(vertices, faces, {{0, 0, 1}, {1, 1, 2}, {2, 3, 0}, {3, 2, 5}}));
  mesh.SetToDevice();
  EXPECT_EQ(device.GetState().vertexStride, 36u);
  EXPECT_EQ(device.GetState().vertexBuffer, mesh.vertexBuffer.GetBuffer());
  EXPECT_EQ(device.GetState().indexBuffer, mesh.indexBuffer.GetBuffer());
  EXPECT_EQ(device.GetState().topology, VelTopology::TriangleList);

  device.ClearDrawRecords();
  for (size_t i = 0; i < 5; ++i) mesh.DrawSubset(i);
  const auto& records = device.GetDrawRecords();
  // The empty subset, the one past the faces and the index past the list draw nothing.
  ASSERT_EQ(records.size(), 2u);
  EXPECT_TRUE(records[0].indexed);
  EXPECT_EQ(records[0].count, 3u);
  EXPECT_EQ(records[0].start, 0u);
  EXPECT_EQ(records[1].count, 6u);
  EXPECT_EQ(records[1].start, 3u);

  // Create replaces everything; no vertices, no buffers.
  ASSERT_TRUE(mesh.Create({}, {}, {}));
  EXPECT_FALSE(mesh.vertexBuffer.IsValid());
  EXPECT_FALSE(mesh.indexBuffer.IsValid());
  EXPECT_TRUE(mesh.Positions.empty());
  EXPECT_TRUE(mesh.Faces.empty());
}

}  // namespace
