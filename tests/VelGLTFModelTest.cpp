#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "framework/VelLoadGLTFModel.h"
#include "tests/GltfTestFiles.h"

using gltftest::GltfBuilder;
using gltftest::TempDir;
using nlohmann::json;

namespace {

const std::vector<float> kTriangle = {0, 0, 0, 1, 0, 0, 0, 1, 0};

struct LoadResult {
  std::shared_ptr<VelGLTFModel> model;
  std::string out;
};

LoadResult LoadCapturing(const std::string& file) {
  testing::internal::CaptureStdout();
  LoadResult r;
  r.model = VelLoadGLTFModel(file);
  std::fflush(stdout);
  r.out = testing::internal::GetCapturedStdout();
  return r;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(VelGLTFModelTest, ExtensionDecidesTheReaderCaseSensitively) {
  TempDir dir;
  GltfBuilder b;
  b.AddTriangleNode(kTriangle, {0, 1, 2});
  b.WriteGlb(dir.File("m.glb"));
  b.WriteGlb(dir.File("m.GLB"));
  b.WriteGltf(dir.File("j.GLB"));

  LoadResult glb = LoadCapturing(dir.File("m.glb"));
  ASSERT_TRUE(glb.model);
  EXPECT_EQ(glb.out, "Reading binary glTF\n");
  ASSERT_EQ(glb.model->Nodes.size(), 1u);
  EXPECT_EQ(glb.model->Nodes[0]->Faces.size(), 1u);

  // Upper case is not "glb": binary data read as JSON fails.
  LoadResult upper = LoadCapturing(dir.File("m.GLB"));
  EXPECT_FALSE(upper.model);
  EXPECT_EQ(upper.out.rfind("Reading ASCII glTF\n", 0), 0u);
  EXPECT_TRUE(Contains(upper.out, "Err: "));
  EXPECT_TRUE(Contains(upper.out, "Failed to parse glTF\n"));

  LoadResult json = LoadCapturing(dir.File("j.GLB"));
  ASSERT_TRUE(json.model);
  EXPECT_EQ(json.out, "Reading ASCII glTF\n");
}

TEST(VelGLTFModelTest, MissingFileFailsWithTheErrorLines) {
  TempDir dir;
  LoadResult r = LoadCapturing(dir.File("none.gltf"));
  EXPECT_FALSE(r.model);
  EXPECT_EQ(r.out.rfind("Reading ASCII glTF\nErr: ", 0), 0u);
  EXPECT_TRUE(Contains(r.out, "none.gltf"));
  EXPECT_EQ(r.out.substr(r.out.size() - 21), "Failed to parse glTF\n");
}

TEST(VelGLTFModelTest, LibraryWarningsArePrinted) {
  TempDir dir;
  GltfBuilder b;
  b.AddTriangleNode(kTriangle, {0, 1, 2});
  b.doc["images"] = json::array({{{"uri", "missing.png"}}});
  LoadResult r = LoadCapturing(b.WriteGltf(dir.File("w.gltf")));
  ASSERT_TRUE(r.model);
  EXPECT_EQ(r.out.rfind("Reading ASCII glTF\nWarn: ", 0), 0u);
  EXPECT_TRUE(Contains(r.out, "missing.png"));
}

TEST(VelGLTFModelTest, MaterialsAndTheirDefaults) {
  TempDir dir;
  GltfBuilder b;
  b.AddTriangleNode(kTriangle, {0, 1, 2});
  b.doc["images"] = json::array({{{"uri", "base.png"}},
                                 {{"uri", "mr.png"}},
                                 {{"uri", "em.png"}},
                                 {{"uri", "n.png"}},
                                 {{"uri", "occ.png"}}});
  b.doc["textures"] = json::array(
      {{{"source", 0}}, {{"source", 1}}, {{"source", 2}}, {{"source", 3}}, {{"source", 4}}, json::object()});
  b.AddMaterial({{"name", "full"},
                 {"alphaMode", "BLEND"},
                 {"alphaCutoff", 0.25},
                 {"doubleSided", true},
                 {"pbrMetallicRoughness",
                  {{"baseColorTexture", {{"index", 0}}},
                   {"baseColorFactor", {0.5, 0.25, 1, 0.75}},
                   {"metallicRoughnessTexture", {{"index", 1}}},
                   {"metallicFactor", 0.3},
                   {"roughnessFactor", 0.6}}},
                 {"emissiveTexture", {{"index", 2}}},
                 {"emissiveFactor", {1, 0.5, 0}},
                 {"normalTexture", {{"index", 3}}},
                 {"occlusionTexture", {{"index", 4}}}});
  // A texture without a source names no file.
  b.AddMaterial({{"name", "plain"}, {"pbrMetallicRoughness", {{"baseColorTexture", {{"index", 5}}}}}});
  auto model = VelLoadGLTFModel(b.WriteGltf(dir.File("mat.gltf")));
  ASSERT_TRUE(model);
  ASSERT_EQ(model->Materials.size(), 2u);

  const VelGLTFMaterial& m = model->Materials[0];
  EXPECT_EQ(m.Name, "full");
  EXPECT_EQ(m.AlphaMode, "BLEND");
  EXPECT_FLOAT_EQ(m.AlphaCutoff, 0.25f);
  EXPECT_TRUE(m.DoubleSided);
  EXPECT_EQ(m.BaseColorTexture, "base.png");
  EXPECT_EQ(m.MetallicRoughnessTexture, "mr.png");
  EXPECT_EQ(m.EmissiveTexture, "em.png");
  EXPECT_EQ(m.NormalTexture, "n.png");
  EXPECT_EQ(m.OcclusionTexture, "occ.png");
  EXPECT_FLOAT_EQ(m.BaseColorFactor.y, 0.25f);
  EXPECT_FLOAT_EQ(m.BaseColorFactor.w, 0.75f);
  EXPECT_FLOAT_EQ(m.EmissiveFactor.y, 0.5f);
  EXPECT_FLOAT_EQ(m.MetallicFactor, 0.3f);
  EXPECT_FLOAT_EQ(m.RoughnessFactor, 0.6f);

  const VelGLTFMaterial& p = model->Materials[1];
  EXPECT_EQ(p.Name, "plain");
  EXPECT_EQ(p.AlphaMode, "OPAQUE");
  EXPECT_EQ(p.BaseColorTexture, "");
  EXPECT_EQ(p.NormalTexture, "");
  EXPECT_FLOAT_EQ(p.BaseColorFactor.x, 1);
  EXPECT_FLOAT_EQ(p.BaseColorFactor.w, 1);
  EXPECT_FLOAT_EQ(p.EmissiveFactor.x, 0);
  EXPECT_FLOAT_EQ(p.MetallicFactor, 1);
  EXPECT_FLOAT_EQ(p.RoughnessFactor, 1);
}

TEST(VelGLTFModelTest, FileWithoutMaterialsGetsOneDefault) {
  TempDir dir;
  GltfBuilder b;
  b.AddTriangleNode(kTriangle, {0, 1, 2});
  auto model = VelLoadGLTFModel(b.WriteGltf(dir.File("nomat.gltf")));
  ASSERT_TRUE(model);
  ASSERT_EQ(model->Materials.size(), 1u);
  EXPECT_EQ(model->Materials[0].Name, "");
  EXPECT_FLOAT_EQ(model->Materials[0].BaseColorFactor.w, 1);
  EXPECT_FLOAT_EQ(model->Materials[0].EmissiveFactor.z, 0);
}

TEST(VelGLTFModelTest, TrianglesAreMirroredInZAndRewound) {
  TempDir dir;
  GltfBuilder b;
  int pos = b.AddVec3({1, 2, 3, 4, 5, 6, 7, 8, 9});
  int nrm = b.AddVec3({0, 0, 1, 0, 1, 0, 1, 0, 0});
  int idx = b.AddIndices({0, 1, 2});
  json prim = b.Primitive(pos, idx);
  prim["attributes"]["NORMAL"] = nrm;
  b.AddNode({{"mesh", b.AddMesh({prim})}});
  auto model = VelLoadGLTFModel(b.WriteGltf(dir.File("tri.gltf")));
  ASSERT_TRUE(model);
  const VelGLTFNode& n = *model->Nodes[0];
  ASSERT_EQ(n.Vertices.size(), 3u);
  EXPECT_EQ(n.Vertices[0].position, (float3{1, 2, -3}));
  EXPECT_EQ(n.Vertices[2].position, (float3{7, 8, -9}));
  EXPECT_EQ(n.Vertices[0].normal, (float3{0, 0, -1}));
  EXPECT_EQ(n.Vertices[1].normal, (float3{0, 1, 0}));
  EXPECT_EQ(n.Vertices[0].color, 0xFFFFFFFFu);
  EXPECT_EQ(n.Vertices[0].uv.x, 0);
  ASSERT_EQ(n.Faces.size(), 1u);
  EXPECT_EQ(n.Faces[0].indices[0], 0u);
  EXPECT_EQ(n.Faces[0].indices[1], 2u);
  EXPECT_EQ(n.Faces[0].indices[2], 1u);
  ASSERT_EQ(n.Subsets.size(), 1u);
  EXPECT_EQ(n.Subsets[0].material, 0u);
  EXPECT_EQ(n.Subsets[0].faceCount, 1u);
}

// Khronos' TriangleWithoutIndices sample: one triangle of three float3
// positions in an embedded buffer, no indices.
const char* const kTriangleWithoutIndices = R"({
  "scene": 0,
  "scenes": [{"nodes": [0]}],
  "nodes": [{"mesh": 0}],
  "meshes": [{"primitives": [{"attributes": {"POSITION": 0}}]}],
  "buffers": [{"uri": "data:application/octet-stream;base64,AAAAAAAAAAAAAAAAAACAPwAAAAAAAAAAAAAAAAAAgD8AAAAA",
               "byteLength": 36}],
  "bufferViews": [{"buffer": 0, "byteOffset": 0, "byteLength": 36, "target": 34962}],
  "accessors": [{"bufferView": 0, "byteOffset": 0, "componentType": 5126, "count": 3, "type": "VEC3",
                 "max": [1.0, 1.0, 0.0], "min": [0.0, 0.0, 0.0]}],
  "asset": {"version": "2.0"}
})";

