#include "platform/sdl/SdlPlatform.h"

#include <SDL.h>

#include <cstdio>

namespace {
void PrintBox(const std::string& caption, const std::string& text) {
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}
}  // namespace

SdlPlatform::SdlPlatform() = default;

SdlPlatform::~SdlPlatform() {
  DestroyGameWindow();
  for (SDL_GameController* pad : pads) SDL_GameControllerClose(pad);
  pads.clear();
  if (padsReady) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  if (videoReady) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool SdlPlatform::InitVideo() {
  if (videoReady) return true;
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "SDL video: %s\n", SDL_GetError());
    return false;
  }
  videoReady = true;
  // Without game controllers the game still plays with keys and mouse. The
  // pads already plugged in arrive as added devices at the first pump.
  padsReady = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
  if (!padsReady) std::fprintf(stderr, "SDL game controllers: %s\n", SDL_GetError());
  return true;
}

bool SdlPlatform::CreateGameWindow(const std::string& title, int width, int height) {
  if (window || !InitVideo()) return false;
  // The graphics backend creates its OpenGL 3.3 core context on this window.
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
  // No depth buffer of the window's own: the world's depth is the backend's,
  // and only into a window without one does llvmpipe stretch a scaled world
  // on its fast linear path.
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  window = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height,
                            SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
  if (!window) {
    std::fprintf(stderr, "SDL window: %s\n", SDL_GetError());
    return false;
  }
  // Tiling window managers ignore the missing resize flag unless the size is
  // pinned both ways.
  SDL_SetWindowMinimumSize(window, width, height);
  SDL_SetWindowMaximumSize(window, width, height);
  int w = 0, h = 0;
  SDL_GetWindowSize(window, &w, &h);
  if (w != width || h != height) SDL_SetWindowSize(window, width, height);
  windowId = SDL_GetWindowID(window);
  focused = (SDL_GetWindowFlags(window) & SDL_WINDOW_INPUT_FOCUS) != 0;
  focusAsked = false;
  clientWidth = width;
  clientHeight = height;
  fullscreen = false;
  quitPosted = false;
  return true;
}

void SdlPlatform::DestroyGameWindow() {
  if (!window) return;
  if (relativeMode) SDL_SetRelativeMouseMode(SDL_FALSE);
  relativeMode = false;
  SDL_DestroyWindow(window);
  window = nullptr;
  windowId = 0;
  focused = false;
  fullscreen = false;
  quitPosted = true;
}

bool SdlPlatform::HasGameWindow() const {
  return window != nullptr;
}

void* SdlPlatform::NativeWindow() const {
  return window;
}

void SdlPlatform::SetWindowIcon(int width, int height, const std::vector<uint8_t>& rgba) {
  if (!window || !IsWholeIcon(width, height, rgba)) return;
  // SDL converts the pixels into the window's own copy; the surface only lends them.
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint8_t*>(rgba.data()), width, height, 32,
                                                            width * 4, SDL_PIXELFORMAT_RGBA32);
  if (!surface) return;
  SDL_SetWindowIcon(window, surface);
  SDL_FreeSurface(surface);
}

bool SdlPlatform::PumpMessages() {
  // On its first pass, after the start-up questions, the window takes the
  // keyboard, as a shown window does on the desktop; on an X server without a
  // window manager nothing else would give it, and the game would stay frozen.
  if (window && !focusAsked) {
    focusAsked = true;
    SDL_RaiseWindow(window);
    SDL_SetWindowInputFocus(window);
  }
  latch.Clear();
  pausePressed = false;
  SDL_Event event;
  while (!quitPosted && SDL_PollEvent(&event)) HandleEvent(event);
  input.BeginFrame(ReadPads(), pausePressed);
  if (input.IsPaused() && input.HasAnchor()) {
    // The mouse moved during a pause must not turn the player on resuming.
    MoveSystemCursor(input.Anchor());
  } else {
    const PlatformPoint move = input.TakePointerMove();
    if (move.x != 0 || move.y != 0) {
      const PlatformPoint at = SystemCursor();
      MoveSystemCursor({at.x + move.x, at.y + move.y});
    }
  }
  if (quitPosted) {
    quitPosted = false;
    return false;
  }
  return true;
}

