#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/GameLocale.h"
#include "app/SceneManager.h"
#include "app/ApplicationServices.h"
#include "framework/VelGraphicsDevice.h"
#include "framework/VelSoundEngine.h"
#include "platform/headless/HeadlessPlatform.h"

namespace {

using Log = std::vector<std::string>;

// A scene whose update takes as long as the schedule says, on the virtual clock.
class TimedScene : public Scene {
 public:
  TimedScene(HeadlessPlatform& platform, Log& log, std::function<uint32_t(int)> frameMs)
      : platform(platform), log(log), frameMs(std::move(frameMs)) {
    log.push_back("scene constructed");
  }
  void Update() override {
    log.push_back("update");
    platform.AdvanceClock(frameMs(frame++));
  }

 private:
  HeadlessPlatform& platform;
  Log& log;
  std::function<uint32_t(int)> frameMs;
  int frame = 0;
};

class ApplicationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto owned = std::make_unique<HeadlessPlatform>();
    platform = owned.get();
    InstallPlatform(std::move(owned));
    app.SetServices(RecordingServices());
  }
  void TearDown() override {
    SceneManager::GetInstance().Reset();
    UninstallPlatform();
  }

  // Every service step logs its name; the named start-up step fails.
  ApplicationServices RecordingServices(const std::string& failing = "") {
    ApplicationServices s;
    s.initGraphicsDevice = [this, failing](int w, int h, std::string& error) {
      log.push_back("device " + std::to_string(w) + "x" + std::to_string(h));
      if (failing != "device") return true;
      error = "Zバッファ作成失敗";
      return false;
    };
    s.enterFullscreen = [this] { log.push_back("fullscreen"); };
    s.initShaderManager = [this] { log.push_back("shaders"); };
    s.initSoundEngine = [this, failing] {
      log.push_back("sound");
      return failing != "sound";
    };
    s.updateSoundEngine = [this] { log.push_back("sound update"); };
    s.present = [this] { log.push_back("present"); };
    s.releaseShaderManager = [this] { log.push_back("release shaders"); };
    s.releaseGraphicsDevice = [this] { log.push_back("release device"); };
    s.releaseSoundEngine = [this] {
      log.push_back("release sound");
      log.push_back(platform->HasGameWindow() ? "window still open" : "window gone");
    };
    return s;
  }

  void UseTimedScene(std::function<uint32_t(int)> frameMs) {
    app.SetFirstScene([this, frameMs] { return std::make_unique<TimedScene>(*platform, log, frameMs); });
  }

  // Runs frames and returns the virtual time each one took, sleep included.
  std::vector<uint32_t> FrameDurations(int frames) {
    std::vector<uint32_t> durations;
    uint32_t last = platform->GetMilliseconds();
    for (int i = 0; i < frames && app.RunFrame(); ++i) {
      durations.push_back(platform->GetMilliseconds() - last);
      last = platform->GetMilliseconds();
    }
    return durations;
  }

  HeadlessPlatform* platform = nullptr;
  Application app;
  Log log;
};

TEST_F(ApplicationTest, AnsweringNoStartsWindowedInOrderAndShutsDownInOrder) {
  UseTimedScene([](int) { return 1u; });
  app.SetFrameLimit(2);
  app.Run();

  EXPECT_EQ(platform->WindowTitle(), "Halvane  ver.0.9.7");
  EXPECT_EQ(platform->WindowWidth(), 1280);
  EXPECT_EQ(platform->WindowHeight(), 720);
  ASSERT_EQ(platform->MessageBoxes().size(), 1u);
  const auto& question = platform->MessageBoxes()[0];
  EXPECT_TRUE(question.question);
  EXPECT_EQ(question.caption, "確認");
  EXPECT_EQ(question.text, "フルスクリーンにしますか？");
  EXPECT_TRUE(question.ownedByWindow);
  EXPECT_FALSE(app.IsFullscreenChosen());

  EXPECT_EQ(log, (Log{"device 1280x720", "shaders", "sound", "scene constructed",  // start-up
                      "sound update", "update", "present",                         // frame 1
                      "sound update", "update", "present",                         // frame 2
                      "release shaders", "release device", "release sound", "window still open"}));
  EXPECT_FALSE(platform->HasGameWindow()) << "the window goes last";
}

TEST_F(ApplicationTest, AnsweringYesSwitchesToFullScreenOnceTheDeviceIsReady) {
  platform->SetQuestionAnswer(true);
  ASSERT_TRUE(app.Initialise(1280, 720));
  EXPECT_TRUE(app.IsFullscreenChosen());
  EXPECT_EQ(log, (Log{"device 1280x720", "fullscreen", "shaders", "sound"}));
}

