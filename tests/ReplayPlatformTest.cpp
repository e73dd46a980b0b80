#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "app/RecordingPlatform.h"
#include "app/ReplayPlatform.h"
#include "platform/headless/HeadlessPlatform.h"

namespace {
ReplayScript Script(const std::string& lines) {
  ReplayReadRules rules;
  rules.headerRequired = true;
  ReplayScript script;
  ReplayReadError error;
  EXPECT_TRUE(ReadReplay(ReplayHeader() + "\n" + lines, rules, script, error)) << error.message;
  return script;
}

// A replay platform over a headless one with its window open, as the game
// has it once started.
class ReplayPlatformTest : public ::testing::Test {
 protected:
  void Play(const std::string& lines, bool fullscreen = false) {
    auto owned = std::make_unique<HeadlessPlatform>();
    real = owned.get();
    replay = std::make_unique<ReplayPlatform>(std::move(owned), Script(lines), fullscreen);
    ASSERT_TRUE(replay->CreateGameWindow("test", 1280, 720));
  }

  HeadlessPlatform* real = nullptr;
  std::unique_ptr<ReplayPlatform> replay;
};
}  // namespace

TEST_F(ReplayPlatformTest, EachPumpServesTheNextFrameAndTheDevicesAreNotRead) {
  Play("2 W cursor=700,300\n1 cursor=640,360 inactive\n");
  real->SetKeyDown(Key::A, true);
  real->SetCursorClient({10, 10});

  EXPECT_TRUE(replay->PumpMessages());
  EXPECT_TRUE(replay->IsKeyDown(Key::W));
  EXPECT_FALSE(replay->IsKeyDown(Key::A));
  EXPECT_TRUE(replay->IsWindowActive());
  EXPECT_EQ(replay->GetCursorPos().x, 700);
  EXPECT_EQ(replay->ScreenToClient(replay->GetCursorPos()).y, 300);
  // The game puts the cursor back to the centre; the frame then reads it there,
  // and the player's pointer stays where it is.
  replay->SetCursorPos(replay->ClientToScreen({640, 360}));
  EXPECT_EQ(replay->GetCursorPos().x, 640);
  EXPECT_EQ(real->CursorClient().x, 10);

  EXPECT_TRUE(replay->PumpMessages());
  EXPECT_EQ(replay->GetCursorPos().x, 700);
  EXPECT_TRUE(replay->PumpMessages());
  EXPECT_FALSE(replay->IsKeyDown(Key::W));
  EXPECT_FALSE(replay->IsWindowActive());
  EXPECT_FALSE(replay->Ended());

  // The file has ended: the window closes and no frame runs.
  EXPECT_FALSE(replay->PumpMessages());
  EXPECT_FALSE(replay->HasGameWindow());
  EXPECT_TRUE(replay->Ended());
  EXPECT_FALSE(replay->Failed());
}

TEST_F(ReplayPlatformTest, EscapeClosesTheWindowAndARecordedEscapeEndsTheReplay) {
  Play("5\n");
  real->RequestClose();  // what the real platform does with the player's Escape
  replay->PumpMessages();
  EXPECT_FALSE(replay->HasGameWindow());
  EXPECT_FALSE(replay->Ended());

  Play("1\n1 ESC\n4\n");
  EXPECT_TRUE(replay->PumpMessages());
  EXPECT_FALSE(replay->PumpMessages());
  EXPECT_FALSE(replay->HasGameWindow());
  EXPECT_TRUE(replay->Ended());
}

TEST_F(ReplayPlatformTest, TheStartUpQuestionIsNotAskedAndAnsweredByTheOption) {
  Play("1\n");
  EXPECT_FALSE(replay->AskYesNo("確認", "フルスクリーンにしますか？"));
  Play("1\n", true);
  EXPECT_TRUE(replay->AskYesNo("確認", "フルスクリーンにしますか？"));
  EXPECT_TRUE(real->MessageBoxes().empty());
}

TEST_F(ReplayPlatformTest, GameScenesTakeTheRecordedSeedsInTheirPlaces) {
  // The first scene before any frame, the second after the third frame.
  Play("seed 11\n3\nseed 22\n2\n");
  real->SetClock(999);
  EXPECT_EQ(replay->ReadSeedClock(), 11u);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(replay->PumpMessages());
  EXPECT_EQ(replay->ReadSeedClock(), 22u);
  EXPECT_TRUE(replay->PumpMessages());
  EXPECT_TRUE(replay->PumpMessages());
  EXPECT_FALSE(replay->PumpMessages());
  EXPECT_TRUE(replay->Ended());
  EXPECT_FALSE(replay->Failed());
}

