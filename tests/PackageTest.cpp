#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "framework/VelImageCache.h"
#include "tests/PackageTestTools.h"

// Checks what `make package` made; builds nothing itself. Without the package,
// or with one older than the build, these cases are skipped, unless
// HALVANE_REQUIRE_PACKAGE is set (.ci/run sets it after building the package,
// so a package that went missing fails there).

namespace {

namespace fs = std::filesystem;
using package_test::CommandResult;
using package_test::Quoted;
using package_test::RunCommand;
using package_test::ScratchDir;

const fs::path kPackage = HALVANE_PACKAGE_FILE;
const char* const kDataRoot = "usr/share/games/halvane/Data/";

std::vector<char> ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every generated file below build/Data, by its path inside Data/, with its size.
std::map<std::string, uintmax_t> GeneratedData() {
  std::map<std::string, uintmax_t> files;
  for (const auto& entry : fs::recursive_directory_iterator(fs::path(HALVANE_BUILD_DIR) / "Data"))
    if (entry.is_regular_file() && entry.path().filename() != ".generated")
      files[fs::relative(entry.path(), fs::path(HALVANE_BUILD_DIR) / "Data").generic_string()] =
          entry.file_size();
  return files;
}

// One line of `dpkg-deb -c`.
struct Listed {
  std::string mode;
  std::string owner;
  uintmax_t size = 0;
};

class PackageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    if (!fs::exists(kPackage)) {
      why = "no package at " + kPackage.string() + ": `make package` builds it";
    } else if (OlderThanTheBuild()) {
      why = "the package at " + kPackage.string() + " is older than the build: `make package` renews it";
    }
    if (why.empty()) return;
    if (std::getenv("HALVANE_REQUIRE_PACKAGE")) FAIL() << why << " (HALVANE_REQUIRE_PACKAGE asks for it)";
    GTEST_SKIP() << why;
  }

  // A package left from an earlier build says nothing about this one.
  static bool OlderThanTheBuild() {
    const fs::file_time_type made = fs::last_write_time(kPackage);
    for (const char* part : {"halvane", "Data/.generated"}) {
      std::error_code ec;
      const fs::file_time_type built = fs::last_write_time(fs::path(HALVANE_BUILD_DIR) / part, ec);
      if (!ec && built > made) return true;
    }
    return false;
  }

  // Paths without the leading "./"; folders end in '/'.
  static std::map<std::string, Listed> Contents() {
    std::map<std::string, Listed> contents;
    CommandResult r = RunCommand("dpkg-deb -c " + Quoted(kPackage));
    EXPECT_EQ(r.status, 0) << r.output;
    std::istringstream lines(r.output);
    std::string line;
    while (std::getline(lines, line)) {
      std::istringstream fields(line);
      Listed item;
      std::string date, time, path;
      fields >> item.mode >> item.owner >> item.size >> date >> time >> path;
      if (path.rfind("./", 0) == 0) contents[path.substr(2)] = item;
    }
    return contents;
  }

  static std::string Field(const std::string& name) {
    CommandResult r = RunCommand("dpkg-deb -f " + Quoted(kPackage) + " " + name);
    EXPECT_EQ(r.status, 0) << r.output;
    while (!r.output.empty() && r.output.back() == '\n') r.output.pop_back();
    return r.output;
  }
};

TEST_F(PackageTest, ControlNamesTheGameItsVersionAndWorkedOutDependencies) {
  EXPECT_EQ(Field("Package"), "halvane");
  EXPECT_EQ(Field("Version"), "0.9.7");
  EXPECT_EQ(Field("Section"), "games");
  EXPECT_EQ(kPackage.filename().string(), "halvane_0.9.7_" + Field("Architecture") + ".deb");
  // dpkg-shlibdeps' work: the libraries the game links, with versions.
  const std::string depends = Field("Depends");
  for (const char* library : {"libc6 (>=", "libsdl2-2.0-0 (>=", "libfaudio0 (>=", "libepoxy0 (>="})
    EXPECT_NE(depends.find(library), std::string::npos) << library << " in " << depends;
  EXPECT_FALSE(Field("Maintainer").empty());
}

