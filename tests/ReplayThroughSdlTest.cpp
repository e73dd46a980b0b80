// A play-through recorded through the real SDL loop (the offscreen video
// driver, input arriving as SDL sees it, the real clock and sleep) and played
// back on the headless platform reaches the same game state on every frame.

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/RecordingPlatform.h"
#include "app/ReplayPlatform.h"
#include "app/SceneManager.h"
#include "framework/VelGraphicsDevice.h"
#include "framework/VelSoundEngine.h"
#include "framework/VelSoundManager.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/sdl/SdlPlatform.h"
#include "scene/GameScene.h"

namespace {
constexpr int kFrames = 150;

// Drawing is not what is compared: the recording device keeps the loop quick.
ApplicationServices Services() {
  ApplicationServices services = DefaultApplicationServices();
  services.initGraphicsDevice = [](int width, int height, std::string& error) {
    return VelGraphicsDevice::GetInstance().Init(nullptr, width, height, false, error);
  };
  services.initSoundEngine = [] {
    VelSoundEngine::GetInstance().UseHeadless(true);
    return VelSoundEngine::GetInstance().Init();
  };
  return services;
}

std::string Digest(const GameScene& game) {
  std::string text;
  char part[160];
  const Player& player = *game.player;
  const float3 p = player.GetPosition();
  std::snprintf(part, sizeof part, "kill %d player %.9g %.9g %.9g yaw %.9g pitch %.9g hp %d ammo %d",
                game.killCount, p.x, p.y, p.z, player.GetYaw(), player.GetPitch(), player.GetHP(),
                player.GetAmmo());
  text += part;
  for (const auto& enemy : game.enemies->enemies) {
    const float3 e = enemy->GetPosition();
    std::snprintf(part, sizeof part, " | %s %s %.9g %.9g %.9g", enemy->KindName(), enemy->StateName(), e.x,
                  e.y, e.z);
    text += part;
  }
  return text;
}

// Runs frames of a game scene started at once, collecting each frame's state.
// Between frames `before` sets the input; after frames 20 and 25 the player is
// carried over the first line, so blue enemies come and wander at random.
std::vector<std::string> RunGame(const std::function<void(int frame)>& before) {
  std::vector<std::string> states;
  Application app;
  app.SetServices(Services());
  app.SetFirstScene([] { return std::make_unique<GameScene>(); });
  app.SetFrameHook([&] {
    auto* game = dynamic_cast<GameScene*>(SceneManager::GetInstance().Current());
    if (!game) return;
    states.push_back(Digest(*game));
    if (states.size() == 20) game->player->position = {40, 3, -115};
    if (states.size() == 25) game->player->position = {40, 3, -114.9f};
  });
  EXPECT_TRUE(app.Initialise(Application::kWidth, Application::kHeight));
  app.BeginFrames();
  for (int frame = 0;; ++frame) {
    before(frame);
    if (!app.RunFrame()) break;
  }
  app.Shutdown();
  SceneManager::GetInstance().Reset();
  VelSoundManager::GetInstance().ClearCaches();
  return states;
}

class ReplayThroughSdlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Hide("DISPLAY", display);
    Hide("WAYLAND_DISPLAY", wayland);
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) GTEST_SKIP() << "SDL video cannot start: " << SDL_GetError();
    videoStarted = true;
  }
  void TearDown() override {
    UninstallPlatform();
    if (videoStarted) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_ResetHints();
    if (display) setenv("DISPLAY", display->c_str(), 1);
    if (wayland) setenv("WAYLAND_DISPLAY", wayland->c_str(), 1);
  }
  static void Hide(const char* name, std::optional<std::string>& saved) {
    if (const char* value = std::getenv(name)) saved = value;
    unsetenv(name);
  }

  std::optional<std::string> display, wayland;
  bool videoStarted = false;
};

void Push(SDL_Event event) {
  ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
}
}  // namespace

TEST_F(ReplayThroughSdlTest, APlayThroughRecordedInTheRealLoopPlaysBackHeadlessToTheSameStates) {
  const std::string path = testing::TempDir() + "replay-through-sdl.replay";
  auto writer = std::make_unique<ReplayWriter>();
  std::string why;
  ASSERT_TRUE(writer->Open(path, why)) << why;
  auto owned = std::make_unique<SdlPlatform>();
  SdlPlatform* sdl = owned.get();
  InstallPlatform(std::make_unique<RecordingPlatform>(std::move(owned), std::move(writer)));

  // The offscreen driver has no keyboard or mouse to press: keys go into the
  // state SDL polls, pointer motion and focus arrive as the events it pumps.
  Uint8* keyboard = const_cast<Uint8*>(SDL_GetKeyboardState(nullptr));
  auto window = [sdl] { return SDL_GetWindowID(static_cast<SDL_Window*>(sdl->NativeWindow())); };
  const std::vector<std::string> recorded = RunGame([&](int frame) {
    if (frame == 0) {
      SDL_Event focus{};
      focus.type = SDL_WINDOWEVENT;
      focus.window.windowID = window();
      focus.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
      Push(focus);
    }
    keyboard[SDL_SCANCODE_W] = frame >= 30 && frame < 90;
    keyboard[SDL_SCANCODE_D] = frame >= 60 && frame < 120;
    keyboard[SDL_SCANCODE_SPACE] = frame == 100;
    if (frame % 3 == 0) {
      SDL_Event motion{};
      motion.type = SDL_MOUSEMOTION;
      motion.motion.windowID = window();
      motion.motion.xrel = 5;
      motion.motion.yrel = frame % 2 ? -2 : 1;
      Push(motion);
    }
    if (frame == 70 || frame == 80) {
      SDL_Event focus{};
      focus.type = SDL_WINDOWEVENT;
      focus.window.windowID = window();
      focus.window.event = frame == 70 ? SDL_WINDOWEVENT_FOCUS_LOST : SDL_WINDOWEVENT_FOCUS_GAINED;
      Push(focus);
    }
    if (frame == kFrames) Sys().DestroyGameWindow();
  });
  for (int key : {SDL_SCANCODE_W, SDL_SCANCODE_D, SDL_SCANCODE_SPACE}) keyboard[key] = 0;
  UninstallPlatform();  // closes the replay
  ASSERT_EQ(recorded.size(), size_t(kFrames));

  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_NE(text.str().find("\nseed "), std::string::npos) << text.str();
  EXPECT_NE(text.str().find(" W D cursor="), std::string::npos) << text.str();
  EXPECT_NE(text.str().find("inactive"), std::string::npos) << text.str();
  ReplayReadRules rules;
  rules.headerRequired = true;
  ReplayScript script;
  ReplayReadError error;
  ASSERT_TRUE(ReadReplay(text.str(), rules, script, error)) << error.message;

  auto replay =
      std::make_unique<ReplayPlatform>(std::make_unique<HeadlessPlatform>(), std::move(script), false);
  ReplayPlatform* player = replay.get();
  InstallPlatform(std::move(replay));
  const std::vector<std::string> replayed = RunGame([](int) {});
  EXPECT_TRUE(player->Ended());
  EXPECT_FALSE(player->Failed());

  ASSERT_EQ(replayed.size(), recorded.size());
  for (size_t i = 0; i < recorded.size(); ++i) ASSERT_EQ(replayed[i], recorded[i]) << "frame " << i;
  // The run went somewhere: the player walked and the wave came.
  EXPECT_NE(recorded.front().substr(0, 60), recorded.back().substr(0, 60));
  EXPECT_NE(recorded.back().find("| "), std::string::npos) << recorded.back();
  std::remove(path.c_str());
}
