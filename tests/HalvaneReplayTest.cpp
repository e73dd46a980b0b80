// Replays end to end: runs recorded with `halvane-dev run --record` and played
// back with `--script`, and the game's own `halvane --replay` refusing broken
// files and playing a cut-off one.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#if defined(HALVANE_DEV_TOOL) && defined(HALVANE_GAME)

namespace {
struct ToolRun {
  int status = -1;
  std::string output;
  nlohmann::json summary;
};

std::string Path(const std::string& name) {
  const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
  return std::string(HALVANE_BUILD_DIR) + "/replay-" + test + "-" + name;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// Runs a command from the build folder, where Data/ lives.
ToolRun Shell(const std::string& command) {
  ToolRun run;
  FILE* pipe = popen(("cd '" + std::string(HALVANE_BUILD_DIR) + "' && " + command + " 2>&1").c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) run.output.append(buffer, n);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::stringstream lines(run.output);
  std::string line, last;
  while (std::getline(lines, line)) {
    if (!line.empty() && line[0] == '{') last = line;
  }
  if (!last.empty()) run.summary = nlohmann::json::parse(last);
  return run;
}

ToolRun Dev(const std::string& args) {
  return Shell(std::string("'") + HALVANE_DEV_TOOL + "' run " + args);
}

// The game on SDL's offscreen driver: no display, OpenGL on the software rasteriser.
// Under the sanitizers the game keeps every check but the leak check: the
// software driver leaves 240 bytes that LeakSanitizer can only place in an
// unknown module, and the exit status is what these cases read. The game's own
// memory is leak-checked in this process and in the sanitizer play-through.
ToolRun Game(const std::string& args) {
#if defined(HALVANE_SANITIZE)
  const std::string leakCheck = "ASAN_OPTIONS=halt_on_error=1:detect_leaks=0 ";
#else
  const std::string leakCheck;
#endif
  return Shell("env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=offscreen " + leakCheck + "'" + HALVANE_GAME +
               "' " + args);
}

int CountLines(const std::string& text, const std::string& start) {
  std::stringstream lines(text);
  std::string line;
  int count = 0;
  while (std::getline(lines, line)) count += line.rfind(start, 0) == 0;
  return count;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::stringstream in(text);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

// A death and a retry: two game scenes, each seeded and each with wandering
// blue enemies, which draw on the random generator.
const char* const kDieAndRetry =
    "70\n"
    "1 LMB\n"
    "200\n"
    "set pos=40,3,-115\n"
    "5\n"
    "set pos=40,3,-114.9\n"
    "120 W dx=3\n"
    "set hp=0\n"
    "200\n"
    "1 LMB cursor=840,610\n"
    "40\n"
    "set pos=40,3,-115\n"
    "5\n"
    "set pos=40,3,-114.9\n"
    "150 A dx=-2\n";
}  // namespace

TEST(HalvaneReplayTest, ABotRunRecordedAndPlayedHeadlessIsTheSameRunFrameForFrame) {
  const std::string replay = Path("bot.replay"), recorded = Path("recorded.trace");
  const std::string plain = Path("plain.trace"), played = Path("played.trace");
  ToolRun bot = Dev("--bot --seed 7 --trace '" + recorded + "' --record '" + replay + "'");
  ASSERT_EQ(bot.status, 0) << bot.output;
  ASSERT_EQ(bot.summary["cleared"], true) << bot.output;
  const std::string text = ReadFile(replay);
  EXPECT_EQ(text.rfind("Halvane replay 0.9.7\n", 0), 0u);
  EXPECT_EQ(CountLines(text, "seed "), 1);

  // Recording does not change the run.
  ToolRun unrecorded = Dev("--bot --seed 7 --trace '" + plain + "'");
  EXPECT_EQ(unrecorded.summary, bot.summary);
  EXPECT_TRUE(ReadFile(plain) == ReadFile(recorded))
      << "the recorded run's trace differs from the plain run's";

  // Played back on another clock: the seed comes from the file.
  ToolRun replayed = Dev("--script '" + replay + "' --clock-ms 123456 --trace '" + played + "'");
  ASSERT_EQ(replayed.status, 0) << replayed.output;
  EXPECT_EQ(replayed.summary, bot.summary) << replayed.output;
  const std::vector<std::string> a = Lines(ReadFile(recorded)), b = Lines(ReadFile(played));
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < a.size(); ++i) ASSERT_EQ(a[i], b[i]) << "frame " << i;
}

TEST(HalvaneReplayTest, ARunThatDiesAndRetriesReplaysWithBothOfItsSeeds) {
  const std::string script = Path("die.script"), replay = Path("die.replay");
  const std::string recorded = Path("recorded.trace"), played = Path("played.trace");
  WriteFile(script, kDieAndRetry);
  ToolRun run =
      Dev("--script '" + script + "' --clock-ms 4100 --trace '" + recorded + "' --record '" + replay + "'");
  ASSERT_EQ(run.status, 0) << run.output;
  const std::string text = ReadFile(replay);
  EXPECT_EQ(CountLines(text, "seed "), 2);
  EXPECT_EQ(CountLines(text, "set "), 5);

  ToolRun replayed = Dev("--script '" + replay + "' --trace '" + played + "'");
  ASSERT_EQ(replayed.status, 0) << replayed.output;
  EXPECT_EQ(replayed.summary["deaths"], 1);
  EXPECT_EQ(replayed.summary["sceneChanges"], 2);
  EXPECT_EQ(replayed.summary["frames"], 792);
  EXPECT_TRUE(ReadFile(recorded) == ReadFile(played)) << "the replay's trace differs from the run's";

  // Another second seed: the same game up to the retry, another one after it.
  const size_t second = text.rfind("seed ");
  const size_t end = text.find('\n', second);
  long retryFrame = 0;  // the first frame of the second game scene
  for (const std::string& line : Lines(text.substr(0, second))) {
    if (!line.empty() && std::isdigit(static_cast<unsigned char>(line[0])))
      retryFrame += std::atol(line.c_str());
  }
  WriteFile(replay, text.substr(0, second) + "seed 1" + text.substr(end));
  ToolRun other = Dev("--script '" + replay + "' --trace '" + played + "'");
  ASSERT_EQ(other.status, 0) << other.output;
  const std::vector<std::string> a = Lines(ReadFile(recorded)), b = Lines(ReadFile(played));
  ASSERT_EQ(a.size(), b.size());
  ASSERT_GT(retryFrame, 500);
  for (long i = 0; i < retryFrame; ++i) ASSERT_EQ(a[i], b[i]) << "frame " << i;
  EXPECT_NE(a.back(), b.back());
}

TEST(HalvaneReplayTest, AReplayStartsWhereItsRecordingDid) {
  const std::string script = Path("walk.script"), replay = Path("walk.replay");
  const std::string recorded = Path("recorded.trace"), played = Path("played.trace");
  WriteFile(script, "30 W dx=4\nset ammo=3\n20 LMB\n");
  ToolRun run = Dev("--start game --clock-ms 777 --script '" + script + "' --trace '" + recorded +
                    "' --record '" + replay + "'");
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(ReadFile(replay).rfind("Halvane replay 0.9.7\nseed 777\n", 0), 0u) << ReadFile(replay);
  ToolRun replayed = Dev("--start title --script '" + replay + "' --trace '" + played + "'");
  ASSERT_EQ(replayed.status, 0) << replayed.output;
  EXPECT_EQ(replayed.summary["scene"], "game");
  EXPECT_EQ(replayed.summary["frames"], 50);
  EXPECT_TRUE(ReadFile(recorded) == ReadFile(played)) << "the replay's trace differs from the run's";
}

TEST(HalvaneReplayTest, TheGameRefusesBrokenReplaysAndUnwritablePathsBeforeStarting) {
  struct Case {
    const char* name;
    std::string text;
    std::string says;
  };
  const Case cases[] = {
      {"script", "10 W\n5\n", ": line 1: not a Halvane replay"},
      {"old", "Halvane replay 0.9.6\n5\n", ": line 1: a replay of Halvane 0.9.6"},
      {"token", "Halvane replay 0.9.7\n61 cursor=640,360\n4 W JUMP\n5\n", ": line 3: unknown token \"JUMP\""},
      {"set", "Halvane replay 0.9.7\nset hp=3\n5\n", ": line 2:"},
  };
  for (const Case& c : cases) {
    const std::string path = Path(c.name);
    WriteFile(path, c.text);
    ToolRun run = Game("--replay '" + path + "'");
    EXPECT_EQ(run.status, 2) << c.name << ": " << run.output;
    EXPECT_NE(run.output.find("halvane: " + path + c.says), std::string::npos) << run.output;
    // One line, and no window or asset was touched.
    EXPECT_EQ(Lines(run.output).size(), 1u) << run.output;
  }
  ToolRun missing = Game("--replay '" + Path("none") + "'");
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.output.find("cannot read"), std::string::npos) << missing.output;
  ToolRun unwritable = Game("--record '" + Path("no-folder/x.replay") + "'");
  EXPECT_EQ(unwritable.status, 2);
  EXPECT_NE(unwritable.output.find("cannot write " + Path("no-folder/x.replay")), std::string::npos)
      << unwritable.output;
}