TEST_F(ApplicationTest, WindowFailureShowsItsBoxWithoutOwnerAndStops) {
  platform->FailWindowCreation(true);
  UseTimedScene([](int) { return 1u; });
  app.Run();
  ASSERT_EQ(platform->MessageBoxes().size(), 1u);
  const auto& box = platform->MessageBoxes()[0];
  EXPECT_FALSE(box.question);
  EXPECT_EQ(box.caption, "エラー");
  EXPECT_EQ(box.text, "ウィンドウ作成に失敗");
  EXPECT_FALSE(box.ownedByWindow);
  EXPECT_TRUE(log.empty()) << "no question, no service, no scene, no shut-down";
}

TEST_F(ApplicationTest, DeviceFailureShowsTheDevicesTextAndStops) {
  app.SetServices(RecordingServices("device"));
  platform->SetQuestionAnswer(true);
  UseTimedScene([](int) { return 1u; });
  app.Run();
  ASSERT_EQ(platform->MessageBoxes().size(), 2u);
  const auto& box = platform->MessageBoxes()[1];
  EXPECT_FALSE(box.question);
  EXPECT_EQ(box.caption, "Direct3D初期化失敗");
  EXPECT_EQ(box.text, "Zバッファ作成失敗");
  EXPECT_TRUE(box.ownedByWindow);
  EXPECT_EQ(log, (Log{"device 1280x720"})) << "no full screen, shaders, sound, scene or shut-down";
  EXPECT_TRUE(platform->HasGameWindow()) << "nothing initialised before a failure is released";
}

TEST_F(ApplicationTest, SoundFailureShowsTheEmptyDeviceTextAndStops) {
  app.SetServices(RecordingServices("sound"));
  UseTimedScene([](int) { return 1u; });
  app.Run();
  ASSERT_EQ(platform->MessageBoxes().size(), 2u);
  const auto& box = platform->MessageBoxes()[1];
  EXPECT_EQ(box.caption, "サウンド初期化失敗");
  EXPECT_EQ(box.text, "");
  EXPECT_TRUE(box.ownedByWindow);
  EXPECT_EQ(log, (Log{"device 1280x720", "shaders", "sound"}));
}

TEST_F(ApplicationTest, DefaultServicesBringUpTheFrameworkAndFullScreen) {
  const ApplicationServices services = DefaultApplicationServices();
  EXPECT_TRUE(services.setWindowIcon && services.initGraphicsDevice && services.enterFullscreen && services.initShaderManager &&
              services.initSoundEngine && services.updateSoundEngine && services.present &&
              services.releaseShaderManager && services.releaseGraphicsDevice && services.releaseSoundEngine);

  // Without a real window the device comes up on its recording backend, and
  // its full-screen switch reaches the platform.
  VelSoundEngine::GetInstance().UseHeadless(true);
  Application plain;
  plain.SetServices(services);
  platform->SetQuestionAnswer(true);
  ASSERT_TRUE(plain.Initialise(1280, 720));
  EXPECT_TRUE(VelGraphicsDevice::GetInstance().IsReady());
  EXPECT_TRUE(VelGraphicsDevice::GetInstance().IsHeadless());
  EXPECT_TRUE(platform->IsFullscreen());
  EXPECT_EQ(platform->MessageBoxes().size(), 1u);
  plain.Shutdown();
  EXPECT_FALSE(VelGraphicsDevice::GetInstance().IsReady());
}

TEST_F(ApplicationTest, FiveMillisecondFramesSleepElevenAndLongFramesNotAtAll) {
  UseTimedScene([](int frame) { return frame < 3 ? 5u : frame < 5 ? 16u : 23u; });
  ASSERT_TRUE(app.Initialise(1280, 720));
  app.BeginFrames();
  EXPECT_EQ(FrameDurations(7), (std::vector<uint32_t>{16, 16, 16, 16, 16, 23, 23}));
}

TEST_F(ApplicationTest, PacingSurvivesTheClockWrapping) {
  platform->SetClock(0xFFFFFFFFu - 7);
  UseTimedScene([](int) { return 5u; });
  ASSERT_TRUE(app.Initialise(1280, 720));
  app.BeginFrames();
  EXPECT_EQ(FrameDurations(3), (std::vector<uint32_t>{16, 16, 16}));
}

TEST_F(ApplicationTest, ThirtyOneFramesInFiveHundredMillisecondsMeasureSixtyTwo) {
  // Twenty 16 ms frames and ten 18 ms ones fill 500 ms: the 31st frame
  // starts exactly 500 ms after the measurement began.
  UseTimedScene([](int frame) { return frame < 20 ? 1u : 18u; });
  ASSERT_TRUE(app.Initialise(1280, 720));
  app.BeginFrames();
  FrameDurations(30);
  EXPECT_EQ(platform->GetMilliseconds(), 500u);
  EXPECT_EQ(app.GetMeasuredFrameRate(), 0) << "not set before 500 ms have passed";
  FrameDurations(1);
  EXPECT_EQ(app.GetMeasuredFrameRate(), 62);
}

