#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/PackageTestTools.h"

namespace {

namespace fs = std::filesystem;
using package_test::CommandResult;
using package_test::Quoted;
using package_test::RunCommand;
using package_test::ScratchDir;

// The package's tree with a stand-in game that writes where it ran and with
// which arguments, one per line in brackets, and exits with FAKE_STATUS.
class LauncherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    usr = scratch.Path() / "root" / "usr";
    launcher = usr / "games" / "halvane";
    game = usr / "lib" / "games" / "halvane" / "halvane";
    data = usr / "share" / "games" / "halvane";
    record = scratch.Path() / "ran.txt";
    fs::create_directories(launcher.parent_path());
    fs::create_directories(game.parent_path());
    fs::create_directories(data / "Data");
    fs::copy_file(HALVANE_LAUNCHER, launcher);
    std::ofstream(game) << "#!/bin/sh\n"
                        << "{ pwd; for a in \"$@\"; do echo \"[$a]\"; done; } > " << Quoted(record) << "\n"
                        << "exit ${FAKE_STATUS:-0}\n";
    for (const fs::path& p : {launcher, game})
      fs::permissions(p, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                             fs::perms::others_read | fs::perms::others_exec);
  }

  std::string Ran() const {
    std::ifstream in(record);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  ScratchDir scratch{"halvane-launcher"};
  fs::path usr, launcher, game, data, record;
};

TEST_F(LauncherTest, StartsTheGameInsideItsDataFolderWithItsArguments) {
  CommandResult r = RunCommand("cd / && " + Quoted(launcher) + " --version 'two words' ''");
  EXPECT_EQ(r.status, 0) << r.output;
  EXPECT_EQ(Ran(), fs::canonical(data).string() + "\n[--version]\n[two words]\n[]\n");
}

TEST_F(LauncherTest, FindsItsTreeThroughASymlinkAndFromARelativePath) {
  fs::create_directories(scratch.Path() / "bin");
  fs::create_symlink(launcher, scratch.Path() / "bin" / "halvane");
  CommandResult r = RunCommand(Quoted(scratch.Path() / "bin" / "halvane") + " a");
  EXPECT_EQ(r.status, 0) << r.output;
  EXPECT_EQ(Ran(), fs::canonical(data).string() + "\n[a]\n");

  r = RunCommand("cd " + Quoted(usr) + " && ./games/halvane b");
  EXPECT_EQ(r.status, 0) << r.output;
  EXPECT_EQ(Ran(), fs::canonical(data).string() + "\n[b]\n");
}

TEST_F(LauncherTest, PassesTheGamesExitStatusOn) {
  CommandResult r = RunCommand("FAKE_STATUS=3 " + Quoted(launcher));
  EXPECT_EQ(r.status, 3) << r.output;
}

TEST_F(LauncherTest, CheckNamesTheGameAndDataWithoutStartingAnything) {
  CommandResult r = RunCommand(Quoted(launcher) + " --launcher-check");
  EXPECT_EQ(r.status, 0) << r.output;
  fs::path root = fs::canonical(usr);
  EXPECT_EQ(r.output, "game: " + (root / "lib/games/halvane/halvane").string() + "\n" +
                          "data: " + (root / "share/games/halvane/Data").string() + "\n");
  EXPECT_FALSE(fs::exists(record));
}

TEST_F(LauncherTest, MissingDataOrGameFailsWithTheMissingPath) {
  fs::remove_all(data / "Data");
  CommandResult r = RunCommand(Quoted(launcher) + " --launcher-check");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.output.find("the game's data is missing: "), std::string::npos) << r.output;
  EXPECT_NE(r.output.find("share/games/halvane/Data"), std::string::npos) << r.output;
  r = RunCommand(Quoted(launcher));
  EXPECT_EQ(r.status, 1) << r.output;
  EXPECT_FALSE(fs::exists(record)) << "the game is not started without its data";

  fs::create_directories(data / "Data");
  fs::remove(game);
  r = RunCommand(Quoted(launcher));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.output.find("the game is missing: "), std::string::npos) << r.output;
}

}  // namespace
