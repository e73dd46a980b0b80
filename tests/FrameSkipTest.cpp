#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/FrameSkip.h"
#include "app/SceneManager.h"
#include "platform/headless/HeadlessPlatform.h"

namespace {

// Runs frames of the given cost (milliseconds from one frame's start to the
// next, by whether the frame draws) and returns "D" or "s" for each.
std::string Pattern(FrameSkip& skip, int frames, std::function<uint32_t(bool drew)> cost) {
  std::string pattern;
  for (int i = 0; i < frames; ++i) {
    const bool draw = skip.DrawsNext();
    pattern += draw ? 'D' : 's';
    skip.FrameDone(cost(draw), draw);
  }
  return pattern;
}

TEST(FrameSkipTest, OffEveryFrameDrawsHoweverLate) {
  FrameSkip skip;
  EXPECT_EQ(skip.GetMode(), FrameSkipMode::Off);
  EXPECT_EQ(Pattern(skip, 8, [](bool) { return 50u; }), "DDDDDDDD");
  EXPECT_FALSE(skip.CatchingUp());
}

TEST(FrameSkipTest, OnTimeFramesAllDraw) {
  FrameSkip skip;
  skip.SetMode(FrameSkipMode::WhenBehind);
  // The loop's 16 ms budget runs slightly ahead of the 60 Hz clock; a frame
  // of 17 now and then is no reason to skip.
  int frame = 0;
  EXPECT_EQ(Pattern(skip, 300, [&](bool) { return ++frame % 10 == 0 ? 17u : 16u; }), std::string(300, 'D'));
  EXPECT_LT(skip.LagMs(), 1.0f);
}

TEST(FrameSkipTest, SlowDrawsAreSkippedSoGameTimeKeepsPace) {
  FrameSkip skip;
  skip.SetMode(FrameSkipMode::WhenBehind);
  // Drawing costs 30 ms, an update alone 2 ms: one skipped draw in every
  // second or third frame keeps 60 updates a second.
  uint32_t elapsed = 0;
  const std::string pattern = Pattern(skip, 600, [&](bool drew) {
    const uint32_t ms = drew ? 30u : 2u;
    elapsed += ms;
    return ms;
  });
  EXPECT_EQ(pattern.substr(0, 6), "DDsDsD");
  EXPECT_EQ(pattern.find("ss"), std::string::npos);
  EXPECT_NEAR(float(elapsed), 600 * FrameSkip::kFrameMs, 2 * FrameSkip::kFrameMs);
  EXPECT_LT(skip.LagMs(), 2 * FrameSkip::kFrameMs);
}

TEST(FrameSkipTest, AtWorstTwoUpdatesInARowGoUndrawn) {
  FrameSkip skip;
  skip.SetMode(FrameSkipMode::WhenBehind);
  const std::string pattern = Pattern(skip, 30, [](bool drew) { return drew ? 80u : 20u; });
  EXPECT_EQ(pattern.find("sss"), std::string::npos);
  EXPECT_NE(pattern.find("Dss"), std::string::npos);
  EXPECT_EQ(skip.LagMs(), FrameSkip::kMaxLagMs) << "the debt is capped";
}

TEST(FrameSkipTest, AHitchIsCaughtUpOnlyUpToTheCap) {
  FrameSkip skip;
  skip.SetMode(FrameSkipMode::WhenBehind);
  int frame = 0;
  // One 900 ms frame (a scene built), then frames that draw in 10 ms and
  // update alone in 1.
  const std::string pattern = Pattern(skip, 20, [&](bool drew) {
    return frame++ == 2 ? 900u : drew ? 10u : 1u;
  });
  EXPECT_EQ(pattern.substr(0, 3), "DDD");
  // 100 ms of debt, paid off by 15.7 ms a skipped frame, 6.7 a drawn one.
  EXPECT_EQ(pattern.substr(3, 7), "ssDssDs");
  EXPECT_EQ(pattern.substr(10), std::string(10, 'D'));
}

TEST(FrameSkipTest, EveryOtherAlternatesWhateverTheClockAndOnlyCatchingUpSkipsTheSleep) {
  FrameSkip skip;
  skip.SetMode(FrameSkipMode::EveryOther);
  EXPECT_EQ(Pattern(skip, 7, [](bool) { return 1u; }), "DsDsDsD");
  EXPECT_EQ(Pattern(skip, 2, [](bool) { return 100u; }), "sD");
  EXPECT_FALSE(skip.DrawsNext());
  EXPECT_FALSE(skip.CatchingUp()) << "a check, not a machine behind: it keeps the loop's pace";
  skip.SetMode(FrameSkipMode::WhenBehind);
  EXPECT_TRUE(skip.DrawsNext()) << "a new mode starts afresh";
  skip.FrameDone(40, true);
  EXPECT_TRUE(skip.CatchingUp());
}

// A scene whose update takes 1 ms and whose drawing 30 ms, on the virtual clock.
class SlowDrawScene : public Scene {
 public:
  SlowDrawScene(HeadlessPlatform& platform, int& updates, int& draws)
      : platform(platform), updates(updates), draws(draws) {}
  void Update() override {
    ++updates;
    platform.AdvanceClock(1);
  }
  void Draw() override {
    ++draws;
    platform.AdvanceClock(30);
  }

