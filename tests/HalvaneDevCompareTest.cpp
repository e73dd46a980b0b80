#include <gtest/gtest.h>
#include <stb_image_write.h>
#include <sys/wait.h>

#include <cstdio>
#include <vector>

#include "tests/GltfTestFiles.h"

#ifdef HALVANE_DEV_TOOL

using gltftest::TempDir;
using nlohmann::json;

namespace {

int Compare(const std::string& arguments, json& result) {
  const std::string command = std::string(HALVANE_DEV_TOOL) + " compare " + arguments + " 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return -1;
  std::string out;
  char chunk[4096];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0) out.append(chunk, n);
  const int status = pclose(pipe);
  result = json::parse(out, nullptr, false);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A 4 x 2 image of one colour, with its alpha.
std::string WriteImage(const TempDir& dir, const char* name, std::vector<unsigned char> rgba) {
  const std::string path = dir.File(name);
  if (rgba.size() == 4) {
    std::vector<unsigned char> one = rgba;
    for (int i = 1; i < 8; ++i) rgba.insert(rgba.end(), one.begin(), one.end());
  }
  stbi_write_png(path.c_str(), 4, 2, 4, rgba.data(), 16);
  return path;
}

TEST(HalvaneDevCompareTest, CountsColourDifferencesAndIgnoresAlpha) {
  TempDir dir;
  const std::string grey = WriteImage(dir, "grey.png", {100, 100, 100, 255});
  // Same colour, other alpha: a back buffer's alpha is no part of the picture.
  const std::string clear = WriteImage(dir, "clear.png", {100, 100, 100, 7});
  std::vector<unsigned char> marked;
  for (int i = 0; i < 8; ++i) marked.insert(marked.end(), {100, 100, 100, 255});
  marked[0] = 160;  // pixel 0: red off by 60
  marked[6] = 110;  // pixel 1: blue off by 10, under the threshold
  const std::string spotted = WriteImage(dir, "spotted.png", marked);

  json same;
  ASSERT_EQ(Compare(grey + " " + clear, same), 0);
  EXPECT_EQ(same["meanDifference"], 0.0);
  EXPECT_EQ(same["differentPixels"], 0);

  json apart;
  const std::string diff = dir.File("diff.png");
  ASSERT_EQ(Compare(grey + " " + spotted + " --diff " + diff, apart), 0);
  EXPECT_EQ(apart["width"], 4);
  EXPECT_EQ(apart["height"], 2);
  EXPECT_EQ(apart["largestDifference"], 60);
  EXPECT_EQ(apart["differentPixels"], 1);
  EXPECT_DOUBLE_EQ(apart["differentFraction"].get<double>(), 1.0 / 8.0);
  EXPECT_DOUBLE_EQ(apart["meanDifference"].get<double>(), 70.0 / 24.0);
  EXPECT_TRUE(std::filesystem::exists(diff));
}

TEST(HalvaneDevCompareTest, RefusesMissingFilesAndSizeMismatches) {
  TempDir dir;
  const std::string grey = WriteImage(dir, "grey.png", {100, 100, 100, 255});
  const std::string wide = dir.File("wide.png");
  std::vector<unsigned char> pixels(8 * 4, 50);
  stbi_write_png(wide.c_str(), 8, 1, 4, pixels.data(), 32);
  json ignored;
  EXPECT_NE(Compare(grey + " " + wide, ignored), 0);
  EXPECT_NE(Compare(grey + " " + dir.File("absent.png"), ignored), 0);
  EXPECT_NE(Compare(grey, ignored), 0);
  EXPECT_NE(Compare(grey + " " + grey + " --diff", ignored), 0);
}

}  // namespace

#endif
