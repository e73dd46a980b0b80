#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "DevRunInFolder.h"

#ifdef HALVANE_DEV_TOOL

namespace {
// Runs in the build folder (where Data/ lives) with files of the test's own
// name, so that tests may run side by side.
DevRun RunFlow(const std::string& name, const std::string& script, const std::string& options) {
  return RunDevTool(HALVANE_BUILD_DIR, "flow-" + name, script, options);
}

// The frames on which the file was played with the operation.
std::vector<int> SoundFrames(const DevRun& run, const std::string& op, const std::string& file) {
  std::vector<int> frames;
  for (const auto& frame : run.trace) {
    for (const auto& sound : frame["sounds"]) {
      if (sound["op"] == op && sound["file"] == file) frames.push_back(frame["frame"]);
    }
  }
  return frames;
}

// The first frame from `from` on that shows the scene.
int FirstFrameOf(const DevRun& run, const std::string& scene, size_t from = 0) {
  for (size_t i = from; i < run.trace.size(); ++i) {
    if (run.trace[i]["scene"] == scene) return static_cast<int>(i);
  }
  return -1;
}

// Client pixels of the screen point (origin at the centre, y up).
std::string Cursor(int x, int y) {
  return "cursor=" + std::to_string(x + 640) + "," + std::to_string(360 - y);
}

// Dies on frame 60 and lies dead well before frame 260.
const std::string kDeath = "60\nset hp=0\n200\n";
}  // namespace

TEST(HalvaneDevFlowTest, TheTitleStartsAGameOneHundredFramesAfterTheClick) {
  DevRun run = RunFlow("title", "20\n1 LMB " + Cursor(-100, 50) + "\n110\n", "");
  ASSERT_EQ(run.status, 0) << run.output;
  ASSERT_EQ(run.trace.size(), 131u);
  const auto& first = run.trace[0];
  EXPECT_EQ(first["scene"], "title");
  EXPECT_EQ(first["title"]["clicked"], false);
  EXPECT_NEAR(first["title"]["promptOpacity"].get<float>(), 0.99f, 1e-5f);
  EXPECT_EQ(SoundFrames(run, "PlayLoop", "Data/Sound/TitleBGM.wav"), std::vector<int>{0});

  EXPECT_EQ(run.trace[20]["title"]["clicked"], true);
  EXPECT_NEAR(run.trace[20]["title"]["fade"].get<float>(), 0.01f, 1e-5f);
  EXPECT_EQ(SoundFrames(run, "Play", "Data/Sound/chargeBullet.wav"), std::vector<int>{20});
  EXPECT_EQ(SoundFrames(run, "StopLoop", "Data/Sound/TitleBGM.wav"), std::vector<int>{20});
  EXPECT_NEAR(run.trace[118]["title"]["fade"].get<float>(), 0.99f, 1e-4f);
  EXPECT_EQ(run.trace[119]["title"]["fade"], 1.0);
  EXPECT_EQ(run.trace[119]["scene"], "title");

  const auto& game = run.trace[120];
  EXPECT_EQ(game["scene"], "game");
  EXPECT_EQ(game["kill"], 0);
  EXPECT_NEAR(game["hud"]["fade"].get<float>(), 0.98f, 1e-5f);
  EXPECT_EQ(game["hud"]["fadingOut"], false);
  EXPECT_EQ(SoundFrames(run, "PlayLoop", "Data/Sound/game.wav"), std::vector<int>{120});
  EXPECT_EQ(run.summary["scene"], "game");
  EXPECT_EQ(run.summary["cleared"], false);
  EXPECT_EQ(run.summary["dead"], false);
}

