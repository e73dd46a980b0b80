#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/ApplicationServices.h"
#include "app/GameOptions.h"
#include "framework/VelSoundEngine.h"
#include "framework/audio/AudioEngine.h"
#include "platform/headless/HeadlessPlatform.h"

namespace {

using Outcome = GameOptions::Outcome;

struct CommandLineRun {
  int status = -1;
  std::string out;
  std::string err;
  GameOptions options;
};

std::string ReadBack(FILE* file) {
  std::string text;
  std::rewind(file);
  char buffer[4096];
  while (size_t n = std::fread(buffer, 1, sizeof buffer, file)) text.append(buffer, n);
  std::fclose(file);
  return text;
}

CommandLineRun Parsed(const std::vector<std::string>& args) {
  CommandLineRun run;
  FILE* out = std::tmpfile();
  FILE* err = std::tmpfile();
  run.status = GameOptions::FromCommandLine(args, run.options, out, err);
  run.out = ReadBack(out);
  run.err = ReadBack(err);
  return run;
}

TEST(GameOptionsTest, NoArgumentsRunTheGameAsItAlwaysWas) {
  const CommandLineRun run = Parsed({});
  EXPECT_EQ(run.status, -1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "");
  const GameOptions& o = run.options;
  EXPECT_EQ(o.display, GameOptions::Display::Ask);
  EXPECT_EQ(o.sensitivity, 1.0f);
  EXPECT_FALSE(o.invertY);
  EXPECT_EQ(o.volume, 100);
  EXPECT_FALSE(o.renderScale.has_value()) << "auto";
  EXPECT_FALSE(o.frameSkip);
  EXPECT_FALSE(o.showFps);
  EXPECT_EQ(o.recordPath, "");
  EXPECT_EQ(o.replayPath, "");
}

TEST(GameOptionsTest, EveryOptionIsRead) {
  const CommandLineRun a = Parsed({"--windowed", "--sensitivity", "0.5", "--invert-y", "--volume", "40",
                                   "--render-scale", "0.75", "--frame-skip", "--fps", "--record", "run.txt"});
  ASSERT_EQ(a.status, -1) << a.err;
  EXPECT_EQ(a.options.display, GameOptions::Display::Windowed);
  EXPECT_EQ(a.options.sensitivity, 0.5f);
  EXPECT_TRUE(a.options.invertY);
  EXPECT_EQ(a.options.volume, 40);
  EXPECT_EQ(a.options.renderScale, 0.75f);
  EXPECT_TRUE(a.options.frameSkip);
  EXPECT_TRUE(a.options.showFps);
  EXPECT_EQ(a.options.recordPath, "run.txt");

  const CommandLineRun b = Parsed(
      {"--fullscreen", "--sensitivity=10", "--volume=0", "--render-scale=auto", "--replay=my run.txt"});
  ASSERT_EQ(b.status, -1) << b.err;
  EXPECT_EQ(b.options.display, GameOptions::Display::Fullscreen);
  EXPECT_EQ(b.options.sensitivity, 10.0f);
  EXPECT_EQ(b.options.volume, 0);
  EXPECT_FALSE(b.options.renderScale.has_value());
  EXPECT_EQ(b.options.replayPath, "my run.txt");

  for (const char* scale : {"1", "0.5"}) {
    const CommandLineRun c = Parsed({"--render-scale", scale, "--sensitivity", "0.1", "--volume", "100"});
    ASSERT_EQ(c.status, -1) << c.err;
    EXPECT_EQ(c.options.renderScale, std::stof(scale));
    EXPECT_EQ(c.options.sensitivity, 0.1f);
    EXPECT_EQ(c.options.volume, 100);
  }
}

TEST(GameOptionsTest, HelpAndVersionAnswerOnStandardOutputAndExitZero) {
  const CommandLineRun version = Parsed({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "Halvane  ver.0.9.7\n");
  EXPECT_EQ(version.out, std::string(Application::kWindowTitle) + "\n");
  EXPECT_EQ(version.err, "");

  const CommandLineRun help = Parsed({"--windowed", "--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.err, "");
  for (const char* option : {"--fullscreen", "--windowed", "--sensitivity", "--invert-y", "--volume",
                             "--render-scale", "--frame-skip", "--fps", "--record", "--replay", "--help",
                             "--version", "halvane --sensitivity 0.5", "halvane --volume 40"})
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
}

TEST(GameOptionsTest, EveryBadValueIsOneLineNamingTheOptionAndExitsTwo) {
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const std::vector<Case> cases = {
      {{"--sensitivity", "0.09"}, "--sensitivity needs a number from 0.1 to 10, not \"0.09\""},
      {{"--sensitivity", "11"}, "--sensitivity needs a number from 0.1 to 10, not \"11\""},
      {{"--sensitivity", "fast"}, "--sensitivity needs a number from 0.1 to 10, not \"fast\""},
      {{"--sensitivity", "1,5"}, "--sensitivity needs a number from 0.1 to 10, not \"1,5\""},
      {{"--sensitivity", "nan"}, "--sensitivity needs a number from 0.1 to 10, not \"nan\""},
      {{"--sensitivity"}, "--sensitivity needs a number from 0.1 to 10"},
      {{"--volume", "101"}, "--volume needs a whole number from 0 to 100, not \"101\""},
      {{"--volume", "-1"}, "--volume needs a whole number from 0 to 100, not \"-1\""},
      {{"--volume", "50.5"}, "--volume needs a whole number from 0 to 100, not \"50.5\""},
      {{"--volume="}, "--volume needs a whole number from 0 to 100, not \"\""},
      {{"--volume"}, "--volume needs a whole number from 0 to 100"},
      {{"--render-scale", "0.8"}, "--render-scale needs auto, 1, 0.75 or 0.5, not \"0.8\""},
      {{"--render-scale", "AUTO"}, "--render-scale needs auto, 1, 0.75 or 0.5, not \"AUTO\""},
      {{"--render-scale"}, "--render-scale needs auto, 1, 0.75 or 0.5"},
      {{"--record"}, "--record needs a file name"},
      {{"--replay="}, "--replay needs a file name, not an empty one"},
      {{"--record", "a", "--replay", "b"}, "--record and --replay exclude each other"},
      {{"--fullscreen", "--windowed"}, "--fullscreen and --windowed exclude each other"},
      {{"--fps=yes"}, "--fps takes no value, not \"yes\""},
      {{"--invert-y=1"}, "--invert-y takes no value, not \"1\""},
      {{"--frame-skip=2"}, "--frame-skip takes no value, not \"2\""},
      {{"--windowed=no"}, "--windowed takes no value, not \"no\""},
      {{"--fullscreen=1"}, "--fullscreen takes no value"},
      {{"--help=me"}, "--help takes no value"},
      {{"--version=2"}, "--version takes no value"},
      {{"--speed", "2"}, "unknown option \"--speed\"; the options are --fullscreen, --windowed,"},
      {{"-x"}, "unknown option \"-x\""},
      {{"level2"}, "unexpected argument \"level2\"; the options are"},
  };
  for (const Case& c : cases) {
    const CommandLineRun run = Parsed(c.args);
    EXPECT_EQ(run.status, 2) << c.message;
    EXPECT_EQ(run.out, "") << c.message;
    EXPECT_EQ(run.err.rfind("halvane: " + c.message, 0), 0u) << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line: " << run.err;
  }
  // An error before --help is still an error; the options are left as they were.
  GameOptions untouched;
  untouched.volume = 7;
  std::string error;
  EXPECT_EQ(GameOptions::Parse({"--volume", "5", "--volume", "x", "--help"}, untouched, error),
            Outcome::Error);
  EXPECT_EQ(untouched.volume, 7);
}

// The options reach the application, the platform and the sound engine.
class GameOptionsApplyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto owned = std::make_unique<HeadlessPlatform>();
    platform = owned.get();
    InstallPlatform(std::move(owned));
  }
  void TearDown() override {
    VelSoundEngine::GetInstance().Release();
    VelSoundEngine::GetInstance().SetMasterVolume(1.0f);
    UninstallPlatform();
  }
  // Start-up with no framework services: the window and the question only.
  bool StartUp(const std::vector<std::string>& args) {
    GameOptions options;
    std::string error;
    if (GameOptions::Parse(args, options, error) != Outcome::Run) return false;
    options.Apply(app);
    app.SetServices(ApplicationServices{});
    return app.Initialise(1280, 720);
  }
  HeadlessPlatform* platform = nullptr;
  Application app;
};

TEST_F(GameOptionsApplyTest, WindowedAndFullscreenAnswerTheQuestionAhead) {
  platform->SetQuestionAnswer(true);
  ASSERT_TRUE(StartUp({"--windowed"}));
  EXPECT_TRUE(platform->MessageBoxes().empty()) << "no box appears";
  EXPECT_FALSE(app.IsFullscreenChosen());
  app.Shutdown();

  Application other;
  GameOptions fullscreen;
  fullscreen.display = GameOptions::Display::Fullscreen;
  fullscreen.Apply(other);
  platform->SetQuestionAnswer(false);
  ASSERT_TRUE(other.Initialise(1280, 720));
  EXPECT_TRUE(platform->MessageBoxes().empty());
  EXPECT_TRUE(other.IsFullscreenChosen());
  other.Shutdown();
}

TEST_F(GameOptionsApplyTest, WithoutAnAnswerTheQuestionIsStillAsked) {
  platform->SetQuestionAnswer(true);
  ASSERT_TRUE(StartUp({"--volume", "100"}));
  ASSERT_EQ(platform->MessageBoxes().size(), 1u);
  EXPECT_TRUE(app.IsFullscreenChosen());
  app.Shutdown();
}

TEST_F(GameOptionsApplyTest, VolumeSetsTheSoundEnginesMasterVolume) {
  ASSERT_TRUE(StartUp({"--windowed", "--volume", "40"}));
  VelSoundEngine& sound = VelSoundEngine::GetInstance();
  EXPECT_FLOAT_EQ(sound.GetMasterVolume(), 0.4f);
  sound.UseHeadless(true);
  ASSERT_TRUE(sound.Init());
  EXPECT_FLOAT_EQ(sound.GetAudioEngine()->GetMasterVolume(), 0.4f) << "the master voice, from the start";
  sound.SetMasterVolume(0.0f);
  EXPECT_FLOAT_EQ(sound.GetAudioEngine()->GetMasterVolume(), 0.0f) << "and while it runs";
  app.Shutdown();
}

}  // namespace
