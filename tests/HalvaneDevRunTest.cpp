#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#ifdef HALVANE_DEV_TOOL

namespace {
struct RunResult {
  int status = -1;
  std::string output;
  std::vector<nlohmann::json> trace;
};

// Runs the tool from the build folder, where Data/ lives. Files are named
// after the test, so tests running in parallel keep apart.
RunResult RunTool(const std::string& script, const std::string& options) {
  const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
  const std::string scriptPath = "halvane-dev-run-" + name + ".script";
  const std::string tracePath = "halvane-dev-run-" + name + ".trace";
  std::ofstream(scriptPath) << script;
  std::remove(tracePath.c_str());
  std::string command = std::string("cd '") + HALVANE_BUILD_DIR + "' && '" + HALVANE_DEV_TOOL +
                        "' run --start game --script " + scriptPath + " --trace " + tracePath + " " + options + " 2>&1";
  RunResult result;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return result;
  char buffer[4096];
  while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) result.output.append(buffer, n);
  result.status = pclose(pipe);
  std::ifstream in(std::string(HALVANE_BUILD_DIR) + "/" + tracePath);
  std::string line;
  while (std::getline(in, line)) result.trace.push_back(nlohmann::json::parse(line));
  return result;
}

nlohmann::json LastLine(const std::string& output) {
  std::stringstream lines(output);
  std::string line, last;
  while (std::getline(lines, line)) {
    if (!line.empty() && line[0] == '{') last = line;
  }
  return nlohmann::json::parse(last);
}

int CountSounds(const std::vector<nlohmann::json>& trace, const std::string& file) {
  int count = 0;
  for (const auto& frame : trace) {
    for (const auto& sound : frame["sounds"]) count += sound["file"] == file;
  }
  return count;
}
}  // namespace

TEST(HalvaneDevRunTest, ScriptedWalkLookJumpAndDoor) {
  RunResult run = RunTool(
      "# settle, walk, look right, jump, then open the door\n"
      "60\n"
      "20 W\n"
      "1 dx=120\n"
      "1 SPACE\n"
      "40\n"
      "set kill=4\n"
      "set pos=10,3,-200\n"
      "5\n",
      "--frames 130 --clock-ms 5000");
  ASSERT_EQ(run.status, 0) << run.output;
  ASSERT_EQ(run.trace.size(), 130u);

  const auto& first = run.trace[0];
  EXPECT_EQ(first["frame"], 0);
  EXPECT_EQ(first["scene"], "game");
  EXPECT_EQ(first["kill"], 0);
  for (const char* key : {"pos", "yaw", "pitch", "hp", "maxHp", "alive", "running", "runCounter", "jumping",
                          "landed", "verticalSpeed", "damageCooldown", "tint"}) {
    EXPECT_TRUE(first["player"].contains(key)) << key;
  }
  EXPECT_TRUE(first["camera"].contains("eye"));
  EXPECT_TRUE(first["camera"].contains("viewDir"));
  EXPECT_EQ(first["sounds"][0]["op"], "PlayLoop");
  EXPECT_EQ(first["sounds"][0]["file"], "Data/Sound/game.wav");

  // Standing on the start point, then walking at half a unit a frame.
  EXPECT_NEAR(run.trace[59]["player"]["pos"][1].get<float>(), 3.0f, 1e-4f);
  float z59 = run.trace[59]["player"]["pos"][2];
  float z79 = run.trace[79]["player"]["pos"][2];
  EXPECT_NEAR(z79 - z59, 10.0f, 1e-3f);
  EXPECT_EQ(run.trace[79]["player"]["runCounter"], 20);
  // 120 pixels to the right turn by 10 degrees.
  EXPECT_NEAR(run.trace[80]["player"]["yaw"].get<float>(), 10.0f, 1e-4f);
  EXPECT_EQ(run.trace[81]["player"]["jumping"], true);
  EXPECT_NEAR(run.trace[81]["player"]["verticalSpeed"].get<float>(), 0.8f, 1e-5f);
  EXPECT_EQ(CountSounds(run.trace, "Data/Sound/Jump.wav"), 1);
  EXPECT_EQ(CountSounds(run.trace, "Data/Sound/Land.wav"), 1);

  // The scene changes act before frame 122.
  EXPECT_EQ(run.trace[121]["kill"], 0);
  EXPECT_EQ(run.trace[122]["kill"], 4);
  EXPECT_EQ(run.trace[122]["doors"]["door"], 0.25);
  EXPECT_EQ(run.trace[129]["doors"]["door"], 2.0);
  EXPECT_EQ(CountSounds(run.trace, "Data/Sound/openDoor.wav"), 1);
  EXPECT_NEAR(run.trace[122]["player"]["pos"][0].get<float>(), 10.0f, 1e-4f);
  EXPECT_NEAR(run.trace[129]["sky"].get<float>(), 13.0f, 1e-3f);

  nlohmann::json summary = LastLine(run.output);
  EXPECT_EQ(summary["frames"], 130);
  EXPECT_EQ(summary["scene"], "game");
  EXPECT_EQ(summary["kill"], 4);
  EXPECT_EQ(summary["hp"], 20);
}

