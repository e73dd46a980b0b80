#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "SkipUnlessCi.h"
#include "platform/Letterbox.h"
#include "platform/sdl/SdlPlatform.h"

// Points compare by value in the expectations below (found by lookup from
// inside GoogleTest, hence global, internal to this file).
static bool operator==(PlatformPoint a, PlatformPoint b) {
  return a.x == b.x && a.y == b.y;
}
static std::ostream& operator<<(std::ostream& os, PlatformPoint p) {
  return os << "(" << p.x << ", " << p.y << ")";
}

namespace {

TEST(LetterboxTest, WideDisplayScalesUpWithoutBars) {
  const Letterbox box = Letterbox::Fit(1280, 720, 1920, 1080);
  EXPECT_DOUBLE_EQ(box.scale, 1.5);
  EXPECT_EQ(box.x, 0);
  EXPECT_EQ(box.y, 0);
  EXPECT_EQ(box.width, 1920);
  EXPECT_EQ(box.height, 1080);
  EXPECT_EQ(box.FrameToOutput({640, 360}), (PlatformPoint{960, 540}));
  EXPECT_EQ(box.OutputToFrame({960, 540}), (PlatformPoint{640, 360}));
  EXPECT_EQ(box.OutputToFrame({1919, 1079}), (PlatformPoint{1279, 719}));
}

TEST(LetterboxTest, FourByThreeDisplayGetsBarsTopAndBottom) {
  const Letterbox box = Letterbox::Fit(1280, 720, 1024, 768);
  EXPECT_DOUBLE_EQ(box.scale, 0.8);
  EXPECT_EQ(box.x, 0);
  EXPECT_EQ(box.y, 96);
  EXPECT_EQ(box.width, 1024);
  EXPECT_EQ(box.height, 576);
  EXPECT_EQ(box.FrameToOutput({0, 0}), (PlatformPoint{0, 96}));
  EXPECT_EQ(box.OutputToFrame(box.FrameToOutput({640, 360})), (PlatformPoint{640, 360}));
  EXPECT_LT(box.OutputToFrame({512, 10}).y, 0) << "the bar above lies outside the frame";
}

TEST(LetterboxTest, UltraWideDisplayGetsBarsLeftAndRight) {
  const Letterbox box = Letterbox::Fit(1280, 720, 2560, 1080);
  EXPECT_EQ(box.x, 320);
  EXPECT_EQ(box.width, 1920);
  EXPECT_EQ(box.OutputToFrame({320, 0}), (PlatformPoint{0, 0}));
  EXPECT_EQ(box.OutputToFrame({2239, 1079}), (PlatformPoint{1279, 719}));
}

TEST(LetterboxTest, UnevenScaleKeepsTheCentreOnARoundTrip) {
  const Letterbox box = Letterbox::Fit(1280, 720, 1366, 768);
  EXPECT_EQ(box.OutputToFrame(box.FrameToOutput({640, 360})), (PlatformPoint{640, 360}));
  EXPECT_EQ(box.OutputToFrame(box.FrameToOutput({0, 0})), (PlatformPoint{0, 0}));
}

TEST(LetterboxTest, SameSizeOrNoOutputIsTheIdentity) {
  for (const Letterbox& box : {Letterbox::Fit(1280, 720, 1280, 720), Letterbox::Fit(1280, 720, 0, 0)}) {
    EXPECT_EQ(box.FrameToOutput({-5, 17}), (PlatformPoint{-5, 17}));
    EXPECT_EQ(box.OutputToFrame({1300, -2}), (PlatformPoint{1300, -2}));
    EXPECT_EQ(box.width, 1280);
    EXPECT_EQ(box.height, 720);
  }
}

TEST(SdlPlatformKeysTest, VirtualKeysOfTheGameMapToTheirKeys) {
  EXPECT_EQ(SdlPlatform::ScancodeForVirtualKey(Key::W), SDL_SCANCODE_W);
  EXPECT_EQ(SdlPlatform::ScancodeForVirtualKey(Key::A), SDL_SCANCODE_A);
  EXPECT_EQ(SdlPlatform::ScancodeForVirtualKey(Key::S), SDL_SCANCODE_S);
  EXPECT_EQ(SdlPlatform::ScancodeForVirtualKey(Key::D), SDL_SCANCODE_D);
  EXPECT_EQ(SdlPlatform::ScancodeForVirtualKey(Key::R), SDL_SCANCODE_R);
  EXPECT_EQ(SdlPlatform::ScancodeForVirtualKey(Key::Space), SDL_SCANCODE_SPACE);
  EXPECT_EQ(SdlPlatform::ScancodeForVirtualKey(Key::Escape), SDL_SCANCODE_ESCAPE);
  EXPECT_EQ(SdlPlatform::ScancodeForVirtualKey('0'), SDL_SCANCODE_0);
  EXPECT_EQ(SdlPlatform::ScancodeForVirtualKey('9'), SDL_SCANCODE_9);
  EXPECT_EQ(SdlPlatform::ScancodeForVirtualKey(Key::LButton), -1) << "mouse buttons are not keys";
  EXPECT_EQ(SdlPlatform::ScancodeForVirtualKey(Key::RButton), -1);
  EXPECT_EQ(SdlPlatform::ScancodeForVirtualKey(0xFF), -1);
  for (int vk : {Key::W, Key::A, Key::R, Key::Space, int('0'), 0x25})
    EXPECT_EQ(SdlPlatform::VirtualKeyForScancode(SdlPlatform::ScancodeForVirtualKey(vk)), vk) << vk;
  EXPECT_EQ(SdlPlatform::VirtualKeyForScancode(SDL_SCANCODE_RCTRL), 0x11);
  EXPECT_EQ(SdlPlatform::VirtualKeyForScancode(SDL_SCANCODE_F13), -1);
}

// Runs under SDL's offscreen video driver with no display variables, so no
// real window or message box can appear.
class SdlPlatformTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Hide("DISPLAY", display);
    Hide("WAYLAND_DISPLAY", wayland);
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
      HALVANE_SKIP_UNLESS_CI(std::string("SDL video, which cannot start: ") + SDL_GetError());
    videoStarted = true;
    platform.emplace();
    if (!platform->CreateGameWindow("Halvane  ver.0.9.7", 1280, 720))
      HALVANE_SKIP_UNLESS_CI(std::string("an OpenGL window under the offscreen driver: ") + SDL_GetError());
    window = static_cast<SDL_Window*>(platform->NativeWindow());
  }
  void TearDown() override {
    platform.reset();
    if (videoStarted) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_ResetHints();
    Restore("DISPLAY", display);
    Restore("WAYLAND_DISPLAY", wayland);
  }

  static void Hide(const char* name, std::optional<std::string>& saved) {
    if (const char* value = std::getenv(name)) saved = value;
    unsetenv(name);
  }
  static void Restore(const char* name, const std::optional<std::string>& saved) {
    if (saved) setenv(name, saved->c_str(), 1);
  }

  void Push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }
  void PushKey(SDL_Scancode scancode, SDL_Keycode sym, bool down = true) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.windowID = SDL_GetWindowID(window);
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.scancode = scancode;
    event.key.keysym.sym = sym;
    Push(event);
  }
  void PushButton(Uint32 type, Uint8 button) {
    SDL_Event event{};
    event.type = type;
    event.button.windowID = SDL_GetWindowID(window);
    event.button.button = button;
    event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = 1;
    Push(event);
  }
  void PushWindowEvent(SDL_WindowEventID id) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = SDL_GetWindowID(window);
    event.window.event = id;
    Push(event);
  }

  std::optional<std::string> display, wayland;
  bool videoStarted = false;
  std::optional<SdlPlatform> platform;
  SDL_Window* window = nullptr;
};

