#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>

#include "tests/GltfTestFiles.h"

#ifdef HALVANE_DEV_TOOL

using gltftest::GltfBuilder;
using gltftest::TempDir;
using nlohmann::json;

namespace {

struct ToolResult {
  int exitCode = -1;
  std::string out;
  json parsed;
};

ToolResult RunTool(const std::string& arguments) {
  ToolResult r;
  const std::string command = std::string(HALVANE_DEV_TOOL) + " " + arguments + " 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return r;
  char chunk[4096];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0) r.out.append(chunk, n);
  const int status = pclose(pipe);
  r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.parsed = json::parse(r.out, nullptr, false);
  return r;
}

std::string Quoted(const std::string& path) {
  return "'" + path + "'";
}

// A wall at x = 5 facing the origin, in engine space, with a coloured vertex.
GltfBuilder WallAt5() {
  GltfBuilder b;
  int pos = b.AddVec3({5, -1, 1, 5, 1, 1, 5, 0, -1});
  int idx = b.AddIndices({0, 1, 2});
  int color = b.AddVec3({2, 0.5f, -1, 1, 1, 1, 0, 0, 0});
  json prim = b.Primitive(pos, idx);
  prim["attributes"]["COLOR_0"] = color;
  b.AddNode({{"name", "wall"}, {"mesh", b.AddMesh({prim})}});
  return b;
}

TEST(HalvaneDevModelTest, ModelPrintsMaterialsNodesAndRoots) {
  TempDir dir;
  GltfBuilder b;
  b.AddMaterial({{"name", "zero"}});
  b.AddMaterial({{"name", "one"}, {"pbrMetallicRoughness", {{"baseColorTexture", {{"index", 0}}}}}});
  b.AddMaterial({{"name", "two"}, {"emissiveFactor", {1, 0.5, 0}}});
  b.doc["images"] = json::array({{{"uri", "absent.png"}}});
  b.doc["textures"] = json::array({{{"source", 0}}});
  int pos2 = b.AddVec3({0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 1, 0});
  int idx2 = b.AddIndices({0, 1, 2, 1, 3, 2});
  int pos1 = b.AddVec3({5, 0, 1, 6, 0, 2, 5, 1, 3});
  int idx1 = b.AddIndices({0, 1, 2});
  int child = b.AddNode({{"name", "child"}}, false);
  b.AddNode({{"name", "body"},
             {"translation", {0, 0, 5}},
             {"children", {child}},
             {"mesh", b.AddMesh({b.Primitive(pos2, idx2, 2), b.Primitive(pos1, idx1, 1)})}});
  ToolResult r = RunTool("model " + Quoted(b.WriteGlb(dir.File("m.glb"))));
  ASSERT_EQ(r.exitCode, 0);
  ASSERT_TRUE(r.parsed.is_object()) << r.out;
  const json& j = r.parsed;
  EXPECT_TRUE(j["ok"]);
  ASSERT_FALSE(j["stdout"].empty());
  EXPECT_EQ(j["stdout"][0], "Reading binary glTF");

  ASSERT_EQ(j["materials"].size(), 3u);
  EXPECT_EQ(j["materials"][1]["name"], "one");
  EXPECT_EQ(j["materials"][1]["baseColorTexture"]["file"], "absent.png");
  EXPECT_EQ(j["materials"][1]["baseColorTexture"]["loaded"], false);
  EXPECT_EQ(j["materials"][2]["emissive"], json({1.0, 0.5, 0.0}));
  EXPECT_EQ(j["materials"][0]["baseColor"], json({1.0, 1.0, 1.0, 1.0}));
  EXPECT_EQ(j["materials"][0]["roughness"], 1.0);

  ASSERT_EQ(j["nodes"].size(), 2u);
  const json& child0 = j["nodes"][0];
  EXPECT_EQ(child0["name"], "child");
  EXPECT_EQ(child0["hasMesh"], false);
  EXPECT_EQ(child0["vertexCount"], 0);
  const json& body = j["nodes"][1];
  EXPECT_EQ(body["index"], 1);
  EXPECT_EQ(body["hasMesh"], true);
  ASSERT_EQ(body["transform"].size(), 16u);
  EXPECT_EQ(body["transform"][14], -5.0);
  EXPECT_EQ(body["transform"][15], 1.0);
  EXPECT_EQ(body["vertexCount"], 7);
  EXPECT_EQ(body["faceCount"], 3);
  EXPECT_EQ(body["subsets"], json::parse(R"([{"material":1,"faceStart":0,"faceCount":1},
                                             {"material":2,"faceStart":1,"faceCount":2}])"));
  EXPECT_EQ(body["faces"], json::parse("[[0,2,1],[3,5,4],[4,5,6]]"));
  ASSERT_EQ(body["vertices"].size(), 4u);
  EXPECT_EQ(body["vertices"][0]["pos"], json({5.0, 0.0, -1.0}));
  EXPECT_EQ(body["vertices"][1]["pos"], json({6.0, 0.0, -2.0}));
  EXPECT_EQ(body["vertices"][3]["pos"], json({0.0, 0.0, 0.0}));
  EXPECT_EQ(body["vertices"][0]["color"], 0xFFFFFFFFu);
  EXPECT_EQ(body["vertices"][0]["uv"], json({0.0, 0.0}));
  EXPECT_EQ(j["rootNodes"], json({1}));
}