TEST_F(ApplicationTest, FrameRateIsRecomputedFromTheLastMeasurement) {
  UseTimedScene([](int frame) { return frame < 40 ? 1u : 25u; });
  ASSERT_TRUE(app.Initialise(1280, 720));
  app.BeginFrames();
  FrameDurations(33);  // frame 33 starts at 512 ms: 33 frames counted
  EXPECT_EQ(app.GetMeasuredFrameRate(), 33 * 1000 / 512);
  // From 528 ms on: seven more 16 ms frames, then 25 ms frames from 640 ms;
  // the next measurement closes on the first frame start at or after
  // 1012 ms, 640 + 15 * 25 = 1015, the 23rd frame since the last one.
  FrameDurations(22);
  EXPECT_EQ(app.GetMeasuredFrameRate(), 33 * 1000 / 512);
  FrameDurations(1);
  EXPECT_EQ(app.GetMeasuredFrameRate(), 23 * 1000 / (1015 - 512));
}

TEST_F(ApplicationTest, AssetLoadingOfTheFirstSceneCountsInTheFirstMeasurement) {
  app.SetFirstScene([this] {
    platform->AdvanceClock(400);
    return std::make_unique<TimedScene>(*platform, log, [](int) { return 1u; });
  });
  ASSERT_TRUE(app.Initialise(1280, 720));
  app.BeginFrames();
  FrameDurations(8);  // frame 8 starts at 400 + 7 * 16 = 512 ms
  EXPECT_EQ(app.GetMeasuredFrameRate(), 8 * 1000 / 512);
}

TEST_F(ApplicationTest, ClosingTheWindowEndsTheLoopBeforeTheNextFrame) {
  UseTimedScene([](int) { return 1u; });
  app.SetFrameHook([this] {
    if (app.FramesRun() == 2) platform->RequestClose();
  });
  app.Run();
  EXPECT_EQ(app.FramesRun(), 3u);
  int updates = 0;
  for (const auto& entry : log) updates += entry == "update";
  EXPECT_EQ(updates, 3) << "the frame whose pump closed the window does not run";
  EXPECT_EQ(log.back(), "window gone") << "shut-down still runs";
}

TEST_F(ApplicationTest, FrameHookRunsAfterTheSceneUpdateAndCanStopTheLoop) {
  UseTimedScene([](int) { return 1u; });
  app.SetFrameHook([this] {
    log.push_back("hook");
    if (app.FramesRun() == 1) app.RequestStop();
  });
  ASSERT_TRUE(app.Initialise(1280, 720));
  app.BeginFrames();
  log.clear();
  EXPECT_TRUE(app.RunFrame());
  EXPECT_FALSE(app.RunFrame());
  EXPECT_FALSE(app.RunFrame()) << "a stopped loop runs no more frames";
  EXPECT_EQ(log,
            (Log{"sound update", "update", "hook", "present", "sound update", "update", "hook", "present"}));
}

TEST_F(ApplicationTest, WithoutAFirstSceneTheLoopRunsNoScene) {
  app.SetFrameLimit(3);
  app.Run();
  EXPECT_EQ(app.FramesRun(), 3u);
  EXPECT_EQ(SceneManager::GetInstance().Current(), nullptr);
  EXPECT_EQ(platform->GetMilliseconds(), 48u) << "empty frames are still paced";
}

TEST(GameLocaleTest, SwitchesToUtf8TextAndFormatsNumbersWithADecimalPoint) {
  // Start from a locale the game does not use: one with a decimal comma where
  // the system has one, else the plain C locale (no UTF-8).
  const char* start = nullptr;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"}) {
    if ((start = std::setlocale(LC_ALL, name))) break;
  }
  if (!start) start = std::setlocale(LC_ALL, "C");
  ASSERT_NE(start, nullptr);
  const std::string startName = start;
  ASSERT_TRUE(startName == "C" || std::strcmp(std::localeconv()->decimal_point, ",") == 0) << startName;

  const char* set = SetGameLocale();
  ASSERT_NE(set, nullptr);
  EXPECT_NE(std::string(set), startName);
  EXPECT_STREQ(std::setlocale(LC_ALL, nullptr), set) << "the name is the locale now in force";
  EXPECT_GT(MB_CUR_MAX, 1u) << "UTF-8 text, multi-byte";
  EXPECT_STREQ(std::localeconv()->decimal_point, ".");
  char text[16];
  std::snprintf(text, sizeof text, "%.1f", 2.5);
  EXPECT_STREQ(text, "2.5");
  std::setlocale(LC_ALL, "C");
}

}  // namespace