TEST_F(SdlPlatformTest, WindowHasAFixedClientAreaTitleAndAnOpenGlSurface) {
  ASSERT_NE(window, nullptr);
  int w = 0, h = 0;
  SDL_GetWindowSize(window, &w, &h);
  EXPECT_EQ(w, 1280);
  EXPECT_EQ(h, 720);
  EXPECT_STREQ(SDL_GetWindowTitle(window), "Halvane  ver.0.9.7");
  const Uint32 flags = SDL_GetWindowFlags(window);
  EXPECT_TRUE(flags & SDL_WINDOW_OPENGL);
  EXPECT_FALSE(flags & SDL_WINDOW_RESIZABLE);
  EXPECT_FALSE(platform->CreateGameWindow("second", 640, 480)) << "there is one game window";
}

// The world's depth is the graphics backend's own target; a window without a
// depth buffer is what lets llvmpipe stretch a scaled world on its fast path.
TEST_F(SdlPlatformTest, WindowTakesAnOpenGl33CoreContextWithoutADepthBufferOfItsOwn) {
  SDL_GLContext context = SDL_GL_CreateContext(window);
  if (!context) HALVANE_SKIP_UNLESS_CI(std::string("an OpenGL 3.3 core context: ") + SDL_GetError());
  int major = 0, minor = 0, profile = 0, depth = 0;
  SDL_GL_GetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, &major);
  SDL_GL_GetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, &minor);
  SDL_GL_GetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, &profile);
  SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &depth);  // fails, leaving 0, without one
  SDL_GL_DeleteContext(context);
  EXPECT_GE(major * 10 + minor, 33);
  EXPECT_EQ(profile, SDL_GL_CONTEXT_PROFILE_CORE);
  EXPECT_EQ(depth, 0);
}