TEST(VelGLTFModelTest, PrimitivesWithoutIndicesTakeTheirVerticesThreeToATriangle) {
  TempDir dir;
  const std::string sample = dir.File("TriangleWithoutIndices.gltf");
  gltftest::WriteText(sample, kTriangleWithoutIndices);
  auto model = VelLoadGLTFModel(sample);
  ASSERT_TRUE(model);
  const VelGLTFNode& triangle = *model->Nodes[0];
  ASSERT_EQ(triangle.Vertices.size(), 3u);
  EXPECT_EQ(triangle.Vertices[1].position, (float3{1, 0, 0}));
  ASSERT_EQ(triangle.Faces.size(), 1u);
  EXPECT_EQ(triangle.Faces[0].indices[0], 0u);
  EXPECT_EQ(triangle.Faces[0].indices[1], 2u);
  EXPECT_EQ(triangle.Faces[0].indices[2], 1u);
  ASSERT_EQ(triangle.Subsets.size(), 1u);
  EXPECT_EQ(triangle.Subsets[0].faceCount, 1u);

  // Seven vertices: two triangles, the seventh vertex is kept but in no face.
  // Beside an indexed primitive, its faces are offset like any other's.
  GltfBuilder b;
  int seven = b.AddVec3({0, 0, 0, 1, 0, 0, 0, 1, 0, 2, 0, 0, 3, 0, 0, 2, 1, 0, 9, 9, 9});
  json unindexed = b.Primitive(seven, -1, 1);
  unindexed.erase("indices");
  b.AddNode({{"mesh", b.AddMesh({unindexed, b.Primitive(b.AddVec3(kTriangle), b.AddIndices({0, 1, 2}))})}});
  b.AddMaterial(json::object());
  b.AddMaterial(json::object());
  auto both = VelLoadGLTFModel(b.WriteGltf(dir.File("both.gltf")));
  ASSERT_TRUE(both);
  const VelGLTFNode& n = *both->Nodes[0];
  EXPECT_EQ(n.Vertices.size(), 10u);
  ASSERT_EQ(n.Faces.size(), 3u);
  ASSERT_EQ(n.Subsets.size(), 2u);
  EXPECT_EQ(n.Subsets[1].material, 1u);
  EXPECT_EQ(n.Subsets[1].faceCount, 2u);
  auto face = [&n](size_t k) {
    return std::vector<uint32_t>(std::begin(n.Faces[k].indices), std::end(n.Faces[k].indices));
  };
  EXPECT_EQ(face(1), (std::vector<uint32_t>{3, 5, 4}));
  EXPECT_EQ(face(2), (std::vector<uint32_t>{6, 8, 7}));
}

