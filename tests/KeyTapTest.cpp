#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "DevRunInFolder.h"
#include "platform/KeyLatch.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessPlatform.h"

namespace {

TEST(KeyLatchTest, APressHoldsUntilTheNextClearAndStrangeCodesAreIgnored) {
  KeyLatch latch;
  latch.Press(Key::LButton);
  latch.Press(-1);
  latch.Press(256);
  EXPECT_TRUE(latch.Holds(Key::LButton));
  EXPECT_FALSE(latch.Holds(Key::RButton));
  EXPECT_FALSE(latch.Holds(-1));
  EXPECT_FALSE(latch.Holds(256));
  latch.Clear();
  EXPECT_FALSE(latch.Holds(Key::LButton));
}

TEST(HeadlessTapTest, ATapReadsDownForOneFrameAndAHeldKeyStaysDown) {
  HeadlessPlatform platform;
  ASSERT_TRUE(platform.CreateGameWindow("tap", 1280, 720));
  platform.SetPumpHook([&] { platform.TapKey(Key::LButton); });
  platform.PumpMessages();
  EXPECT_TRUE(platform.IsKeyDown(Key::LButton));
  EXPECT_TRUE(platform.IsKeyDown(Key::LButton)) << "every read of the frame sees it";
  platform.SetPumpHook(nullptr);
  platform.PumpMessages();
  EXPECT_FALSE(platform.IsKeyDown(Key::LButton)) << "released before the frame after";

  platform.SetKeyDown(Key::W, true);
  platform.PumpMessages();
  platform.PumpMessages();
  EXPECT_TRUE(platform.IsKeyDown(Key::W));
}

#ifdef HALVANE_DEV_TOOL

int CountSounds(const DevRun& run, const std::string& file) {
  int count = 0;
  for (const auto& frame : run.trace) {
    for (const auto& sound : frame["sounds"]) count += sound["file"] == file;
  }
  return count;
}

TEST(HalvaneDevTapTest, TheTitleStartsOnAOneFrameTap) {
  DevRun run = RunDevTool(HALVANE_BUILD_DIR, "tap-title", "20\n1 tap=LMB\n110\n", "");
  ASSERT_EQ(run.status, 0) << run.output;
  ASSERT_EQ(run.trace.size(), 131u);
  EXPECT_EQ(run.trace[19]["title"]["clicked"], false);
  EXPECT_EQ(run.trace[20]["title"]["clicked"], true);
  EXPECT_EQ(run.trace.back()["scene"], "game");
}

TEST(HalvaneDevTapTest, ATappedFireButtonFiresExactlyOneShot) {
  DevRun run = RunDevTool(HALVANE_BUILD_DIR, "tap-fire", "60\n1 tap=LMB\n30\n", "--start game");
  ASSERT_EQ(run.status, 0) << run.output;
  ASSERT_EQ(run.trace.size(), 91u);
  EXPECT_EQ(CountSounds(run, "Data/Sound/playerBullet.wav"), 1);
  EXPECT_EQ(run.trace[59]["player"]["ammo"], 30);
  EXPECT_EQ(run.trace[60]["player"]["ammo"], 29);
  EXPECT_EQ(run.trace.back()["player"]["ammo"], 29);

  DevRun bad = RunDevTool(HALVANE_BUILD_DIR, "tap-bad", "1\n1 tap=JUMP\n", "--start game");
  EXPECT_NE(bad.status, 0);
  EXPECT_NE(bad.output.find("line 2"), std::string::npos) << bad.output;
}

#endif

}  // namespace