TEST(HalvaneDevFlowTest, DeathThenRetryStartsAFreshPlayThrough) {
  DevRun run =
      RunFlow("retry", "set kill=5\n" + kDeath + "1 LMB " + Cursor(200, -250) + "\n40\n", "--start game");
  ASSERT_EQ(run.status, 0) << run.output;
  ASSERT_EQ(run.trace.size(), 301u);
  EXPECT_EQ(run.trace[59]["player"]["alive"], true);
  const auto& dead = run.trace[259];
  EXPECT_EQ(dead["player"]["alive"], false);
  EXPECT_EQ(dead["hud"]["dead"]["active"], true);
  EXPECT_NEAR(dead["hud"]["fade"].get<float>(), 0.7f, 1e-5f);
  ASSERT_EQ(SoundFrames(run, "Play", "Data/Sound/dead.wav").size(), 1u);
  int diedAt = SoundFrames(run, "Play", "Data/Sound/dead.wav")[0];
  EXPECT_EQ(SoundFrames(run, "StopLoop", "Data/Sound/game.wav"), std::vector<int>{diedAt});
  EXPECT_EQ(run.trace[diedAt - 1]["hud"]["dead"]["active"], false);
  // The world stands still under the dead screen.
  EXPECT_EQ(run.trace[diedAt]["sky"], run.trace[259]["sky"]);

  EXPECT_EQ(run.trace[260]["hud"]["fadingOut"], true);
  EXPECT_GT(run.trace[260]["hud"]["dead"]["retryOpacity"].get<float>(), 0.4f);
  EXPECT_EQ(SoundFrames(run, "Play", "Data/Sound/Decision.wav"), std::vector<int>{260});
  // From the dim 0.7 up by 0.02 a frame: full on frame 275, the new scene on 276.
  bool fresh = false;
  for (size_t i = 261; i < run.trace.size(); ++i) {
    if (run.trace[i]["kill"] == 0) {
      fresh = true;
      EXPECT_EQ(run.trace[i]["player"]["hp"], 20);
      EXPECT_EQ(run.trace[i]["player"]["alive"], true);
      EXPECT_NEAR(run.trace[i]["hud"]["fade"].get<float>(), 0.98f, 1e-5f);
      EXPECT_EQ(run.trace[i]["hud"]["dead"]["active"], false);
      EXPECT_EQ(SoundFrames(run, "PlayLoop", "Data/Sound/game.wav").back(), static_cast<int>(i));
      EXPECT_EQ(run.trace[i - 1]["hud"]["fade"], 1.0);
      EXPECT_EQ(i, 276u);
      break;
    }
  }
  EXPECT_TRUE(fresh);
  EXPECT_EQ(run.summary["scene"], "game");
  EXPECT_EQ(run.summary["kill"], 0);
  EXPECT_EQ(run.summary["dead"], false);
}

TEST(HalvaneDevFlowTest, DeathThenTitleReturnsToAWaitingTitle) {
  DevRun run = RunFlow("dead-title", kDeath + "1 LMB " + Cursor(200, -150) + "\n40\n", "--start game");
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(run.trace[259]["hud"]["dead"]["active"], true);
  EXPECT_EQ(SoundFrames(run, "Play", "Data/Sound/Decision.wav"), std::vector<int>{260});
  int title = FirstFrameOf(run, "title", 60);
  EXPECT_EQ(title, 276);
  ASSERT_GT(title, 0);
  EXPECT_EQ(run.trace[title]["title"]["clicked"], false);
  EXPECT_EQ(run.trace[title]["title"]["fade"], 0.0);
  EXPECT_EQ(SoundFrames(run, "PlayLoop", "Data/Sound/TitleBGM.wav"), std::vector<int>{title});
  EXPECT_EQ(run.summary["scene"], "title");
  EXPECT_EQ(run.summary["cleared"], false);
  EXPECT_EQ(run.summary["dead"], false);
}

TEST(HalvaneDevFlowTest, TheClearScreenLeadsBackToTheTitle) {
  DevRun run =
      RunFlow("clear", "60\nset kill=21\n110\n1 LMB " + Cursor(300, -125) + "\n60\n", "--start game");
  ASSERT_EQ(run.status, 0) << run.output;
  ASSERT_EQ(run.trace.size(), 231u);
  EXPECT_EQ(run.trace[59]["hud"]["clear"]["active"], false);
  EXPECT_EQ(run.trace[60]["hud"]["clear"]["active"], true);
  EXPECT_EQ(SoundFrames(run, "Play", "Data/Sound/clear.wav"), std::vector<int>{60});
  EXPECT_EQ(SoundFrames(run, "StopLoop", "Data/Sound/Boss.wav"), std::vector<int>{60});
  // Frozen from the frame of the clear on.
  EXPECT_NE(run.trace[58]["sky"], run.trace[59]["sky"]);
  EXPECT_EQ(run.trace[59]["sky"], run.trace[60]["sky"]);
  EXPECT_EQ(run.trace[60]["sky"], run.trace[169]["sky"]);

  EXPECT_EQ(run.trace[170]["hud"]["fadingOut"], true);
  EXPECT_NEAR(run.trace[170]["hud"]["clear"]["buttonOpacity"].get<float>(), 0.42f, 1e-5f);
  EXPECT_EQ(SoundFrames(run, "Play", "Data/Sound/Decision.wav"), std::vector<int>{170});
  EXPECT_EQ(run.trace[220]["hud"]["fade"], 1.0);
  EXPECT_EQ(FirstFrameOf(run, "title", 60), 221);
  EXPECT_EQ(run.summary["scene"], "title");
}