TEST(VelGLTFModelTest, PrimitivesSortByMaterialIntoSubsets) {
  TempDir dir;
  GltfBuilder b;
  for (int i = 0; i < 3; ++i) b.AddMaterial({{"name", "m" + std::to_string(i)}});
  // Material 2 first in the file: two faces; material 1: one face.
  int pos2 = b.AddVec3({0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 1, 0});
  int idx2 = b.AddIndices({0, 1, 2, 1, 3, 2});
  int pos1 = b.AddVec3({5, 0, 0, 6, 0, 0, 5, 1, 0});
  int idx1 = b.AddIndices({0, 1, 2});
  // Material 0 and absent both mean 0.
  int pos0 = b.AddVec3(kTriangle);
  int idx0 = b.AddIndices({0, 1, 2});
  b.AddNode({{"mesh", b.AddMesh({b.Primitive(pos2, idx2, 2), b.Primitive(pos1, idx1, 1),
                                 b.Primitive(pos0, idx0, 0), b.Primitive(pos0, idx0)})}});
  auto model = VelLoadGLTFModel(b.WriteGltf(dir.File("sort.gltf")));
  ASSERT_TRUE(model);
  const VelGLTFNode& n = *model->Nodes[0];
  ASSERT_EQ(n.Subsets.size(), 4u);
  EXPECT_EQ(n.Subsets[0].material, 0u);
  EXPECT_EQ(n.Subsets[1].material, 0u);
  EXPECT_EQ(n.Subsets[2].material, 1u);
  EXPECT_EQ(n.Subsets[2].faceStart, 2u);
  EXPECT_EQ(n.Subsets[2].faceCount, 1u);
  EXPECT_EQ(n.Subsets[3].material, 2u);
  EXPECT_EQ(n.Subsets[3].faceStart, 3u);
  EXPECT_EQ(n.Subsets[3].faceCount, 2u);
  ASSERT_EQ(n.Vertices.size(), 13u);
  // The material-1 vertices follow the six of material 0, and its face indices with them.
  EXPECT_EQ(n.Vertices[6].position, (float3{5, 0, 0}));
  EXPECT_EQ(n.Faces[2].indices[0], 6u);
  EXPECT_EQ(n.Faces[2].indices[1], 8u);
  EXPECT_EQ(n.Faces[3].indices[0], 9u);
  EXPECT_EQ(n.Faces[4].indices[1], 11u);
  EXPECT_EQ(n.Faces[4].indices[2], 12u);
}