void SdlPlatform::HandleEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_QUIT:  // the system's close (the last window went, or a signal)
      Close();
      break;
    case SDL_WINDOWEVENT:
      if (event.window.windowID != windowId) break;
      if (event.window.event == SDL_WINDOWEVENT_CLOSE) Close();
      if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) focused = true;
      if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) focused = false;
      break;
    case SDL_KEYDOWN:
      // Escape closes the window; every other key is polled, with its press
      // latched so a tap between two frames still reads as down once.
      if (event.key.keysym.scancode == SDL_SCANCODE_ESCAPE || event.key.keysym.sym == SDLK_ESCAPE) {
        Close();
        break;
      }
      latch.Press(VirtualKeyForScancode(event.key.keysym.scancode));
      if (event.key.keysym.scancode == SDL_SCANCODE_P && !event.key.repeat) pausePressed = true;
      break;
    case SDL_CONTROLLERDEVICEADDED:
      OpenPad(event.cdevice.which);
      break;
    case SDL_CONTROLLERDEVICEREMOVED:
      ClosePad(event.cdevice.which);
      break;
    case SDL_MOUSEBUTTONDOWN:
      if (event.button.button == SDL_BUTTON_LEFT) latch.Press(Key::LButton);
      if (event.button.button == SDL_BUTTON_RIGHT) latch.Press(Key::RButton);
      if (event.button.button == SDL_BUTTON_MIDDLE) latch.Press(0x04);
      break;
    case SDL_MOUSEMOTION:
      if (warpRefused && CursorHidden()) {
        virtualCursor.x += event.motion.xrel;
        virtualCursor.y += event.motion.yrel;
      }
      break;
    default:
      break;
  }
}

void SdlPlatform::Close() {
  DestroyGameWindow();
}

bool SdlPlatform::IsWindowActive() const {
  return window && focused && !input.IsPaused();
}

void SdlPlatform::OpenPad(int deviceIndex) {
  SDL_GameController* pad = SDL_GameControllerOpen(deviceIndex);
  if (!pad) return;
  // SDL reports a pad already open (at start-up) a second time; keep one handle.
  for (SDL_GameController* open : pads) {
    if (open == pad) {
      SDL_GameControllerClose(pad);
      return;
    }
  }
  pads.push_back(pad);
}

void SdlPlatform::ClosePad(int instanceId) {
  for (auto it = pads.begin(); it != pads.end(); ++it) {
    SDL_Joystick* joystick = SDL_GameControllerGetJoystick(*it);
    if (joystick && SDL_JoystickInstanceID(joystick) == instanceId) {
      SDL_GameControllerClose(*it);
      pads.erase(it);
      return;
    }
  }
}

GamepadState SdlPlatform::ReadPads() const {
  GamepadState combined;
  for (SDL_GameController* pad : pads) {
    auto axis = [pad](SDL_GameControllerAxis which) {
      return GamepadMapping::AxisFromInt16(SDL_GameControllerGetAxis(pad, which));
    };
    auto button = [pad](SDL_GameControllerButton which) {
      return SDL_GameControllerGetButton(pad, which) != 0;
    };
    GamepadState state;
    // SDL's stick y points down; the pad's forward is up.
    state.leftX = axis(SDL_CONTROLLER_AXIS_LEFTX);
    state.leftY = -axis(SDL_CONTROLLER_AXIS_LEFTY);
    state.rightX = axis(SDL_CONTROLLER_AXIS_RIGHTX);
    state.rightY = -axis(SDL_CONTROLLER_AXIS_RIGHTY);
    state.leftTrigger = GamepadMapping::TriggerFromInt(
        SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERLEFT), 32767);
    state.rightTrigger = GamepadMapping::TriggerFromInt(
        SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT), 32767);
    state.a = button(SDL_CONTROLLER_BUTTON_A);
    state.x = button(SDL_CONTROLLER_BUTTON_X);
    state.start = button(SDL_CONTROLLER_BUTTON_START);
    combined = GamepadMapping::Combine(combined, state);
  }
  return combined;
}

