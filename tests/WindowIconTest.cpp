#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/ApplicationServices.h"
#include "app/SceneManager.h"
#include "app/WindowIcon.h"
#include "framework/VelFileSystem.h"
#include "framework/VelImageCache.h"
#include "platform/headless/HeadlessPlatform.h"

namespace {

namespace fs = std::filesystem;

class WindowIconTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto owned = std::make_unique<HeadlessPlatform>();
    platform = owned.get();
    InstallPlatform(std::move(owned));
  }
  void TearDown() override {
    SceneManager::GetInstance().Reset();
    UninstallPlatform();
  }

  static std::shared_ptr<const VelImage> Expected() {
    std::vector<unsigned char> bytes;
    if (!VelFileSystem::ReadWholeFile(kWindowIconFile, &bytes, VelImageCache::kMaxFileBytes)) return nullptr;
    return VelImageCache::Decode(bytes.data(), bytes.size());
  }

  HeadlessPlatform* platform = nullptr;
};

TEST_F(WindowIconTest, StartUpGivesTheWindowTheGeneratedIconBeforeTheQuestion) {
  Application app;
  ApplicationServices services;
  size_t boxesBeforeIcon = 99;
  services.setWindowIcon = [&, setIcon = DefaultApplicationServices().setWindowIcon] {
    boxesBeforeIcon = platform->MessageBoxes().size();
    setIcon();
  };
  app.SetServices(services);
  ASSERT_TRUE(app.Initialise(1280, 720));

  auto expected = Expected();
  ASSERT_TRUE(expected) << kWindowIconFile;
  const auto& icon = platform->WindowIcon();
  EXPECT_EQ(icon.width, 128);
  EXPECT_EQ(icon.height, 128);
  EXPECT_TRUE(icon.rgba == expected->pixels);
  EXPECT_EQ(boxesBeforeIcon, 0u) << "the icon comes with the window, before the question";
  app.Shutdown();
}

TEST_F(WindowIconTest, MissingOrBrokenIconLeavesTheDefaultAndTheGameStarts) {
  ASSERT_TRUE(platform->CreateGameWindow("t", 1280, 720));
  EXPECT_FALSE(SetWindowIconFromFile("Data/Icon/no-such-icon.png"));

  fs::path broken = fs::temp_directory_path() / ("halvane-broken-icon-" + std::to_string(getpid()) + ".png");
  std::ofstream(broken, std::ios::binary) << "\x89PNG\r\n\x1a\n not really";
  EXPECT_FALSE(SetWindowIconFromFile(broken.string()));
  fs::remove(broken);
  EXPECT_TRUE(platform->WindowIcon().rgba.empty());

  Application app;
  ApplicationServices services;
  services.setWindowIcon = [] { SetWindowIconFromFile("Data/Icon/no-such-icon.png"); };
  app.SetServices(services);
  platform->DestroyGameWindow();
  EXPECT_TRUE(app.Initialise(1280, 720));
  EXPECT_TRUE(platform->MessageBoxes().size() == 1 && platform->MessageBoxes()[0].question)
      << "only the full-screen question, no error";
  app.Shutdown();
}

TEST_F(WindowIconTest, NoWindowNoIconAndAFailedWindowIsNotGivenOne) {
  EXPECT_TRUE(SetWindowIconFromFile(kWindowIconFile)) << "decoded, though nothing shows it";
  EXPECT_TRUE(platform->WindowIcon().rgba.empty());

  Application app;
  ApplicationServices services;
  int iconCalls = 0;
  services.setWindowIcon = [&] { ++iconCalls; };
  app.SetServices(services);
  platform->FailWindowCreation(true);
  EXPECT_FALSE(app.Initialise(1280, 720));
  EXPECT_EQ(iconCalls, 0);
}

TEST_F(WindowIconTest, PlatformTakesOnlyPixelsThatFillTheirSize) {
  ASSERT_TRUE(platform->CreateGameWindow("t", 1280, 720));
  platform->SetWindowIcon(2, 2, std::vector<uint8_t>(15, 255));
  platform->SetWindowIcon(0, 4, {});
  platform->SetWindowIcon(-2, -2, std::vector<uint8_t>(16, 255));
  EXPECT_TRUE(platform->WindowIcon().rgba.empty());
  platform->SetWindowIcon(2, 1, {1, 2, 3, 4, 5, 6, 7, 8});
  EXPECT_EQ(platform->WindowIcon().width, 2);
  EXPECT_EQ(platform->WindowIcon().height, 1);
  EXPECT_EQ(platform->WindowIcon().rgba, (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 8}));

  EXPECT_TRUE(IsWholeIcon(1, 1, {0, 0, 0, 0}));
  EXPECT_FALSE(IsWholeIcon(65536, 65536, std::vector<uint8_t>(16, 0))) << "no overflow into a match";
}

}  // namespace