TEST(VelGLTFModelTest, NodeTransformsAreMirroredAndComposed) {
  TempDir dir;
  GltfBuilder b;
  int child = b.AddNode({{"name", "child"}, {"translation", {1, 0, 0}}}, false);
  b.AddNode({{"name", "root"}, {"translation", {0, 0, 5}}, {"children", {child}}});
  // A quarter turn about +y (glTF, right-handed) and a matrix that replaces the scale.
  const float h = std::sqrt(0.5f);
  b.AddNode({{"name", "turn"}, {"rotation", {0, h, 0, h}}, {"scale", {2, 2, 2}}});
  b.AddNode({{"name", "matrix"},
             {"matrix", {3, 0, 0, 0, 0, 3, 0, 0, 0, 0, 3, 0, 1, 2, 3, 1}},
             {"scale", {7, 7, 7}}});
  auto model = VelLoadGLTFModel(b.WriteGltf(dir.File("xf.gltf")));
  ASSERT_TRUE(model);
  ASSERT_EQ(model->Nodes.size(), 4u);
  const VelGLTFNode& c = *model->Nodes[0];
  const VelGLTFNode& r = *model->Nodes[1];
  EXPECT_EQ(r.Name, "root");
  EXPECT_EQ(r.NodeIndex, 1);
  EXPECT_FALSE(r.HasMesh);
  EXPECT_EQ(r.LocalTransform.Translation(), (float3{0, 0, -5}));
  ASSERT_EQ(r.Children.size(), 1u);
  EXPECT_EQ(r.Children[0].get(), &c);
  EXPECT_EQ(c.WorldTransform.Translation(), (float3{1, 0, -5}));

  ASSERT_EQ(model->RootNodes.size(), 3u);
  EXPECT_EQ(model->RootNodes[0].get(), &r);

  // glTF's +90 degrees about y takes +z to +x; mirrored, -z (the file's +z) goes to +x.
  const VelGLTFNode& t = *model->Nodes[2];
  float3 p = TransformCoord({0, 0, -1}, t.LocalTransform);
  EXPECT_NEAR(p.x, 2, 1e-5f);
  EXPECT_NEAR(p.z, 0, 1e-5f);

  const VelGLTFNode& m = *model->Nodes[3];
  EXPECT_EQ(m.LocalTransform.m[0][0], 3);
  EXPECT_EQ(m.LocalTransform.Translation(), (float3{1, 2, -3}));
}