TEST_F(SdlPlatformTest, OtherKeysAreConsumedAndEscapeClosesTheWindow) {
  PushKey(SDL_SCANCODE_A, SDLK_a);
  PushKey(SDL_SCANCODE_SPACE, SDLK_SPACE);
  EXPECT_TRUE(platform->PumpMessages());
  EXPECT_TRUE(platform->HasGameWindow());

  PushKey(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE);
  EXPECT_FALSE(platform->PumpMessages()) << "the quit is seen in the same pump";
  EXPECT_FALSE(platform->HasGameWindow());
  EXPECT_EQ(platform->NativeWindow(), nullptr);
  EXPECT_TRUE(platform->PumpMessages()) << "the quit is reported once";
}

TEST_F(SdlPlatformTest, AClickOrKeyTapBetweenTwoPumpsReadsDownForOneFrame) {
  PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
  PushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
  PushKey(SDL_SCANCODE_R, SDLK_r);
  PushKey(SDL_SCANCODE_R, SDLK_r, false);
  ASSERT_TRUE(platform->PumpMessages());
  EXPECT_TRUE(platform->IsKeyDown(Key::LButton));
  EXPECT_TRUE(platform->IsKeyDown(Key::R));
  EXPECT_FALSE(platform->IsKeyDown(Key::RButton));
  EXPECT_FALSE(platform->IsKeyDown(Key::W));

  ASSERT_TRUE(platform->PumpMessages());
  EXPECT_FALSE(platform->IsKeyDown(Key::LButton)) << "up on the frame after";
  EXPECT_FALSE(platform->IsKeyDown(Key::R));

  PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT);
  PushKey(SDL_SCANCODE_RSHIFT, SDLK_RSHIFT);
  ASSERT_TRUE(platform->PumpMessages());
  EXPECT_TRUE(platform->IsKeyDown(Key::RButton));
  EXPECT_TRUE(platform->IsKeyDown(0x10)) << "either shift is the shift key";
}