TEST_F(ReplayPlatformTest, AMissingOrMisplacedSeedStopsTheReplayAndNamesTheLine) {
  // A scene starts after the frames of line 3 but the file gives no seed.
  Play("seed 11\n3\n2\n");
  replay->ReadSeedClock();
  for (int i = 0; i < 3; ++i) replay->PumpMessages();
  replay->ReadSeedClock();
  ASSERT_TRUE(replay->Failed());
  EXPECT_EQ(replay->Failure().line, 3);
  EXPECT_NE(replay->Failure().message.find("no seed line"), std::string::npos);
  EXPECT_FALSE(replay->PumpMessages());
  EXPECT_FALSE(replay->HasGameWindow());
  EXPECT_FALSE(replay->Ended());

  // A scene starts in the middle of a run of frames.
  Play("3\nseed 5\n");
  replay->PumpMessages();
  replay->ReadSeedClock();
  EXPECT_TRUE(replay->Failed());
  EXPECT_EQ(replay->Failure().line, 2);

  // The file has a seed where the game started no scene.
  Play("2\nseed 5\n2\n");
  EXPECT_TRUE(replay->PumpMessages());
  EXPECT_TRUE(replay->PumpMessages());
  EXPECT_FALSE(replay->PumpMessages());
  ASSERT_TRUE(replay->Failed());
  EXPECT_EQ(replay->Failure().line, 3);
}

TEST_F(ReplayPlatformTest, ThePauseHoldsTheReplayWithoutRunningFramesUntilPressedAgain) {
  Play("1 W\n1 D\n1 S\n");
  // In play the game hides the cursor; only then does P pause.
  replay->ShowCursor(false);
  int pumps = 0;
  // The player's P goes down on the real platform's second pump and again on its sixth.
  real->SetPumpHook([&] {
    ++pumps;
    real->SetKeyDown(Key::P, pumps == 2 || pumps == 6);
  });
  EXPECT_TRUE(replay->PumpMessages());
  EXPECT_TRUE(replay->IsKeyDown(Key::W));
  real->SetClock(0);
  // This pump waits, paused, until P is pressed again; then the next frame runs.
  EXPECT_TRUE(replay->PumpMessages());
  EXPECT_EQ(pumps, 6);
  EXPECT_FALSE(replay->IsPaused());
  EXPECT_GT(real->GetMilliseconds(), 0u);
  EXPECT_TRUE(replay->IsKeyDown(Key::D));
  EXPECT_TRUE(replay->PumpMessages());
  EXPECT_TRUE(replay->IsKeyDown(Key::S));

  // Closing the window while paused ends the wait.
  Play("5\n");
  replay->ShowCursor(false);
  pumps = 0;
  real->SetPumpHook([&] {
    ++pumps;
    real->SetKeyDown(Key::P, pumps == 1);
    if (pumps == 4) real->RequestClose();
  });
  replay->PumpMessages();
  EXPECT_FALSE(replay->HasGameWindow());
  EXPECT_EQ(pumps, 4);
}

TEST(RecordingPlatformTest, RecordsWhatTheGameReadsAndTheSeedsAsTheyAreRead) {
  const std::string path = testing::TempDir() + "recording-platform.replay";
  auto writer = std::make_unique<ReplayWriter>();
  std::string why;
  ASSERT_TRUE(writer->Open(path, why)) << why;
  auto owned = std::make_unique<HeadlessPlatform>();
  HeadlessPlatform& real = *owned;
  RecordingPlatform recording(std::move(owned), std::move(writer));
  ASSERT_TRUE(recording.CreateGameWindow("test", 1280, 720));
  real.SetClock(5000);

  EXPECT_EQ(recording.ReadSeedClock(), 5000u);
  int pump = 0;
  real.SetPumpHook([&] {
    ++pump;
    real.ReleaseAllKeys();
    real.SetKeyDown(Key::W, pump <= 2);
    real.SetKeyDown('Q', true);  // a key the game never reads
    real.SetActive(pump != 3);
    if (pump == 2) real.SetCursorClient({700, 350});
    if (pump == 4) real.RequestClose();
  });
  recording.PumpMessages();
  EXPECT_TRUE(recording.IsKeyDown(Key::W));
  EXPECT_FALSE(recording.IsKeyDown('Q'));
  recording.PumpMessages();
  EXPECT_EQ(recording.GetCursorPos().x, 700);
  // The game's re-centring moves the real pointer too.
  recording.SetCursorPos({640, 360});
  EXPECT_EQ(real.CursorClient().x, 640);
  EXPECT_EQ(recording.GetCursorPos().x, 640);
  real.AdvanceClock(16);
  EXPECT_EQ(recording.ReadSeedClock(), 5016u);
  recording.PumpMessages();
  EXPECT_FALSE(recording.IsWindowActive());
  recording.PumpMessages();  // closes the window: no frame
  ASSERT_TRUE(recording.Writer().Close());

  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), ReplayHeader() +
                            "\nseed 5000\n1 W cursor=640,360\n1 W cursor=700,350\nseed 5016\n"
                            "1 cursor=640,360 inactive\n");
  std::remove(path.c_str());
}