TEST(VelGLTFModelTest, VertexAttributesByComponentType) {
  TempDir dir;
  GltfBuilder b;
  int pos = b.AddVec3({0, 0, 0, 1, 0, 0, 0, 1, 0});
  int color3 = b.AddVec3({2, 0.5f, -1, 0, 0, 0, std::nanf(""), 1, 1});
  std::vector<uint8_t> ubyteUv = {255, 0, 51, 102, 0, 255, 0};
  int uvView = b.AddView(ubyteUv.data(), 6);
  int uvU8 = b.AddAccessor(uvView, gltftest::kUnsignedByte, 3, "VEC2");
  std::vector<int16_t> shortUv = {-32768, 32767, 0, 16384, 1, 2};
  int uvS16 = b.AddData(shortUv, gltftest::kShort, "VEC2", 2);
  std::vector<float> rgba = {0.5f, 1, 0, 0.5f, 1, 1, 1, 1, 0, 0, 0, 0};
  int color4 = b.AddData(rgba, gltftest::kFloat, "VEC4", 4);
  std::vector<uint16_t> idx16 = {0, 1, 2};
  int i16 = b.AddData(idx16, gltftest::kUnsignedShort, "SCALAR", 1);
  std::vector<uint8_t> idx8 = {0, 1, 2, 0};
  int i8view = b.AddView(idx8.data(), 3);
  int i8 = b.AddAccessor(i8view, gltftest::kUnsignedByte, 3, "SCALAR");

  json a = b.Primitive(pos, i16);
  a["attributes"]["COLOR_0"] = color3;
  a["attributes"]["TEXCOORD_0"] = uvU8;
  json c = b.Primitive(pos, i8);
  c["attributes"]["COLOR_0"] = color4;
  c["attributes"]["TEXCOORD_0"] = uvS16;
  b.AddNode({{"mesh", b.AddMesh({a})}});
  b.AddNode({{"mesh", b.AddMesh({c})}});
  auto model = VelLoadGLTFModel(b.WriteGltf(dir.File("attr.gltf")));
  ASSERT_TRUE(model);

  const VelGLTFNode& n0 = *model->Nodes[0];
  // (2, 0.5, -1) clamps to red 255, green 127, blue 0, alpha 255.
  EXPECT_EQ(n0.Vertices[0].color, 0xFF007FFFu);
  EXPECT_EQ(n0.Vertices[1].color, 0xFF000000u);
  // A NaN channel packs as 0.
  EXPECT_EQ(n0.Vertices[2].color, 0xFFFFFF00u);
  EXPECT_FLOAT_EQ(n0.Vertices[0].uv.x, 1);
  EXPECT_FLOAT_EQ(n0.Vertices[0].uv.y, 0);
  EXPECT_FLOAT_EQ(n0.Vertices[1].uv.x, 0.2f);
  EXPECT_FLOAT_EQ(n0.Vertices[2].uv.y, 1);
  EXPECT_EQ(n0.Faces[0].indices[1], 2u);

  const VelGLTFNode& n1 = *model->Nodes[1];
  EXPECT_EQ(n1.Vertices[0].color, 0x7F00FF7Fu);
  EXPECT_FLOAT_EQ(n1.Vertices[0].uv.x, -1);
  EXPECT_FLOAT_EQ(n1.Vertices[0].uv.y, 1);
  EXPECT_NEAR(n1.Vertices[1].uv.y, 0.5f, 1e-4f);
  EXPECT_EQ(n1.Faces[0].indices[2], 1u);
}

TEST(VelGLTFModelTest, InterleavedAttributesHonourTheByteStride) {
  TempDir dir;
  GltfBuilder b;
  // position, normal per vertex: 24 bytes.
  std::vector<float> data = {0, 0, 1, 0, 0, 1, 1, 0, 2, 0, 1, 0, 0, 1, 3, 1, 0, 0};
  int view = b.AddView(data.data(), data.size() * 4, 24);
  int pos = b.AddAccessor(view, gltftest::kFloat, 3, "VEC3");
  int nrm = b.AddAccessor(view, gltftest::kFloat, 3, "VEC3", 12);
  int idx = b.AddIndices({0, 1, 2});
  json prim = b.Primitive(pos, idx);
  prim["attributes"]["NORMAL"] = nrm;
  b.AddNode({{"mesh", b.AddMesh({prim})}});
  auto model = VelLoadGLTFModel(b.WriteGltf(dir.File("stride.gltf")));
  ASSERT_TRUE(model);
  const VelGLTFNode& n = *model->Nodes[0];
  ASSERT_EQ(n.Vertices.size(), 3u);
  EXPECT_EQ(n.Vertices[1].position, (float3{1, 0, -2}));
  EXPECT_EQ(n.Vertices[2].position, (float3{0, 1, -3}));
  EXPECT_EQ(n.Vertices[1].normal, (float3{0, 1, 0}));
  EXPECT_EQ(n.Vertices[2].normal, (float3{1, 0, 0}));
}