 private:
  HeadlessPlatform& platform;
  int& updates;
  int& draws;
};

class FrameSkipLoopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto owned = std::make_unique<HeadlessPlatform>();
    platform = owned.get();
    InstallPlatform(std::move(owned));
    ApplicationServices services;
    services.present = [this] { ++presents; };
    app.SetServices(services);
    app.SetFirstScene([this] { return std::make_unique<SlowDrawScene>(*platform, updates, draws); });
    ASSERT_TRUE(app.Initialise(1280, 720));
  }
  void TearDown() override {
    SceneManager::GetInstance().Reset();
    UninstallPlatform();
  }
  // Runs the loop for the given virtual milliseconds.
  void RunFor(uint32_t ms) {
    app.BeginFrames();
    const uint32_t start = platform->GetMilliseconds();
    while (platform->GetMilliseconds() - start < ms) ASSERT_TRUE(app.RunFrame());
  }

  HeadlessPlatform* platform = nullptr;
  Application app;
  int updates = 0, draws = 0, presents = 0;
};

TEST_F(FrameSkipLoopTest, WithoutTheSkipASlowMachinePlaysInSlowMotion) {
  RunFor(3000);
  EXPECT_NEAR(updates, 97, 1);
  EXPECT_EQ(draws, updates);
  EXPECT_EQ(presents, updates);
  EXPECT_TRUE(app.LastFrameDrew());
  EXPECT_EQ(app.GetMeasuredDrawRate(), app.GetMeasuredFrameRate());
}

TEST_F(FrameSkipLoopTest, WithTheSkipGameTimeKeepsPaceAndSkippedFramesPresentNothing) {
  app.SetFrameSkip(FrameSkipMode::WhenBehind);
  RunFor(3000);
  EXPECT_NEAR(updates, 180, 4) << "60 updates a second";
  EXPECT_GE(draws * 3, updates) << "at least one frame in three is drawn";
  EXPECT_LT(draws, updates);
  EXPECT_EQ(presents, draws);
  EXPECT_NEAR(app.GetMeasuredFrameRate(), 60, 3);
  EXPECT_LT(app.GetMeasuredDrawRate(), app.GetMeasuredFrameRate());
  EXPECT_GE(app.GetMeasuredDrawRate(), 20);
}

// Records which of a scene's steps ran.
class StepScene : public Scene {
 public:
  explicit StepScene(std::string& steps) : steps(steps) {}
  void Update() override { steps += 'U'; }
  void SetCamera() override { steps += 'C'; }
  void Draw() override { steps += 'D'; }

 private:
  std::string& steps;
};

TEST(FrameSkipSceneTest, AFrameWithoutDrawingStillLoadsTheCamera) {
  std::string steps;
  SceneManager manager;
  manager.ChangeScene(std::make_unique<StepScene>(steps));
  manager.Update();
  manager.Update(false);
  manager.Update(true);
  EXPECT_EQ(steps, "UCDUCUCD");
}

#ifdef HALVANE_DEV_TOOL

// The autopilot's seed-4242 play-through, as a trace file's lines.
std::vector<std::string> BotTrace(const std::string& options) {
  const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
  const std::string tracePath = std::string(HALVANE_BUILD_DIR) + "/frame-skip-" + name +
                                (options.empty() ? "-plain" : "-skipping") + ".trace";
  std::remove(tracePath.c_str());
  const std::string command = std::string("cd '") + HALVANE_BUILD_DIR + "' && '" + HALVANE_DEV_TOOL +
                              "' run --bot --seed 4242 --trace '" + tracePath + "' " + options +
                              " >/dev/null 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  std::vector<std::string> lines;
  std::ifstream in(tracePath);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

// Drawing changes no game state: a play-through that skips every other draw
// is the same game, frame for frame, down to the sounds and the clear.
TEST(FrameSkipEquivalenceTest, SkippingEveryOtherDrawGivesTheSameTrace) {
  const std::vector<std::string> plain = BotTrace("");
  const std::vector<std::string> skipping = BotTrace("--frame-skip every-other");
  ASSERT_GT(plain.size(), 6000u) << "a whole play-through, back to the title";
  ASSERT_EQ(skipping.size(), plain.size());
  for (size_t i = 0; i < plain.size(); ++i) ASSERT_EQ(skipping[i], plain[i]) << "frame " << i;
}

#endif

}  // namespace
