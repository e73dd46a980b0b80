#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/ReplayFile.h"
#include "app/ReplayWriter.h"
#include "platform/Platform.h"

namespace {
ReplayReadRules ReplayRules() {
  ReplayReadRules rules;
  rules.headerRequired = true;
  return rules;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

const std::string kHeader = ReplayHeader() + "\n";
}  // namespace

TEST(ReplayFileTest, HeaderNamesTheGameAndItsVersion) {
  EXPECT_EQ(ReplayHeader(), "Halvane replay 0.9.7");
}

TEST(ReplayFileTest, ReadsFramesSeedsAndComments) {
  ReplayScript script;
  ReplayReadError error;
  ASSERT_TRUE(ReadReplay(kHeader + "# a close call\n"
                                   "seed 4242\n"
                                   "3 W LMB cursor=700,300\n"
                                   "\n"
                                   "2 cursor=640,360 inactive  # lost the focus\n"
                                   "seed 4294967295\n",
                         ReplayRules(), script, error))
      << error.message;
  EXPECT_TRUE(script.hasHeader);
  EXPECT_TRUE(script.warning.empty());
  ASSERT_EQ(script.lines.size(), 4u);
  EXPECT_EQ(script.lines[0].kind, ReplayLine::Kind::Seed);
  EXPECT_EQ(script.lines[0].seed, 4242u);
  EXPECT_EQ(script.lines[0].number, 3);
  const ReplayLine& walk = script.lines[1];
  EXPECT_EQ(walk.kind, ReplayLine::Kind::Frames);
  EXPECT_EQ(walk.count, 3);
  EXPECT_EQ(walk.input.keys, (std::vector<int>{Key::W, Key::LButton}));
  EXPECT_TRUE(walk.input.moveCursor);
  EXPECT_EQ(walk.input.cursorX, 700);
  EXPECT_EQ(walk.input.cursorY, 300);
  EXPECT_FALSE(walk.input.inactive);
  EXPECT_TRUE(script.lines[2].input.inactive);
  EXPECT_EQ(script.lines[2].number, 6);
  EXPECT_EQ(script.lines[3].seed, 4294967295u);
}

TEST(ReplayFileTest, RefusesWhatIsNotAReplayOfThisVersionOrHasABadLineBeforeTheLast) {
  struct Case {
    std::string text;
    int line;
    std::string says;
  };
  const Case cases[] = {
      {"10 W\n5\n", 1, "not a Halvane replay"},
      {"", 0, "not a Halvane replay"},
      {"Halvane replay 0.9.6\n10\n5\n", 1, "0.9.6"},
      {"Halvane replay\n10\n5\n", 1, "the header is"},
      {kHeader + "10 W\n4 JUMP\n5\n", 3, "unknown token \"JUMP\""},
      {kHeader + "set kill=3\n5\n", 2, "\"set\" is neither a frame count"},
      {kHeader + "-4 W\n5\n", 2, "frame count"},
      {kHeader + "seed 4294967296\n5\n", 2, "seed MS"},
      {kHeader + "seed -1\n5\n", 2, "seed MS"},
      {kHeader + "seed 12 34\n5\n", 2, "seed MS"},
      {kHeader + "3 cursor=12\n5\n", 2, "unknown token"},
  };
  for (const Case& c : cases) {
    ReplayScript script;
    ReplayReadError error;
    EXPECT_FALSE(ReadReplay(c.text, ReplayRules(), script, error)) << c.text;
    if (c.line > 0) {
      EXPECT_EQ(error.line, c.line) << c.text;
    }
    EXPECT_NE(error.message.find(c.says), std::string::npos) << c.text << " -> " << error.message;
  }
}

TEST(ReplayFileTest, ACutOffLastLineIsDroppedWithAWarning) {
  for (const std::string& tail : {std::string("12 W cursor=6"), std::string("12 W cursor=640,360"),
                                  std::string("12 W JU\n"), std::string("se")}) {
    ReplayScript script;
    ReplayReadError error;
    ASSERT_TRUE(ReadReplay(kHeader + "5 cursor=640,360\nseed 7\n" + tail, ReplayRules(), script, error))
        << tail << ": " << error.message;
    ASSERT_EQ(script.lines.size(), 2u) << tail;
    EXPECT_EQ(script.lines[1].seed, 7u);
    EXPECT_EQ(script.warning, "line 4 is cut off and is left out") << tail;
  }
}

TEST(ReplayFileTest, WindowsLineBreaksReadAsTheirs) {
  ReplayScript script;
  ReplayReadError error;
  ASSERT_TRUE(
      ReadReplay("Halvane replay 0.9.7\r\nseed 5\r\n2 D cursor=1,2\r\n", ReplayRules(), script, error))
      << error.message;
  ASSERT_EQ(script.lines.size(), 2u);
  EXPECT_EQ(script.lines[0].seed, 5u);
  EXPECT_EQ(script.lines[1].input.keys, std::vector<int>{Key::D});
  EXPECT_EQ(script.lines[1].input.cursorY, 2);
}

TEST(ReplayFileTest, ScriptsNeedNoHeaderButKeepSeedsForReplaysAndOtherLinesForTheirRule) {
  ReplayReadRules script;
  ReplayScript out;
  ReplayReadError error;
  ASSERT_TRUE(ReadReplay("10 W dx=5 dy=-3\n", script, out, error));
  EXPECT_FALSE(out.hasHeader);
  EXPECT_EQ(out.lines[0].input.cursorX, 645);
  EXPECT_EQ(out.lines[0].input.cursorY, 357);

  EXPECT_FALSE(ReadReplay("seed 3\n10\n", script, out, error));
  EXPECT_NE(error.message.find("belong to a replay"), std::string::npos) << error.message;
  // A plain script's last line is not forgiven: it was written by hand, not cut off.
  EXPECT_FALSE(ReadReplay("10\n10 JUMP\n", script, out, error));
  EXPECT_EQ(error.line, 2);

  script.extraLine = [](const std::string& line) { return line.rfind("set ", 0) == 0; };
  ASSERT_TRUE(ReadReplay("set kill=4\n10\n", script, out, error)) << error.message;
  EXPECT_EQ(out.lines[0].kind, ReplayLine::Kind::Extra);
  EXPECT_EQ(out.lines[0].text, "set kill=4");
  EXPECT_FALSE(ReadReplay("sit kill=4\n10\n", script, out, error));
}

TEST(ReplayFileTest, ScriptsDriveTheDevicesButAReplayHoldsOnlyWhatTheGameRead) {
  ReplayReadRules script;
  ReplayScript out;
  ReplayReadError error;
  ASSERT_TRUE(ReadReplay("1 tap=LMB P lx=0.5 ry=-1 PAD_A PAD_X PAD_RT PAD_LT PAD_START\n", script, out, error))
      << error.message;
  const ReplayInput& input = out.lines[0].input;
  EXPECT_EQ(input.taps, std::vector<int>{Key::LButton});
  EXPECT_EQ(input.keys, std::vector<int>{Key::P});
  EXPECT_FLOAT_EQ(input.pad.leftX, 0.5f);
  EXPECT_FLOAT_EQ(input.pad.rightY, -1.0f);
  EXPECT_TRUE(input.pad.a && input.pad.x && input.pad.start);
  EXPECT_FLOAT_EQ(input.pad.rightTrigger, 1.0f);
  EXPECT_FLOAT_EQ(input.pad.leftTrigger, 1.0f);

  for (const char* bad : {"1 lx=2\n", "1 ly=\n", "1 rx=0.5x\n", "1 tap=JUMP\n", "1 PAD_B\n"}) {
    EXPECT_FALSE(ReadReplay(bad, script, out, error)) << bad;
  }
  // A replay is what the game polled after the platform's own work: no device words.
  for (const char* device : {"1 tap=LMB\n", "1 P\n", "1 lx=0.5\n", "1 PAD_RT\n"}) {
    EXPECT_FALSE(ReadReplay(kHeader + device + "1\n", ReplayRules(), out, error)) << device;
    EXPECT_EQ(error.line, 2);
    EXPECT_NE(error.message.find("unknown token"), std::string::npos) << error.message;
  }
}

TEST(ReplayFileTest, WriterJoinsEqualFramesAndReadsBackAsWritten) {
  const std::string path = testing::TempDir() + "replay-writer.replay";
  ReplayWriter writer;
  std::string why;
  ASSERT_TRUE(writer.Open(path, why)) << why;
  // The header is on disk at once: a crash before the first frame still leaves a replay.
  EXPECT_EQ(ReadAll(path), kHeader);

  ReplayInput still;
  still.moveCursor = true;
  ReplayInput walk = still;
  walk.keys = {Key::LButton, Key::W};  // written in the fixed order, W first
  walk.cursorX = 700;
  ReplayInput away = still;
  away.inactive = true;
  writer.Seed(1234);
  for (int i = 0; i < 3; ++i) writer.Frame(still);
  writer.Frame(walk);
  writer.Flush();
  EXPECT_EQ(ReadAll(path), kHeader + "seed 1234\n3 cursor=640,360\n1 W LMB cursor=700,360\n");
  writer.Frame(walk);
  writer.Frame(away);
  writer.Frame(away);
  writer.Line("set hp=3");
  writer.Frame(still);
  ASSERT_TRUE(writer.Close());
  const std::string text = ReadAll(path);
  EXPECT_EQ(text, kHeader +
                      "seed 1234\n3 cursor=640,360\n1 W LMB cursor=700,360\n1 W LMB cursor=700,360\n"
                      "2 cursor=640,360 inactive\nset hp=3\n1 cursor=640,360\n");

  ReplayReadRules rules = ReplayRules();
  rules.extraLine = [](const std::string&) { return true; };
  ReplayScript script;
  ReplayReadError error;
  ASSERT_TRUE(ReadReplay(text, rules, script, error)) << error.message;
  ASSERT_EQ(script.lines.size(), 7u);
  EXPECT_EQ(ReplayFrameWords(script.lines[2].input), ReplayFrameWords(walk));
  EXPECT_EQ(ReplayFrameWords(script.lines[4].input), ReplayFrameWords(away));
  std::remove(path.c_str());
}

TEST(ReplayFileTest, WriterRefusesAPathItCannotCreate) {
  ReplayWriter writer;
  std::string why;
  EXPECT_FALSE(writer.Open(testing::TempDir() + "no-such-folder/x.replay", why));
  EXPECT_FALSE(why.empty());
  EXPECT_FALSE(writer.IsOpen());
}