TEST(HalvaneDevModelTest, ModelReportsColoursAndFailures) {
  TempDir dir;
  ToolResult r = RunTool("model " + Quoted(WallAt5().WriteGltf(dir.File("wall.gltf"))));
  ASSERT_TRUE(r.parsed.is_object()) << r.out;
  EXPECT_EQ(r.parsed["nodes"][0]["vertices"][0]["color"], 0xFF007FFFu);
  EXPECT_EQ(r.parsed["stdout"], json({"Reading ASCII glTF"}));

  // The upper-case extension reads the binary file as JSON, which fails.
  ToolResult upper = RunTool("model " + Quoted(WallAt5().WriteGlb(dir.File("wall.GLB"))));
  ASSERT_EQ(upper.exitCode, 0);
  ASSERT_TRUE(upper.parsed.is_object()) << upper.out;
  EXPECT_FALSE(upper.parsed["ok"]);
  EXPECT_EQ(upper.parsed["stdout"][0], "Reading ASCII glTF");
  EXPECT_EQ(upper.parsed["stdout"].back(), "Failed to parse glTF");
  EXPECT_TRUE(upper.parsed["nodes"].empty());
  EXPECT_TRUE(upper.parsed["materials"].empty());

  EXPECT_EQ(RunTool("model").exitCode, 2);
  EXPECT_EQ(RunTool("nonsense").exitCode, 2);
}

TEST(HalvaneDevModelTest, RayReportsHitsAndPushes) {
  TempDir dir;
  const std::string file = Quoted(WallAt5().WriteGltf(dir.File("wall.gltf")));
  ToolResult hit = RunTool("ray " + file + " 0 0 0 1 0 0");
  ASSERT_TRUE(hit.parsed.is_object()) << hit.out;
  EXPECT_EQ(hit.parsed["hit"], true);
  EXPECT_EQ(hit.parsed["distance"], 5.0);
  EXPECT_EQ(hit.parsed["normal"], json({-1.0, 0.0, 0.0}));
  EXPECT_EQ(hit.parsed["pushHit"], false);
  EXPECT_EQ(hit.parsed["push"], json({0.0, 0.0, 0.0}));

  ToolResult close = RunTool("ray " + file + " 3 0 0 1 0 0");
  EXPECT_EQ(close.parsed["distance"], 2.0);
  EXPECT_EQ(close.parsed["pushHit"], true);
  EXPECT_EQ(close.parsed["push"], json({-1.0, 0.0, 0.0}));

  ToolResult scaled = RunTool("ray " + file + " 0 0 0 1 0 0 --world 2 0 0 0 0 2 0 0 0 0 2 0 0 0 0 1");
  EXPECT_EQ(scaled.parsed["distance"], 10.0);

  ToolResult miss = RunTool("ray " + file + " 6 0 0 1 0 0");
  ASSERT_TRUE(miss.parsed.is_object()) << miss.out;
  EXPECT_EQ(miss.parsed["hit"], false);
  EXPECT_EQ(miss.parsed["pushHit"], false);
  EXPECT_EQ(miss.parsed["push"], json({0.0, 0.0, 0.0}));

  EXPECT_EQ(RunTool("ray " + file + " 0 0 0 1 0 x").exitCode, 2);
  EXPECT_EQ(RunTool("ray " + file + " 0 0 0 1 0 0 --world 1 2 3").exitCode, 2);
}

}  // namespace

#endif