TEST(HalvaneDevFlowTest, TheSummaryTellsAClearedRun) {
  DevRun run = RunFlow("cleared", "60\nset kill=21\n10\n", "--start game");
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(run.summary["cleared"], true);
  EXPECT_EQ(run.summary["dead"], false);
}

TEST(HalvaneDevFlowTest, TheBossLineBringsUpTheWarningAndItsMusic) {
  DevRun run = RunFlow("warning", "60\nset pos=0,3,486\n160\n", "--start game");
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(run.trace[59]["hud"]["warning"]["active"], false);
  const auto& start = run.trace[60]["hud"]["warning"];
  EXPECT_EQ(start["active"], true);
  EXPECT_EQ(start["framesLeft"], 149);
  EXPECT_NEAR(start["opacity"].get<float>(), 0.01f, 1e-5f);
  EXPECT_EQ(SoundFrames(run, "StopLoop", "Data/Sound/game.wav"), std::vector<int>{60});
  EXPECT_EQ(SoundFrames(run, "PlayLoop", "Data/Sound/warning.wav"), std::vector<int>{60});
  EXPECT_EQ(SoundFrames(run, "PlayLoop", "Data/Sound/Boss.wav"), std::vector<int>{60});
  EXPECT_EQ(run.trace[208]["hud"]["warning"]["active"], true);
  EXPECT_EQ(run.trace[209]["hud"]["warning"]["active"], false);
  EXPECT_EQ(run.trace[209]["hud"]["warning"]["framesLeft"], 0);
  EXPECT_EQ(SoundFrames(run, "StopLoop", "Data/Sound/warning.wav"), std::vector<int>{209});
  // The line is past the first two waves' lines too; the third comes with the countdown's end.
  EXPECT_EQ(run.trace[208]["enemies"].size(), 16u);
  EXPECT_EQ(run.trace[209]["enemies"].size(), 21u);
}

TEST(HalvaneDevFlowTest, APlayerGoesFromTheTitleThroughDeathAndRetryBackToTheTitle) {
  const std::string script = "10\n1 LMB\n150\nset hp=0\n200\n1 LMB " + Cursor(200, -250) +
                             "\n60\nset hp=0\n200\n1 LMB " + Cursor(200, -150) + "\n30\n";
  DevRun run = RunFlow("whole", script, "");
  ASSERT_EQ(run.status, 0) << run.output;
  ASSERT_EQ(run.trace.size(), 653u);
  // The click on frame 10 starts the game 100 frames on. A button's click
  // starts the fade out from the dim 0.7 on the next frame (the fade updates
  // before the screens); 15 steps later it is full and the next frame shows
  // the new scene.
  // Every scene starts its own music on its first frame.
  EXPECT_EQ(FirstFrameOf(run, "game"), 110);
  EXPECT_EQ(FirstFrameOf(run, "title", 110), 638);
  EXPECT_EQ(SoundFrames(run, "PlayLoop", "Data/Sound/TitleBGM.wav"), (std::vector<int>{0, 638}));
  EXPECT_EQ(SoundFrames(run, "PlayLoop", "Data/Sound/game.wav"), (std::vector<int>{110, 377}));
  EXPECT_NEAR(run.trace[377]["hud"]["fade"].get<float>(), 0.98f, 1e-5f);
  EXPECT_EQ(SoundFrames(run, "Play", "Data/Sound/dead.wav").size(), 2u);
  EXPECT_EQ(SoundFrames(run, "Play", "Data/Sound/Decision.wav"), (std::vector<int>{361, 622}));
  // The retry is a fresh play-through; the title waits for its own click.
  EXPECT_EQ(run.trace[377]["player"]["hp"], 20);
  EXPECT_EQ(run.trace[377]["hud"]["dead"]["active"], false);
  EXPECT_EQ(run.trace[638]["title"]["clicked"], false);
  EXPECT_EQ(run.summary["scene"], "title");
}

TEST(HalvaneDevFlowTest, TheReloadPromptComesWithTheTenthRoundFromTheEnd) {
  DevRun run = RunFlow("prompt", "60\nset ammo=11\n5\nset ammo=10\n8\n", "--start game");
  ASSERT_EQ(run.status, 0) << run.output;
  ASSERT_EQ(run.trace.size(), 73u);
  EXPECT_EQ(run.trace[64]["player"]["ammo"], 11);
  EXPECT_EQ(run.trace[64]["hud"]["reloadShown"], false);
  EXPECT_EQ(run.trace[65]["player"]["ammo"], 10);
  EXPECT_EQ(run.trace[65]["hud"]["reloadShown"], true);
}

#endif