TEST_F(PackageTest, HoldsTheLauncherTheGameTheMenuEntryTheIconsAndEveryDataFile) {
  const auto contents = Contents();
  auto expectFile = [&](const std::string& path, const std::string& mode) {
    auto it = contents.find(path);
    if (it == contents.end()) {
      ADD_FAILURE() << path << " is not in the package";
      return;
    }
    EXPECT_EQ(it->second.mode, mode) << path;
    EXPECT_EQ(it->second.owner, "root/root") << path;
  };
  expectFile("usr/games/halvane", "-rwxr-xr-x");
  expectFile("usr/lib/games/halvane/halvane", "-rwxr-xr-x");
  expectFile("usr/share/applications/halvane.desktop", "-rw-r--r--");
  for (const char* size : {"48x48", "128x128", "256x256"})
    expectFile(std::string("usr/share/icons/hicolor/") + size + "/apps/halvane.png", "-rw-r--r--");
  expectFile("usr/share/doc/halvane/copyright", "-rw-r--r--");
  expectFile("usr/share/doc/halvane/changelog.gz", "-rw-r--r--");
  expectFile("usr/share/man/man6/halvane.6.gz", "-rw-r--r--");

  const auto generated = GeneratedData();
  ASSERT_GT(generated.size(), 100u) << "the build's Data/ looks incomplete";
  for (const auto& [path, size] : generated) {
    auto it = contents.find(kDataRoot + path);
    if (it == contents.end()) {
      ADD_FAILURE() << "Data/" << path << " is not in the package";
      continue;
    }
    EXPECT_EQ(it->second.size, size) << path;
    EXPECT_EQ(it->second.mode, "-rw-r--r--") << path;
  }

  for (const auto& [path, item] : contents) {
    EXPECT_TRUE(path.rfind("usr/", 0) == 0) << path;
    EXPECT_EQ(path.find("halvane-dev"), std::string::npos) << path;
    EXPECT_EQ(path.find("halvane_tests"), std::string::npos) << path;
    EXPECT_EQ(path.find("assetgen"), std::string::npos) << path;
    EXPECT_EQ(path.find(".generated"), std::string::npos) << path;
    if (item.mode[0] == 'd') {
      EXPECT_EQ(item.mode, "drwxr-xr-x") << path;
    }
    if (path.rfind(kDataRoot, 0) == 0 && item.mode[0] == '-') {
      EXPECT_TRUE(generated.count(path.substr(std::string(kDataRoot).size()))) << "stray " << path;
    }
  }
}

// What CI does without installing anything: unpack, ask the launcher to find
// its game and data, validate the menu entry, look at the icons and data.
TEST_F(PackageTest, UnpackedTreeFindsItsGameAndItsMenuEntryValidates) {
  ScratchDir root("halvane-package");
  CommandResult r = RunCommand("dpkg-deb -x " + Quoted(kPackage) + " " + Quoted(root.Path()));
  ASSERT_EQ(r.status, 0) << r.output;
  const fs::path usr = fs::canonical(root.Path()) / "usr";

  r = RunCommand(Quoted(usr / "games/halvane") + " --launcher-check");
  EXPECT_EQ(r.status, 0) << r.output;
  EXPECT_EQ(r.output, "game: " + (usr / "lib/games/halvane/halvane").string() + "\ndata: " +
                          (usr / "share/games/halvane/Data").string() + "\n");

  r = RunCommand("desktop-file-validate " + Quoted(usr / "share/applications/halvane.desktop"));
  EXPECT_EQ(r.status, 0) << r.output;
  EXPECT_EQ(r.output, "") << "no warnings either";

  for (int size : {48, 128, 256}) {
    const std::string dir = std::to_string(size) + "x" + std::to_string(size);
    std::vector<char> png = ReadBytes(usr / "share/icons/hicolor" / dir / "apps/halvane.png");
    auto image = VelImageCache::Decode(reinterpret_cast<const uint8_t*>(png.data()), png.size());
    ASSERT_TRUE(image) << dir;
    EXPECT_EQ(image->width, static_cast<uint32_t>(size));
    EXPECT_EQ(image->height, static_cast<uint32_t>(size));
  }

  for (const auto& [path, size] : GeneratedData())
    EXPECT_TRUE(ReadBytes(usr / "share/games/halvane/Data" / path) ==
                ReadBytes(fs::path(HALVANE_BUILD_DIR) / "Data" / path))
        << "Data/" << path << " differs from the build's";
}

}  // namespace

// The menu entry as written in the tree, checked whether or not a package was built.
TEST(DesktopEntryTest, PassesDesktopFileValidate) {
  CommandResult r = RunCommand("desktop-file-validate " + Quoted(HALVANE_DESKTOP_ENTRY));
  EXPECT_EQ(r.status, 0) << r.output << "(desktop-file-validate comes with desktop-file-utils, "
                                        "which tools/install-deps.sh installs)";
  EXPECT_EQ(r.output, "");
}