// SDL's virtual joystick, typed as a game controller, comes in through the
// real device and controller event path without hardware.
TEST_F(SdlPlatformTest, AVirtualPadWalksFiresAndPausesThroughTheControllerEvents) {
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  const int device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                               SDL_CONTROLLER_BUTTON_MAX, 0);
  if (device < 0) GTEST_SKIP() << "no virtual joysticks here: " << SDL_GetError();
  SDL_Joystick* stick = SDL_JoystickOpen(device);
  ASSERT_NE(stick, nullptr) << SDL_GetError();
  SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_TRIGGERLEFT, -32768);
  SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, -32768);
  platform->PumpMessages();
  EXPECT_EQ(platform->OpenPadCount(), 1) << "a pad plugged in during play is taken";
  EXPECT_FALSE(platform->IsKeyDown(Key::W));
  EXPECT_FALSE(platform->IsKeyDown(Key::LButton));

  SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_LEFTY, -32768);  // forward
  SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
  SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_A, 1);
  platform->PumpMessages();
  EXPECT_TRUE(platform->IsKeyDown(Key::W));
  EXPECT_FALSE(platform->IsKeyDown(Key::S));
  EXPECT_TRUE(platform->IsKeyDown(Key::LButton));
  EXPECT_FALSE(platform->IsKeyDown(Key::RButton));
  EXPECT_TRUE(platform->IsKeyDown(Key::Space));

  SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_LEFTY, 6000);  // inside the dead zone
  SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_B, 1);
  SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_BACK, 1);
  platform->PumpMessages();
  EXPECT_FALSE(platform->IsKeyDown(Key::S));
  EXPECT_TRUE(platform->HasGameWindow()) << "no pad button quits";

  // In play (the cursor hidden) Start pauses: the window reads inactive.
  PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
  platform->ShowCursor(false);
  SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_START, 1);
  platform->PumpMessages();
  EXPECT_TRUE(platform->IsPaused());
  EXPECT_FALSE(platform->IsWindowActive());
  EXPECT_FALSE(platform->IsKeyDown(Key::LButton));
  SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_START, 0);
  platform->PumpMessages();
  PushKey(SDL_SCANCODE_P, SDLK_p);
  platform->PumpMessages();
  EXPECT_FALSE(platform->IsPaused()) << "P resumes";
  EXPECT_TRUE(platform->IsWindowActive());
  platform->ShowCursor(true);

  SDL_JoystickClose(stick);
  SDL_JoystickDetachVirtual(device);
  platform->PumpMessages();
  EXPECT_EQ(platform->OpenPadCount(), 0) << "an unplugged pad is let go";
  EXPECT_FALSE(platform->IsKeyDown(Key::LButton));
}

TEST_F(SdlPlatformTest, CloseButtonClosesTheWindow) {
  PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
  EXPECT_FALSE(platform->PumpMessages());
  EXPECT_FALSE(platform->HasGameWindow());
}

TEST_F(SdlPlatformTest, SystemQuitClosesTheWindow) {
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  Push(quit);
  EXPECT_FALSE(platform->PumpMessages());
  EXPECT_FALSE(platform->HasGameWindow());
}

TEST_F(SdlPlatformTest, DestroyingTheWindowDirectlyEndsTheNextPump) {
  platform->DestroyGameWindow();
  EXPECT_FALSE(platform->PumpMessages());
  EXPECT_TRUE(platform->PumpMessages());
}

TEST_F(SdlPlatformTest, ActiveWindowFollowsFocus) {
  PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
  platform->PumpMessages();
  EXPECT_TRUE(platform->IsWindowActive());
  PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
  platform->PumpMessages();
  EXPECT_FALSE(platform->IsWindowActive());
}

TEST_F(SdlPlatformTest, ClientAndScreenDifferByTheWindowPosition) {
  SDL_SetWindowPosition(window, 37, 21);
  int wx = 0, wy = 0;
  SDL_GetWindowPosition(window, &wx, &wy);
  EXPECT_EQ(platform->ClientToScreen({640, 360}), (PlatformPoint{wx + 640, wy + 360}));
  EXPECT_EQ(platform->ScreenToClient({wx + 3, wy - 4}), (PlatformPoint{3, -4}));
  EXPECT_EQ(platform->ScreenToClient(platform->ClientToScreen({1279, 0})), (PlatformPoint{1279, 0}));
}

