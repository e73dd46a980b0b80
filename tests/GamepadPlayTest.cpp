#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "DevRunInFolder.h"

// The pad, the look options and the pause played through `halvane-dev run`
// on the headless platform, as a player's scripts play them.

#ifdef HALVANE_DEV_TOOL

namespace {

DevRun Play(const std::string& name, const std::string& script, const std::string& options = "--start game") {
  return RunDevTool(HALVANE_BUILD_DIR, "pad-" + name, script, options);
}

float Yaw(const DevRun& run, int frame) {
  return run.trace[size_t(frame)]["player"]["yaw"].get<float>();
}

float Pitch(const DevRun& run, int frame) {
  return run.trace[size_t(frame)]["player"]["pitch"].get<float>();
}

float Z(const DevRun& run, int frame) {
  return run.trace[size_t(frame)]["player"]["pos"][2].get<float>();
}

// The player settles on the ground in the first 60 frames.
const std::string kSettle = "60\n";

TEST(GamepadPlayTest, SeventyFramesOfTheLeftStickForwardRun) {
  DevRun run = Play("run", kSettle + "70 ly=1\n");
  ASSERT_EQ(run.status, 0) << run.output;
  ASSERT_EQ(run.trace.size(), 130u);
  EXPECT_EQ(run.trace[118]["player"]["running"], false);
  EXPECT_EQ(run.trace[129]["player"]["running"], true);
  EXPECT_GT(Z(run, 129), Z(run, 59) + 35.0f);
  EXPECT_FLOAT_EQ(Yaw(run, 129), 0.0f);
}

TEST(GamepadPlayTest, AStickInsideTheDeadZoneDoesNothing) {
  DevRun run = Play("dead-zone", kSettle + "30 ly=0.2 lx=-0.1 rx=0.15 ry=-0.1\n");
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_FLOAT_EQ(Z(run, 89), Z(run, 59));
  EXPECT_FLOAT_EQ(Yaw(run, 89), 0.0f);
  EXPECT_FLOAT_EQ(Pitch(run, 89), 0.0f);
}

TEST(GamepadPlayTest, TheRightStickTurnsAndLooksAndTheTriggersFireAndCharge) {
  DevRun run = Play("look", kSettle + "10 rx=1\n5 ry=1\n1 PAD_RT\n20\n60 PAD_LT\n1\n");
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_FLOAT_EQ(Yaw(run, 60), 3.0f) << "full right: three degrees a frame";
  EXPECT_FLOAT_EQ(Yaw(run, 69), 30.0f);
  EXPECT_FLOAT_EQ(Pitch(run, 74), -15.0f) << "up looks up";
  EXPECT_EQ(run.trace[74]["player"]["ammo"], 30);
  EXPECT_EQ(run.trace[75]["player"]["ammo"], 29) << "the right trigger fires";
  EXPECT_EQ(run.trace[96]["player"]["charging"], true) << "the left trigger charges";
  EXPECT_EQ(run.trace[156]["player"]["chargeCooldownActive"], true) << "released full, the charge shot left";
}

TEST(GamepadPlayTest, SensitivityHalvesTheTurnAndInversionLooksTheOtherWay) {
  const std::string script = kSettle + "1 dx=120 dy=120\n1\n";
  DevRun plain = Play("plain", script);
  DevRun slow = Play("slow", script, "--start game --sensitivity 0.5");
  DevRun inverted = Play("inverted", script, "--start game --invert-y");
  for (const DevRun* run : {&plain, &slow, &inverted}) ASSERT_EQ(run->status, 0) << run->output;
  EXPECT_FLOAT_EQ(Yaw(plain, 60), 10.0f);
  EXPECT_FLOAT_EQ(Yaw(slow, 60), 5.0f) << "a 120-pixel motion at 0.5 turns 5 degrees";
  EXPECT_FLOAT_EQ(Pitch(plain, 60), 10.0f);
  EXPECT_FLOAT_EQ(Pitch(slow, 60), 5.0f);
  EXPECT_FLOAT_EQ(Pitch(inverted, 60), -10.0f) << "the same motion looks up";
  EXPECT_FLOAT_EQ(Yaw(inverted, 60), 10.0f);

  DevRun invertedStick = Play("inverted-stick", kSettle + "5 ry=1\n", "--start game --invert-y");
  ASSERT_EQ(invertedStick.status, 0) << invertedStick.output;
  EXPECT_FLOAT_EQ(Pitch(invertedStick, 64), 15.0f) << "stick up looks down";
}

TEST(GamepadPlayTest, PAndStartPauseAndResumeWhereItStopped) {
  DevRun run =
      Play("pause", kSettle + "10 W\n1 W P\n30 W dx=300 PAD_RT\n1 W P\n10 W\n1 PAD_START\n10 W\n1 P\n5 W\n");
  ASSERT_EQ(run.status, 0) << run.output;
  const float walked = Z(run, 69);
  EXPECT_GT(walked, Z(run, 59));
  // Frames 70 to 100 stand still: no step, no turn, no shot, and the sky too.
  EXPECT_FLOAT_EQ(Z(run, 100), walked);
  EXPECT_FLOAT_EQ(Yaw(run, 100), 0.0f);
  EXPECT_EQ(run.trace[100]["player"]["ammo"], 30);
  EXPECT_EQ(run.trace[100]["sky"], run.trace[70]["sky"]);
  EXPECT_FLOAT_EQ(Yaw(run, 101), 0.0f) << "the mouse moved while paused does not turn on resuming";
  EXPECT_GT(Z(run, 111), walked) << "P resumed";
  // Start pauses on its press and P resumes.
  EXPECT_FLOAT_EQ(Z(run, 122), Z(run, 112));
  EXPECT_GT(Z(run, 128), Z(run, 123));
}

TEST(GamepadPlayTest, APadAloneStartsFromTheTitleWalksOverTheFirstLineAndHitsAnEnemy) {
  DevRun run = Play("alone", "30\n1 PAD_RT\n110\n200 ly=1\n200 PAD_RT\n", "");
  ASSERT_EQ(run.status, 0) << run.output;
  int firstGame = -1, hitFrame = -1;
  for (const auto& frame : run.trace) {
    if (frame["scene"] != "game") continue;
    if (firstGame < 0) firstGame = frame["frame"];
    for (const auto& enemy : frame["enemies"]) {
      if (hitFrame < 0 && enemy["hp"] < enemy["maxHp"]) hitFrame = frame["frame"];
    }
  }
  EXPECT_EQ(firstGame, 130) << "the trigger clicked the title";
  EXPECT_GT(Z(run, 340), -115.0f) << "over the first line";
  EXPECT_GT(hitFrame, 340) << run.summary;
  EXPECT_LT(run.trace.back()["player"]["ammo"].get<int>(), 30);
}

TEST(GamepadPlayTest, OnTheDeadScreenTheRightStickMovesThePointerOverAButtonAndTheTriggerClicksIt) {
  // The title button sits 200 pixels right of and 150 below the centre:
  // seven frames of a full push down and to the right reach it.
  DevRun run = Play("dead-screen", kSettle + "set hp=0\n200\n7 rx=0.8 ry=-0.6\n5\n1 PAD_RT\n60\n");
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(run.trace[259]["hud"]["dead"]["active"], true);
  EXPECT_FLOAT_EQ(run.trace[260]["hud"]["dead"]["titleOpacity"].get<float>(), 0.4f);
  EXPECT_GT(run.trace[271]["hud"]["dead"]["titleOpacity"].get<float>(), 0.4f) << "the pointer is on it";
  EXPECT_FLOAT_EQ(run.trace[271]["hud"]["dead"]["retryOpacity"].get<float>(), 0.4f);
  EXPECT_EQ(run.trace[272]["hud"]["fadingOut"], true) << "the trigger clicked it";
  EXPECT_EQ(run.trace.back()["scene"], "title");
}

TEST(GamepadPlayTest, ScriptsRefuseAxesOutOfRangeAndButtonsThePadDoesNotUse) {
  for (const char* line : {"1 lx=1.5\n", "1 ry=up\n", "1 rx=\n", "1 PAD_B\n"}) {
    DevRun bad = Play("bad", std::string("1\n") + line);
    EXPECT_NE(bad.status, 0) << line;
    EXPECT_NE(bad.output.find("line 2"), std::string::npos) << bad.output;
  }
}

}  // namespace

#endif