TEST(VelGLTFModelTest, OnlyTrianglePrimitivesBecomeGeometry) {
  TempDir dir;
  GltfBuilder b;
  int pos = b.AddVec3(kTriangle);
  int idx = b.AddIndices({0, 1, 2});
  json lines = b.Primitive(pos, idx);
  lines["mode"] = 1;
  b.AddNode({{"mesh", b.AddMesh({lines})}});
  auto model = VelLoadGLTFModel(b.WriteGltf(dir.File("lines.gltf")));
  ASSERT_TRUE(model);
  EXPECT_TRUE(model->Nodes[0]->HasMesh);
  EXPECT_TRUE(model->Nodes[0]->Vertices.empty());
  EXPECT_TRUE(model->Nodes[0]->Subsets.empty());
}

TEST(VelGLTFModelTest, FileWithoutScenesHasNoRoots) {
  TempDir dir;
  GltfBuilder b;
  b.AddTriangleNode(kTriangle, {0, 1, 2});
  b.doc.erase("scenes");
  b.doc.erase("scene");
  auto model = VelLoadGLTFModel(b.WriteGltf(dir.File("noscene.gltf")));
  ASSERT_TRUE(model);
  EXPECT_EQ(model->Nodes.size(), 1u);
  EXPECT_TRUE(model->RootNodes.empty());
}

TEST(VelGLTFModelTest, ExternalBufferBesideTheFileLoads) {
  TempDir dir;
  GltfBuilder b;
  b.AddTriangleNode(kTriangle, {0, 1, 2});
  auto model = VelLoadGLTFModel(b.WriteGltfExternal(dir.File("sub/ext.gltf"), "data/ext.bin"));
  ASSERT_TRUE(model);
  EXPECT_EQ(model->Nodes[0]->Faces.size(), 1u);
}

// Broken and hostile files: never a crash, never a read past a buffer.

TEST(VelGLTFModelTest, BrokenPrimitivesAreSkipped) {
  TempDir dir;
  GltfBuilder b;
  int good = b.AddVec3(kTriangle);
  int idx = b.AddIndices({0, 1, 2});
  int bigIdx = b.AddIndices({0, 1, 3});
  // An accessor reaching past its view, one whose view lies past the buffer.
  int view = b.AddView(kTriangle.data(), 36);
  int past = b.AddAccessor(view, gltftest::kFloat, 3, "VEC3", 4);
  b.doc["bufferViews"].push_back({{"buffer", 0}, {"byteOffset", 0}, {"byteLength", 100000}});
  int hugeView = b.AddAccessor(int(b.doc["bufferViews"].size()) - 1, gltftest::kFloat, 3, "VEC3");
  b.doc["bufferViews"].push_back({{"buffer", 7}, {"byteLength", 36}});
  int noBuffer = b.AddAccessor(int(b.doc["bufferViews"].size()) - 1, gltftest::kFloat, 3, "VEC3");
  std::vector<uint16_t> shorts = {0, 0, 0, 0, 0, 0, 0, 0, 0};
  int notFloat = b.AddData(shorts, gltftest::kUnsignedShort, "VEC3", 3);
  int vec2 = b.AddVec2({0, 0, 1, 0, 0, 1});
  int shortNormals = b.AddVec3({0, 0, 1});
  int huge = b.AddAccessor(view, gltftest::kFloat, size_t(1) << 62, "VEC3");

  json badIndices = b.Primitive(good, idx);
  badIndices["indices"] = good;  // not scalar
  json noPosition = b.Primitive(good, idx);
  noPosition["attributes"].erase("POSITION");
  noPosition["attributes"]["NORMAL"] = good;
  json fewNormals = b.Primitive(good, idx);
  fewNormals["attributes"]["NORMAL"] = shortNormals;
  b.AddNode(
      {{"mesh", b.AddMesh({b.Primitive(good, bigIdx), b.Primitive(past, idx), b.Primitive(hugeView, idx),
                           b.Primitive(noBuffer, idx), b.Primitive(notFloat, idx), b.Primitive(vec2, idx),
                           b.Primitive(huge, idx), b.Primitive(good, huge), badIndices, noPosition, fewNormals,
                           b.Primitive(good, idx, 1)})}});
  b.AddMaterial(json::object());
  b.AddMaterial(json::object());
  LoadResult r = LoadCapturing(b.WriteGltf(dir.File("broken.gltf")));
  ASSERT_TRUE(r.model) << r.out;
  const VelGLTFNode& n = *r.model->Nodes[0];
  ASSERT_EQ(n.Subsets.size(), 1u);
  EXPECT_EQ(n.Subsets[0].material, 1u);
  EXPECT_EQ(n.Vertices.size(), 3u);
  EXPECT_EQ(n.Faces.size(), 1u);
}

