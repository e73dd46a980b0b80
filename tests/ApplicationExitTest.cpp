#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/Application.h"
#include "framework/VelSoundEngine.h"
#include "framework/VelSoundInstance.h"
#include "framework/VelSoundManager.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessPlatform.h"
#include "scene/GameScene.h"

// The game ends with Escape and leaves the running scene to the scene
// manager's static, which deletes it at process exit. These run the real
// application loop in a child process up to that exit: whatever the scene
// still calls on the way out must be alive then. A call into a service that
// is already destroyed is caught in the sanitizer build (CI runs the suite
// there), where it ends the child with an error.

namespace {

const char* const kHum = "Data/Sound/stayCharge.wav";

bool HumPlays() {
  auto& loops = VelSoundManager::GetInstance().loopInstances;
  auto found = loops.find(kHum);
  return found != loops.end() && found->second && found->second->IsPlaying();
}

// Plays a game scene, holds the right button `holdFrames` frames, then presses
// Escape; returns through exit() as main() does.
[[noreturn]] void PlayThenQuitWithEscape(int holdFrames) {
  auto owned = std::make_unique<HeadlessPlatform>();
  HeadlessPlatform& platform = *owned;
  InstallPlatform(std::move(owned));
  // Sound is recorded, not heard: CI has no audio device.
  VelSoundEngine::GetInstance().UseHeadless(true);
  Application& app = Application::GetInstance();
  app.SetFirstScene([] { return std::make_unique<GameScene>(); });
  int frame = 0;
  platform.SetPumpHook([&] {
    platform.ReleaseAllKeys();
    if (++frame <= holdFrames) {
      platform.SetKeyDown(Key::RButton, true);
      return;
    }
    std::fprintf(stderr, HumPlays() ? "quit while humming\n" : "quit in silence\n");
    platform.SetKeyDown(Key::Escape, true);
    platform.RequestClose();
  });
  app.Run();
  std::exit(0);
}

class ApplicationExitTest : public ::testing::Test {
 protected:
  // A fresh process, so the statics are created in the order the game's own
  // start-up creates them.
  void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(ApplicationExitTest, EscapeWhileAFullChargeHumsExitsCleanly) {
  EXPECT_EXIT(PlayThenQuitWithEscape(60), ::testing::ExitedWithCode(0), "quit while humming");
}

TEST_F(ApplicationExitTest, EscapeWhileTheChargeWindsUpExitsCleanly) {
  EXPECT_EXIT(PlayThenQuitWithEscape(20), ::testing::ExitedWithCode(0), "quit in silence");
}

}  // namespace