TEST_F(SdlPlatformTest, FullScreenKeepsCursorPositionsInClientPixels) {
  ASSERT_TRUE(platform->SetFullscreen(true));
  EXPECT_TRUE(platform->IsFullscreen());
  EXPECT_TRUE(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP);
  int w = 0, h = 0, wx = 0, wy = 0;
  SDL_GetWindowSize(window, &w, &h);
  SDL_GetWindowPosition(window, &wx, &wy);
  const Letterbox box = Letterbox::Fit(1280, 720, w, h);
  const PlatformPoint centre = platform->ClientToScreen({640, 360});
  EXPECT_NEAR(centre.x, wx + w / 2, 1);
  EXPECT_NEAR(centre.y, wy + h / 2, 1);
  EXPECT_EQ(platform->ScreenToClient(centre), (PlatformPoint{640, 360}));
  EXPECT_EQ(platform->ClientToScreen({0, 0}), (PlatformPoint{wx + box.x, wy + box.y}));

  const PlatformPoint drawable = platform->DrawableSize();
  const Letterbox viewport = platform->DrawableLetterbox();
  EXPECT_EQ(viewport.width * 720, viewport.height * 1280) << "aspect kept in the drawable";
  EXPECT_TRUE(viewport.width == drawable.x || viewport.height == drawable.y);

  ASSERT_TRUE(platform->SetFullscreen(false));
  SDL_GetWindowSize(window, &w, &h);
  EXPECT_EQ(w, 1280);
  EXPECT_EQ(h, 720);
  EXPECT_FALSE(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP);
}

TEST_F(SdlPlatformTest, RefusedWarpIsEmulatedWithRelativeMotionWhileTheCursorIsHidden) {
  platform->ShowCursor(false);
  const PlatformPoint centre = platform->ClientToScreen({640, 360});
  platform->SetCursorPos(centre);
  if (!platform->IsEmulatingCursorWarp()) GTEST_SKIP() << "this video driver warps the pointer itself";
  EXPECT_EQ(platform->GetCursorPos(), centre);

  SDL_Event motion{};
  motion.type = SDL_MOUSEMOTION;
  motion.motion.windowID = SDL_GetWindowID(window);
  motion.motion.xrel = 24;
  motion.motion.yrel = -6;
  Push(motion);
  Push(motion);
  platform->PumpMessages();
  EXPECT_EQ(platform->GetCursorPos(), (PlatformPoint{centre.x + 48, centre.y - 12}));

  platform->SetCursorPos(centre);
  EXPECT_EQ(platform->GetCursorPos(), centre) << "mouse look re-centres every frame";

  platform->ShowCursor(true);
  Push(motion);
  platform->PumpMessages();
  platform->ShowCursor(false);
  platform->SetCursorPos(centre);
  EXPECT_EQ(platform->GetCursorPos(), centre) << "motion while shown does not move the virtual cursor";
}

TEST_F(SdlPlatformTest, BoxesThatCannotBeShownGoToStandardErrorAndAnswerNo) {
  ::testing::internal::CaptureStderr();
  const bool yes = platform->AskYesNo("確認", "フルスクリーンにしますか？");
  platform->ShowError("サウンド初期化失敗", "", true);
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_FALSE(yes);
  EXPECT_NE(err.find("確認: フルスクリーンにしますか？"), std::string::npos) << err;
  EXPECT_NE(err.find("サウンド初期化失敗"), std::string::npos) << err;
}

TEST_F(SdlPlatformTest, ClockAdvancesAcrossASleep) {
  const uint32_t before = platform->GetMilliseconds();
  platform->SleepMilliseconds(20);
  EXPECT_GE(platform->GetMilliseconds() - before, 20u);
}

TEST(SdlPlatformNoDisplayTest, WindowFailureAndItsBoxReachStandardError) {
  std::optional<std::string> display;
  if (const char* value = std::getenv("DISPLAY")) display = value;
  unsetenv("DISPLAY");
  std::optional<std::string> wayland;
  if (const char* value = std::getenv("WAYLAND_DISPLAY")) wayland = value;
  unsetenv("WAYLAND_DISPLAY");
  SDL_SetHint(SDL_HINT_VIDEODRIVER, "no-such-driver");
  {
    SdlPlatform platform;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(platform.CreateGameWindow("Halvane  ver.0.9.7", 1280, 720));
    EXPECT_FALSE(platform.HasGameWindow());
    platform.ShowError("エラー", "ウィンドウ作成に失敗", false);
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("エラー: ウィンドウ作成に失敗"), std::string::npos) << err;
  }
  SDL_ResetHints();
  if (display) setenv("DISPLAY", display->c_str(), 1);
  if (wayland) setenv("WAYLAND_DISPLAY", wayland->c_str(), 1);
}

}  // namespace