TEST(HalvaneReplayTest, TheGamePlaysACutOffReplayToItsLastWholeLineAndSummarises) {
  const std::string path = Path("cut.replay");
  WriteFile(path, "Halvane replay 0.9.7\n4 cursor=640,360\n3 cursor=700,360\n2 W curs");
  ToolRun run = Game("--replay '" + path + "'");
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("halvane: " + path + ": line 4 is cut off and is left out"), std::string::npos)
      << run.output;
  EXPECT_EQ(run.summary["frames"], 7) << run.output;
  EXPECT_EQ(run.summary["scene"], "title");
  EXPECT_EQ(run.summary["cleared"], false);
}

TEST(HalvaneReplayTest, AGameSceneWithoutItsSeedLineStopsTheReplayWithStatusTwo) {
  // The autopilot's start: the title, the click, the fade, and the game scene.
  const std::string recorded = Path("start.replay"), broken = Path("broken.replay");
  ASSERT_EQ(Dev("--bot --seed 4242 --frames 170 --record '" + recorded + "'").status, 0);
  std::string text = ReadFile(recorded);
  const size_t seed = text.find("seed ");
  ASSERT_NE(seed, std::string::npos);
  const int seedLine = 1 + static_cast<int>(std::count(text.begin(), text.begin() + seed, '\n'));
  text.erase(seed, text.find('\n', seed) + 1 - seed);
  WriteFile(broken, text);

  ToolRun game = Game("--replay '" + broken + "'");
  EXPECT_EQ(game.status, 2) << game.output;
  EXPECT_NE(game.output.find(broken + ": line " + std::to_string(seedLine - 1) + ": a game scene starts"),
            std::string::npos)
      << game.output;
  EXPECT_TRUE(game.summary.is_null()) << game.output;

  ToolRun dev = Dev("--script '" + broken + "'");
  EXPECT_NE(dev.status, 0);
  EXPECT_NE(dev.output.find("no seed line"), std::string::npos) << dev.output;
}

#endif
