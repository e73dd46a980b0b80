#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#ifdef HALVANE_DEV_TOOL

namespace {
struct ToolRun {
  int status = -1;
  std::string output;
  std::string tracePath;
  nlohmann::json summary;
};

// Runs `halvane-dev run` in the build folder (where Data/ lives); the trace
// file carries the given name, so tests may run side by side.
ToolRun RunTool(const std::string& name, const std::string& options) {
  const std::string dir = HALVANE_BUILD_DIR;
  ToolRun run;
  run.tracePath = dir + "/autopilot-" + name + ".trace";
  std::remove(run.tracePath.c_str());
  const std::string command = "cd '" + dir + "' && '" + HALVANE_DEV_TOOL + "' run --trace '" + run.tracePath +
                              "' " + options + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) run.output.append(buffer, n);
  run.status = pclose(pipe);
  std::stringstream lines(run.output);
  std::string line, last;
  while (std::getline(lines, line)) {
    if (!line.empty() && line[0] == '{') last = line;
  }
  if (!last.empty()) run.summary = nlohmann::json::parse(last);
  return run;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string WriteScript(const std::string& name, const std::string& text) {
  const std::string path = std::string(HALVANE_BUILD_DIR) + "/autopilot-" + name + ".script";
  std::ofstream(path) << text;
  return path;
}
}  // namespace

// The whole game by a player made of code: title, three waves, the items, the
// boss shields, the clear screen and back to the title, with nothing but keys,
// buttons and mouse motion.
TEST(AutopilotTest, TheBotClearsTheGameAndComesBackToTheTitle) {
  ToolRun run = RunTool("clear", "--bot --seed 4242");
  ASSERT_EQ(run.status, 0) << run.output;
  ASSERT_TRUE(run.summary.is_object()) << run.output;
  EXPECT_EQ(run.summary["cleared"], true) << run.summary.dump();
  EXPECT_EQ(run.summary["kill"], 21);
  EXPECT_EQ(run.summary["scene"], "title");
  EXPECT_LT(run.summary["frames"].get<int>(), 60000);
  // Title, then one game scene per play-through, then the title again.
  EXPECT_EQ(run.summary["sceneChanges"].get<int>(), run.summary["deaths"].get<int>() + 2);

  std::ifstream in(run.tracePath);
  std::string text;
  int frames = 0, lastKill = 0, shieldHits = 0;
  bool magazine = false, attachment = false, healed = false, clearShown = false;
  bool haveLast = false;
  nlohmann::json last;
  while (std::getline(in, text)) {
    ++frames;
    nlohmann::json line = nlohmann::json::parse(text);
    if (line["scene"] != "game") {
      haveLast = false;
      continue;
    }
    const auto& player = line["player"];
    // A walking, running, jumping or shoved body, never one carried across the
    // map (a retry starts a new body at the start).
    const bool retried =
        haveLast && last["hud"]["dead"]["active"] == true && line["hud"]["dead"]["active"] == false;
    if (haveLast && !retried) {
      const auto& a = last["player"]["pos"];
      const auto& b = player["pos"];
      const double step =
          std::hypot(b[0].get<double>() - a[0].get<double>(), b[2].get<double>() - a[2].get<double>());
      EXPECT_LT(step, 4.0) << "frame " << line["frame"];
    }
    lastKill = line["kill"];
    magazine = magazine || line["hud"]["magazineCollected"] == true;
    attachment = attachment || line["hud"]["attachmentCollected"] == true;
    clearShown = clearShown || line["hud"]["clear"]["active"] == true;
    for (const auto& sound : line["sounds"]) {
      healed = healed || sound["file"] == "Data/Sound/heal.wav";
      shieldHits += sound["file"] == "Data/Sound/DamageShield.wav";
    }
    last = std::move(line);
    haveLast = true;
  }
  EXPECT_EQ(frames, run.summary["frames"].get<int>());
  EXPECT_EQ(lastKill, 21);
  EXPECT_TRUE(clearShown);
  EXPECT_TRUE(magazine);
  EXPECT_TRUE(attachment);
  EXPECT_TRUE(healed);
  // Only charged shots break a shield: 30 points, 6 a shot, for each boss.
  EXPECT_GE(shieldHits, 5);
}

// The same script (or the same bot) on the same clock gives the same game,
// byte for byte; another clock seeds another game.
TEST(AutopilotTest, RunsWithTheSameSeedAndScriptAreByteIdentical) {
  const std::string script = WriteScript("same",
                                         "# start, walk into the first wave and fire\n"
                                         "70\n"
                                         "3 LMB\n"
                                         "120\n"
                                         "240 W dx=2\n"
                                         "200 LMB S dx=-3\n"
                                         "60 R\n"
                                         "100 RMB A\n"
                                         "10 D\n");
  const std::string scripted = "--script '" + script + "' --clock-ms 777";
  ToolRun first = RunTool("same-a", scripted);
  ToolRun second = RunTool("same-b", scripted);
  ASSERT_EQ(first.status, 0) << first.output;
  ASSERT_EQ(second.status, 0) << second.output;
  const std::string a = ReadFile(first.tracePath);
  EXPECT_GT(a.size(), 100000u);
  EXPECT_EQ(a, ReadFile(second.tracePath));
  EXPECT_EQ(first.output, second.output);

  ToolRun other = RunTool("same-c", "--script '" + script + "' --clock-ms 778");
  ASSERT_EQ(other.status, 0) << other.output;
  EXPECT_NE(a, ReadFile(other.tracePath));

  ToolRun botA = RunTool("same-bot-a", "--bot --seed 99 --frames 1000");
  ToolRun botB = RunTool("same-bot-b", "--bot --seed 99 --frames 1000");
  ASSERT_EQ(botA.status, 0) << botA.output;
  EXPECT_EQ(botA.summary["frames"], 1000);
  EXPECT_GT(botA.summary["kill"].get<int>(), 0);
  EXPECT_EQ(ReadFile(botA.tracePath), ReadFile(botB.tracePath));
}

TEST(AutopilotTest, TheBotTakesNoScriptAndStartsOnTheTitle) {
  const std::string script = WriteScript("refused", "10 W\n");
  EXPECT_NE(RunTool("refused-a", "--bot --script '" + script + "'").status, 0);
  EXPECT_NE(RunTool("refused-b", "--bot --start game").status, 0);
}

#endif
