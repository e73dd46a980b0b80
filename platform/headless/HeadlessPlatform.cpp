#include "platform/headless/HeadlessPlatform.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>

HeadlessPlatform::HeadlessPlatform() = default;

HeadlessPlatform::~HeadlessPlatform() { DestroyGameWindow(); }

bool HeadlessPlatform::CreateGameWindow(const std::string& windowTitle, int w, int h) {
  if (failWindow) return false;
  if (renderWindowWanted) {
    // No display is needed: without one, SDL's offscreen driver runs OpenGL on
    // Mesa's software rasteriser.
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("SDL_VIDEODRIVER"))
      SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
      std::fprintf(stderr, "SDL video: %s\n", SDL_GetError());
      return false;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    // No depth buffer of the window's own: the world's depth is the backend's,
    // and only into a window without one does llvmpipe stretch a scaled world
    // on its fast linear path.
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_Window* sdlWindow = SDL_CreateWindow(windowTitle.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                             w, h, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!sdlWindow) {
      std::fprintf(stderr, "SDL window: %s\n", SDL_GetError());
      SDL_QuitSubSystem(SDL_INIT_VIDEO);
      return false;
    }
    renderWindow = sdlWindow;
  }
  window = true;
  closeRequested = false;
  quitPosted = false;
  title = windowTitle;
  width = w;
  height = h;
  return true;
}

void HeadlessPlatform::DestroyGameWindow() {
  if (renderWindow) {
    SDL_DestroyWindow(static_cast<SDL_Window*>(renderWindow));
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    renderWindow = nullptr;
  }
  if (window) quitPosted = true;
  window = false;
}

bool HeadlessPlatform::HasGameWindow() const { return window; }

void* HeadlessPlatform::NativeWindow() const { return renderWindow; }

void HeadlessPlatform::SetWindowIcon(int w, int h, const std::vector<uint8_t>& rgba) {
  if (!window || !IsWholeIcon(w, h, rgba)) return;
  icon = {w, h, rgba};
}

bool HeadlessPlatform::PumpMessages() {
  latch.Clear();
  if (pumpHook) pumpHook();
  // P pauses on its press, held or tapped.
  const bool pauseKeyDown = keysDown.count(Key::P) != 0 || latch.Holds(Key::P);
  input.BeginFrame(pad, pauseKeyDown && !pauseKeyWasDown);
  pauseKeyWasDown = pauseKeyDown;
  if (input.IsPaused() && input.HasAnchor()) {
    // As a real backend holds the system's cursor still during a pause.
    cursor = input.Anchor();
  } else {
    const PlatformPoint move = input.TakePointerMove();
    cursor = {cursor.x + move.x, cursor.y + move.y};
  }
  if (closeRequested && window) {
    closeRequested = false;
    DestroyGameWindow();
  }
  if (quitPosted) {
    quitPosted = false;
    return false;
  }
  return true;
}

bool HeadlessPlatform::IsWindowActive() const { return window && active && !input.IsPaused(); }

bool HeadlessPlatform::SetFullscreen(bool on) {
  if (!window) return false;
  fullscreen = on;
  return true;
}

void HeadlessPlatform::ShowError(const std::string& caption, const std::string& text, bool ownedByWindow) {
  boxes.push_back({false, caption, text, ownedByWindow, false});
}

bool HeadlessPlatform::AskYesNo(const std::string& caption, const std::string& text) {
  boxes.push_back({true, caption, text, true, answerYes});
  return answerYes;
}

bool HeadlessPlatform::IsKeyDown(int virtualKey) const {
  if (input.IsPaused()) return false;
  return keysDown.count(virtualKey) != 0 || latch.Holds(virtualKey) || input.PadHolds(virtualKey);
}

// The headless window sits at the screen's origin, so screen and client pixels agree.
PlatformPoint HeadlessPlatform::GetCursorPos() const { return input.ShapeCursor(cursor); }

void HeadlessPlatform::SetCursorPos(PlatformPoint screen) {
  input.CursorSet(screen, cursor);
  cursor = screen;
}

PlatformPoint HeadlessPlatform::ScreenToClient(PlatformPoint screen) const { return screen; }

PlatformPoint HeadlessPlatform::ClientToScreen(PlatformPoint client) const { return client; }

void HeadlessPlatform::ShowCursor(bool show) {
  cursorShowCount += show ? 1 : -1;
  input.SetSteering(cursorShowCount < 0);
}

void HeadlessPlatform::SetLook(float sensitivity, bool invertY) { input.SetLook(sensitivity, invertY); }

bool HeadlessPlatform::IsPaused() const { return input.IsPaused(); }

void HeadlessPlatform::SetPad(const GamepadState& state) { pad = state; }

uint32_t HeadlessPlatform::GetMilliseconds() const {
  return realClock ? clock + uint32_t(SDL_GetTicks64() - realStart) : clock;
}

void HeadlessPlatform::SleepMilliseconds(uint32_t ms) {
  if (realClock)
    SDL_Delay(ms);
  else
    clock += ms;
}

void HeadlessPlatform::UseRealClock() {
  realClock = true;
  realStart = SDL_GetTicks64();
}

void HeadlessPlatform::SetKeyDown(int virtualKey, bool down) {
  if (down)
    keysDown.insert(virtualKey);
  else
    keysDown.erase(virtualKey);
}

void HeadlessPlatform::ReleaseAllKeys() { keysDown.clear(); }

void HeadlessPlatform::TapKey(int virtualKey) { latch.Press(virtualKey); }

void HeadlessPlatform::SetCursorClient(PlatformPoint client) { cursor = client; }

PlatformPoint HeadlessPlatform::CursorClient() const { return cursor; }

void HeadlessPlatform::SetActive(bool isActive) { active = isActive; }

void HeadlessPlatform::SetClock(uint32_t ms) { clock = ms; }

void HeadlessPlatform::AdvanceClock(uint32_t ms) { clock += ms; }

void HeadlessPlatform::SetQuestionAnswer(bool yes) { answerYes = yes; }

void HeadlessPlatform::FailWindowCreation(bool fail) { failWindow = fail; }

void HeadlessPlatform::RequestClose() { closeRequested = true; }

void HeadlessPlatform::SetPumpHook(std::function<void()> hook) { pumpHook = std::move(hook); }

void HeadlessPlatform::EnableRenderWindow(bool enable) { renderWindowWanted = enable; }