TEST(VelGLTFModelTest, BrokenStructureFailsTheLoad) {
  TempDir dir;
  auto expectFailure = [&](GltfBuilder& b, const std::string& name) {
    LoadResult r = LoadCapturing(b.WriteGltf(dir.File(name)));
    EXPECT_FALSE(r.model) << name;
    EXPECT_TRUE(Contains(r.out, "Failed to parse glTF\n")) << name;
  };
  {
    GltfBuilder b;
    int a = b.AddNode({{"name", "a"}});
    int c = b.AddNode({{"name", "b"}, {"children", {a}}}, false);
    b.doc["nodes"][size_t(a)]["children"] = {c};
    expectFailure(b, "cycle.gltf");
  }
  {
    GltfBuilder b;
    b.AddNode({{"children", {0}}});
    expectFailure(b, "self.gltf");
  }
  {
    GltfBuilder b;
    int leaf = b.AddNode(json::object(), false);
    b.AddNode({{"children", {leaf}}});
    b.AddNode({{"children", {leaf}}});
    expectFailure(b, "twoparents.gltf");
  }
  {
    GltfBuilder b;
    b.AddNode({{"children", {9}}});
    expectFailure(b, "badchild.gltf");
  }
  {
    GltfBuilder b;
    b.AddNode({{"mesh", 3}});
    expectFailure(b, "badmesh.gltf");
  }
  {
    GltfBuilder b;
    b.AddNode(json::object());
    b.doc["scenes"][0]["nodes"].push_back(5);
    expectFailure(b, "badroot.gltf");
  }
}

TEST(VelGLTFModelTest, LongNodeChainsDoNotExhaustTheStack) {
  TempDir dir;
  GltfBuilder b;
  const int depth = 100000;
  for (int i = 0; i < depth; ++i) {
    json node = {{"translation", {0, 1, 0}}};
    if (i + 1 < depth) node["children"] = {i + 1};
    b.AddNode(node, i == 0);
  }
  auto model = VelLoadGLTFModel(b.WriteGltf(dir.File("deep.gltf")));
  ASSERT_TRUE(model);
  EXPECT_FLOAT_EQ(model->Nodes[depth - 1]->WorldTransform.m[3][1], float(depth));
}

TEST(VelGLTFModelTest, ExternalFilesMustStayInTheModelsFolder) {
  TempDir dir;
  GltfBuilder b;
  b.AddTriangleNode(kTriangle, {0, 1, 2});
  // The buffer exists, but outside the model's folder.
  std::filesystem::create_directories(dir.Path() / "models");
  b.WriteGltfExternal(dir.File("models/up.gltf"), "../up.bin");
  LoadResult up = LoadCapturing(dir.File("models/up.gltf"));
  EXPECT_FALSE(up.model);
  EXPECT_TRUE(Contains(up.out, "Failed to parse glTF\n"));

  b.WriteGltfExternal(dir.File("abs.gltf"), "abs.bin");
  gltftest::WriteText(dir.File("models/abs.gltf"), b.Json(dir.File("abs.bin")));
  EXPECT_FALSE(LoadCapturing(dir.File("models/abs.gltf")).model);

  // The library's second lookup, relative to the working directory, is refused too.
  const auto cwd = std::filesystem::current_path();
  std::filesystem::current_path(dir.Path());
  b.WriteGltfExternal(dir.File("cwd.gltf"), "cwd.bin");
  gltftest::WriteText(dir.File("models/cwd.gltf"), b.Json("cwd.bin"));
  LoadResult fromCwd = LoadCapturing("models/cwd.gltf");
  std::filesystem::current_path(cwd);
  EXPECT_FALSE(fromCwd.model);
}

TEST(VelGLTFModelTest, UriFolderRule) {
  EXPECT_TRUE(VelIsUriInsideFolder("a.png"));
  EXPECT_TRUE(VelIsUriInsideFolder("sub/a.png"));
  EXPECT_TRUE(VelIsUriInsideFolder("./a..png"));
  EXPECT_FALSE(VelIsUriInsideFolder(""));
  EXPECT_FALSE(VelIsUriInsideFolder("/etc/passwd"));
  EXPECT_FALSE(VelIsUriInsideFolder("\\share\\x"));
  EXPECT_FALSE(VelIsUriInsideFolder("C:/x.png"));
  EXPECT_FALSE(VelIsUriInsideFolder(".."));
  EXPECT_FALSE(VelIsUriInsideFolder("a/../../b"));
  EXPECT_FALSE(VelIsUriInsideFolder("a\\..\\b"));
}