TEST(HalvaneDevRunTest, InactiveWindowFreezesEscapeEndsAndBadScriptsAreRefused) {
  RunResult run = RunTool("10 W inactive\n5 W\n", "");
  ASSERT_EQ(run.status, 0) << run.output;
  ASSERT_EQ(run.trace.size(), 15u);
  EXPECT_EQ(run.trace[9]["player"]["pos"][2], -240.0);
  EXPECT_EQ(run.trace[9]["sky"], 0.0);
  EXPECT_GT(run.trace[14]["player"]["pos"][2].get<float>(), -240.0f);

  RunResult closed = RunTool("5\n1 ESC\n5\n", "");
  ASSERT_EQ(closed.status, 0) << closed.output;
  EXPECT_EQ(closed.trace.size(), 5u);
  EXPECT_EQ(LastLine(closed.output)["frames"], 5);

  RunResult bad = RunTool("10 JUMP\n", "");
  EXPECT_NE(bad.status, 0);
  EXPECT_NE(bad.output.find("line 1"), std::string::npos) << bad.output;
}

// The render scale changes only how the world is drawn: headless, where
// nothing is drawn, every setting gives the same trace.
TEST(HalvaneDevRunTest, RenderScaleSettingsLeaveTheTraceAsItIsAndBadOnesAreRefused) {
  const std::string script = "30 W LMB\n20 A\n";
  RunResult plain = RunTool(script, "--draws on");
  ASSERT_EQ(plain.status, 0) << plain.output;
  ASSERT_EQ(plain.trace.size(), 50u);
  for (const char* scale : {"auto", "1", "0.75", "0.5"}) {
    RunResult scaled = RunTool(script, std::string("--draws on --render-scale ") + scale);
    ASSERT_EQ(scaled.status, 0) << scale << "\n" << scaled.output;
    EXPECT_EQ(scaled.trace, plain.trace) << scale;
  }
  for (const char* bad : {"0.25", "2", "half", ""}) {
    RunResult refused = RunTool(script, std::string("--render-scale '") + bad + "'");
    EXPECT_NE(refused.status, 0) << bad;
  }
}

// On the real clock the run is paced as the game is and tells its rates;
// without --real-time the summary stays as it was.
TEST(HalvaneDevRunTest, RealTimeRunsTellUpdatesAndDrawsPerSecond) {
  RunResult paced = RunTool("20 W\n", "--real-time --frame-skip on");
  ASSERT_EQ(paced.status, 0) << paced.output;
  EXPECT_EQ(paced.trace.size(), 20u);
  const nlohmann::json summary = LastLine(paced.output);
  EXPECT_EQ(summary["frames"], 20);
  EXPECT_GT(summary["seconds"].get<double>(), 0.0);
  EXPECT_GT(summary["updatesPerSecond"].get<double>(), 0.0);
  EXPECT_GT(summary["drawsPerSecond"].get<double>(), 0.0);
  EXPECT_EQ(summary["renderScale"], 1.0);

  RunResult virtualClock = RunTool("20 W\n", "");
  EXPECT_FALSE(LastLine(virtualClock.output).contains("seconds"));
}

#endif
