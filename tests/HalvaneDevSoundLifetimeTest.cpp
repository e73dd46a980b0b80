#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "DevRunInFolder.h"

// Sounds that belong to a moment of play end with it: the charge hum when the
// world stops, the boss warning's music when its play-through goes.

#ifdef HALVANE_DEV_TOOL

namespace {

const char* const kHum = "Data/Sound/stayCharge.wav";
const char* const kWarning = "Data/Sound/warning.wav";

DevRun RunSounds(const std::string& name, const std::string& script) {
  return RunDevTool(HALVANE_BUILD_DIR, "sounds-" + name, script, "--start game");
}

struct SoundCall {
  int frame;
  std::string op;
  bool effective;
};

// Every call on the file, in the order made.
std::vector<SoundCall> Calls(const DevRun& run, const std::string& file) {
  std::vector<SoundCall> calls;
  for (const auto& frame : run.trace) {
    for (const auto& sound : frame["sounds"]) {
      if (sound["file"] == file) calls.push_back({frame["frame"], sound["op"], sound["effective"]});
    }
  }
  return calls;
}

int FirstFrame(const DevRun& run, const std::string& op, const std::string& file) {
  for (const SoundCall& call : Calls(run, file)) {
    if (call.op == op) return call.frame;
  }
  return -1;
}

// Whether the file's loop plays after the frame's calls, following its loop calls.
bool LoopPlaysAfter(const DevRun& run, const std::string& file, int frame) {
  bool playing = false;
  for (const SoundCall& call : Calls(run, file)) {
    if (call.frame > frame) break;
    if (call.op == "PlayLoop" && call.effective) playing = true;
    if (call.op == "StopLoop" && call.effective) playing = false;
  }
  return playing;
}

std::string Cursor(int x, int y) {
  return "cursor=" + std::to_string(x + 640) + "," + std::to_string(360 - y);
}

TEST(HalvaneDevSoundLifetimeTest, TheHumStopsWhenTheWorldStopsAndNotLaterThanTheEndScreens) {
  struct Case {
    const char* name;
    const char* ending;      // the change that stops the world, the button still held
    const char* screenSound;  // what the end screen plays
  };
  for (const Case& c : {Case{"death", "set hp=0", "Data/Sound/dead.wav"},
                        Case{"clear", "set kill=21", "Data/Sound/clear.wav"}}) {
    SCOPED_TRACE(c.name);
    DevRun run = RunSounds(std::string("hum-") + c.name, "3\n60 RMB\n" + std::string(c.ending) + "\n200 RMB\n");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(FirstFrame(run, "PlayLoop", kHum), 48) << "full after 46 frames of holding";
    const int screen = FirstFrame(run, "Play", c.screenSound);
    ASSERT_GT(screen, 48);
    const int stopped = FirstFrame(run, "StopLoop", kHum);
    ASSERT_GT(stopped, 48);
    EXPECT_LE(stopped, screen);
    EXPECT_TRUE(LoopPlaysAfter(run, kHum, stopped - 1));
    EXPECT_FALSE(LoopPlaysAfter(run, kHum, stopped));
    EXPECT_FALSE(LoopPlaysAfter(run, kHum, 262)) << "the held button does not bring it back under the screen";
  }
}

TEST(HalvaneDevSoundLifetimeTest, AnInactiveWindowPausesTheHumUntilPlayResumesWithTheChargeHeld) {
  DevRun run = RunSounds("hum-inactive", "3\n60 RMB\n20 RMB inactive\n20 RMB\n10\n");
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_FALSE(LoopPlaysAfter(run, kHum, 47));
  EXPECT_TRUE(LoopPlaysAfter(run, kHum, 48));
  EXPECT_TRUE(LoopPlaysAfter(run, kHum, 62));
  EXPECT_FALSE(LoopPlaysAfter(run, kHum, 63)) << "quiet from the first inactive frame";
  EXPECT_FALSE(LoopPlaysAfter(run, kHum, 82));
  EXPECT_TRUE(LoopPlaysAfter(run, kHum, 83)) << "back with the first active frame";
  EXPECT_FALSE(LoopPlaysAfter(run, kHum, 103)) << "letting go stops it as ever";
  EXPECT_EQ(FirstFrame(run, "Play", "Data/Sound/chargeBullet.wav"), 103) << "the resumed charge still fires";
}

TEST(HalvaneDevSoundLifetimeTest, LeavingAPlayThroughDuringTheWarningTakesItsMusicAlong) {
  struct Case {
    const char* name;
    int buttonY;  // the dead screen's retry or title button
    const char* next;
  };
  for (const Case& c : {Case{"retry", -250, "game"}, Case{"title", -150, "title"}}) {
    SCOPED_TRACE(c.name);
    // Dying, the player is put past the boss line: the warning runs on over
    // the dead screen, and the button is clicked before its 150 frames end.
    DevRun run = RunSounds(std::string("warning-") + c.name,
                           "3\nset hp=0\n140\nset pos=0,3,486\n30\n1 LMB " + Cursor(200, c.buttonY) + "\n40\n");
    ASSERT_EQ(run.status, 0) << run.output;
    const int warned = FirstFrame(run, "PlayLoop", kWarning);
    ASSERT_EQ(warned, 143);
    ASSERT_LT(FirstFrame(run, "Play", "Data/Sound/dead.wav"), 173) << "the click lands on the dead screen";
    int next = -1;
    for (size_t i = 174; i < run.trace.size(); ++i) {
      if (run.trace[i]["scene"] == c.next && (c.next != std::string("game") || run.trace[i]["kill"] == 0) &&
          run.trace[i - 1]["hud"]["fade"] == 1.0) {
        next = static_cast<int>(i);
        break;
      }
    }
    ASSERT_GT(next, 0);
    ASSERT_LT(next, warned + 150) << "the warning would still run";
    EXPECT_TRUE(LoopPlaysAfter(run, kWarning, next - 1));
    EXPECT_FALSE(LoopPlaysAfter(run, kWarning, next)) << "stopped as the old scene goes";
    EXPECT_FALSE(LoopPlaysAfter(run, kWarning, static_cast<int>(run.trace.size()) - 1));
  }
}

}  // namespace

#endif