TEST(VelGLTFModelTest, OversizedFilesAreRefusedUnread) {
  TempDir dir;
  GltfBuilder b;
  b.AddTriangleNode(kTriangle, {0, 1, 2});
  const std::string path = b.WriteGltf(dir.File("big.gltf"));
  std::filesystem::resize_file(path, kVelGLTFMaxFileBytes + 1);
  LoadResult r = LoadCapturing(path);
  EXPECT_FALSE(r.model);
  EXPECT_TRUE(Contains(r.out, "256 MB"));

  b.WriteGltfExternal(dir.File("bigbin.gltf"), "big.bin");
  std::filesystem::resize_file(dir.File("big.bin"), kVelGLTFMaxFileBytes + 1);
  EXPECT_FALSE(LoadCapturing(dir.File("bigbin.gltf")).model);
}

TEST(VelGLTFModelTest, GlbHeadersAreCheckedAgainstTheFile) {
  TempDir dir;
  GltfBuilder b;
  b.AddTriangleNode(kTriangle, {0, 1, 2});
  const std::vector<uint8_t> good = b.Glb();
  auto loadPatched = [&](size_t offset, uint32_t value, size_t truncate) {
    std::vector<uint8_t> bytes = good;
    for (int i = 0; i < 4; ++i) bytes[offset + size_t(i)] = uint8_t(value >> (8 * i));
    bytes.resize(bytes.size() - truncate);
    const std::string path = dir.File("p.glb");
    gltftest::WriteBytes(path, bytes.data(), bytes.size());
    return LoadCapturing(path);
  };
  const uint32_t jsonLength = uint32_t(good[12]) | uint32_t(good[13]) << 8 | uint32_t(good[14]) << 16;
  const size_t binHeader = 20 + jsonLength;
  const uint32_t binLength = uint32_t(good[binHeader]) | uint32_t(good[binHeader + 1]) << 8;

  EXPECT_TRUE(loadPatched(8, uint32_t(good.size()), 0).model);
  EXPECT_FALSE(loadPatched(8, uint32_t(good.size()) + 4, 0).model);
  EXPECT_FALSE(loadPatched(12, 0xFFFFFFF0u, 0).model);
  EXPECT_FALSE(loadPatched(12, 0, 0).model);
  // The BIN chunk claiming the 8 bytes of its own header as data.
  EXPECT_FALSE(loadPatched(binHeader, binLength + 8, 0).model);
  // A file cut short with its header unchanged.
  EXPECT_FALSE(loadPatched(8, uint32_t(good.size()), 12).model);
  LoadResult tiny = loadPatched(0, 0x46546C67u, good.size() - 8);
  EXPECT_FALSE(tiny.model);
  EXPECT_TRUE(Contains(tiny.out, "Err: "));
  const std::string empty = dir.File("empty.glb");
  gltftest::WriteBytes(empty, "", 0);
  EXPECT_FALSE(LoadCapturing(empty).model);
  gltftest::WriteBytes(dir.File("empty.gltf"), "", 0);
  EXPECT_FALSE(LoadCapturing(dir.File("empty.gltf")).model);
}

TEST(VelGLTFModelTest, GlbBufferOfZeroLengthFailsCleanly) {
  TempDir dir;
  GltfBuilder b;
  b.AddTriangleNode(kTriangle, {0, 1, 2});
  nlohmann::json doc = nlohmann::json::parse(b.Json(""));
  doc["buffers"][0]["byteLength"] = 0;
  std::string text = doc.dump();
  while (text.size() % 4) text += ' ';
  std::vector<uint8_t> out = {'g', 'l', 'T', 'F'};
  auto u32 = [&](uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
  };
  u32(2);
  u32(uint32_t(12 + 8 + text.size() + 12));
  u32(uint32_t(text.size()));
  u32(0x4E4F534A);
  out.insert(out.end(), text.begin(), text.end());
  u32(4);
  u32(0x004E4942);
  u32(0);
  gltftest::WriteBytes(dir.File("zero.glb"), out.data(), out.size());
  LoadResult r = LoadCapturing(dir.File("zero.glb"));
  EXPECT_FALSE(r.model);
  EXPECT_TRUE(Contains(r.out, "Failed to parse glTF\n"));
}

}  // namespace