bool SdlPlatform::SetFullscreen(bool on) {
  if (!window) return false;
  if (SDL_SetWindowFullscreen(window, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
    std::fprintf(stderr, "SDL full screen: %s\n", SDL_GetError());
    return false;
  }
  fullscreen = on;
  // Some drivers leave the window at the display's size on the way back.
  if (!on) SDL_SetWindowSize(window, clientWidth, clientHeight);
  return true;
}

void SdlPlatform::ShowError(const std::string& caption, const std::string& text, bool ownedByWindow) {
  const SDL_MessageBoxButtonData ok = {
      SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "OK"};
  const SDL_MessageBoxData data = {
      SDL_MESSAGEBOX_ERROR, ownedByWindow ? window : nullptr, caption.c_str(), text.c_str(), 1, &ok, nullptr};
  int button = -1;
  const bool shown = SDL_ShowMessageBox(&data, &button) == 0;
  if (!shown) std::fprintf(stderr, "SDL message box: %s\n", SDL_GetError());
  // Without a display a player at a terminal still learns why the game ended.
  if (!shown || !videoReady) PrintBox(caption, text);
}

bool SdlPlatform::AskYesNo(const std::string& caption, const std::string& text) {
  constexpr int kYes = 1;
  constexpr int kNo = 0;
  const SDL_MessageBoxButtonData buttons[] = {
      {0, kYes, "はい"},
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, kNo, "いいえ"},
  };
  const SDL_MessageBoxData data = {SDL_MESSAGEBOX_INFORMATION | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT,
                                   window,
                                   caption.c_str(),
                                   text.c_str(),
                                   2,
                                   buttons,
                                   nullptr};
  int button = -1;  // stays -1 when the box is closed without a button
  if (SDL_ShowMessageBox(&data, &button) != 0) {
    std::fprintf(stderr, "SDL message box: %s\n", SDL_GetError());
    PrintBox(caption, text + " -> No");
    return false;
  }
  return button == kYes;
}

int SdlPlatform::ScancodeForVirtualKey(int vk) {
  if (vk >= 'A' && vk <= 'Z') return SDL_SCANCODE_A + (vk - 'A');
  if (vk >= '1' && vk <= '9') return SDL_SCANCODE_1 + (vk - '1');
  switch (vk) {
    case '0':
      return SDL_SCANCODE_0;
    case 0x08:
      return SDL_SCANCODE_BACKSPACE;
    case 0x09:
      return SDL_SCANCODE_TAB;
    case 0x0D:
      return SDL_SCANCODE_RETURN;
    case 0x10:
      return SDL_SCANCODE_LSHIFT;
    case 0x11:
      return SDL_SCANCODE_LCTRL;
    case 0x12:
      return SDL_SCANCODE_LALT;
    case Key::Escape:
      return SDL_SCANCODE_ESCAPE;
    case Key::Space:
      return SDL_SCANCODE_SPACE;
    case 0x25:
      return SDL_SCANCODE_LEFT;
    case 0x26:
      return SDL_SCANCODE_UP;
    case 0x27:
      return SDL_SCANCODE_RIGHT;
    case 0x28:
      return SDL_SCANCODE_DOWN;
    default:
      return -1;
  }
}

int SdlPlatform::VirtualKeyForScancode(int scancode) {
  if (scancode == SDL_SCANCODE_RSHIFT) scancode = SDL_SCANCODE_LSHIFT;
  if (scancode == SDL_SCANCODE_RCTRL) scancode = SDL_SCANCODE_LCTRL;
  if (scancode == SDL_SCANCODE_RALT) scancode = SDL_SCANCODE_LALT;
  for (int vk = 0; vk < 256; ++vk) {
    if (ScancodeForVirtualKey(vk) == scancode) return vk;
  }
  return -1;
}

bool SdlPlatform::IsKeyDown(int vk) const {
  if (input.IsPaused()) return false;
  if (latch.Holds(vk) || input.PadHolds(vk)) return true;
  if (vk == Key::LButton) return (SDL_GetMouseState(nullptr, nullptr) & SDL_BUTTON_LMASK) != 0;
  if (vk == Key::RButton) return (SDL_GetMouseState(nullptr, nullptr) & SDL_BUTTON_RMASK) != 0;
  if (vk == 0x04) return (SDL_GetMouseState(nullptr, nullptr) & SDL_BUTTON_MMASK) != 0;
  const int scancode = ScancodeForVirtualKey(vk);
  if (scancode < 0) return false;
  // Shift, control and alt count on either side, as the system's own codes do.
  const Uint8* keys = SDL_GetKeyboardState(nullptr);
  if (scancode == SDL_SCANCODE_LSHIFT) return keys[SDL_SCANCODE_LSHIFT] || keys[SDL_SCANCODE_RSHIFT];
  if (scancode == SDL_SCANCODE_LCTRL) return keys[SDL_SCANCODE_LCTRL] || keys[SDL_SCANCODE_RCTRL];
  if (scancode == SDL_SCANCODE_LALT) return keys[SDL_SCANCODE_LALT] || keys[SDL_SCANCODE_RALT];
  return keys[scancode] != 0;
}

PlatformPoint SdlPlatform::GetCursorPos() const {
  return input.ShapeCursor(SystemCursor());
}

PlatformPoint SdlPlatform::SystemCursor() const {
  if (warpRefused && CursorHidden()) return virtualCursor;
  int x = 0, y = 0;
  SDL_GetGlobalMouseState(&x, &y);
  return {x, y};
}

void SdlPlatform::SetCursorPos(PlatformPoint screen) {
  input.CursorSet(screen, SystemCursor());
  MoveSystemCursor(screen);
}

void SdlPlatform::MoveSystemCursor(PlatformPoint screen) {
  if (!videoReady) return;
  if (!warpRefused) {
    if (SDL_WarpMouseGlobal(screen.x, screen.y) == 0) return;
    // Wayland lets no client move the pointer: from now on the cursor the
    // game reads is moved by relative motion while it is hidden.
    warpRefused = true;
  }
  virtualCursor = screen;
  UpdateRelativeMode();
}

void SdlPlatform::UpdateRelativeMode() {
  const bool wanted = window && warpRefused && CursorHidden();
  if (wanted == relativeMode) return;
  // Without relative mode the deltas still arrive while the pointer is inside
  // the window, so a refusal here is not fatal.
  if (SDL_SetRelativeMouseMode(wanted ? SDL_TRUE : SDL_FALSE) == 0 || !wanted) relativeMode = wanted;
}

Letterbox SdlPlatform::WindowLetterbox() const {
  int w = 0, h = 0;
  SDL_GetWindowSize(window, &w, &h);
  return Letterbox::Fit(clientWidth, clientHeight, w, h);
}

PlatformPoint SdlPlatform::ClientToScreen(PlatformPoint client) const {
  if (!window) return client;
  int wx = 0, wy = 0;
  SDL_GetWindowPosition(window, &wx, &wy);
  const PlatformPoint p = WindowLetterbox().FrameToOutput(client);
  return {wx + p.x, wy + p.y};
}

PlatformPoint SdlPlatform::ScreenToClient(PlatformPoint screen) const {
  if (!window) return screen;
  int wx = 0, wy = 0;
  SDL_GetWindowPosition(window, &wx, &wy);
  return WindowLetterbox().OutputToFrame({screen.x - wx, screen.y - wy});
}

void SdlPlatform::ShowCursor(bool show) {
  const bool wasHidden = CursorHidden();
  cursorShowCount += show ? 1 : -1;
  SDL_ShowCursor(CursorHidden() ? SDL_DISABLE : SDL_ENABLE);
  if (warpRefused && !wasHidden && CursorHidden()) {
    int x = 0, y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    virtualCursor = {x, y};
  }
  input.SetSteering(CursorHidden());
  UpdateRelativeMode();
}

void SdlPlatform::SetLook(float sensitivity, bool invertY) {
  input.SetLook(sensitivity, invertY);
}

bool SdlPlatform::IsPaused() const {
  return input.IsPaused();
}

PlatformPoint SdlPlatform::DrawableSize() const {
  int w = 0, h = 0;
  if (window) SDL_GL_GetDrawableSize(window, &w, &h);
  return {w, h};
}

Letterbox SdlPlatform::DrawableLetterbox() const {
  const PlatformPoint size = DrawableSize();
  return Letterbox::Fit(clientWidth, clientHeight, size.x, size.y);
}

uint32_t SdlPlatform::GetMilliseconds() const {
  return SDL_GetTicks();
}

void SdlPlatform::SleepMilliseconds(uint32_t ms) {
  SDL_Delay(ms);
}
