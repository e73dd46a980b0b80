#include "platform/win32/Win32Platform.h"

#include <windows.h>
// mmsystem.h and xinput.h need windows.h first.
#include <mmsystem.h>
#include <xinput.h>

#include "platform/win32/Win32Resources.h"
#include "platform/win32/Win32WindowRules.h"

// The rules and the game's key codes are written without windows.h, so they
// can be tested anywhere; here they must be the system's own values.
static_assert(Win32WindowRules::kCreate == WM_CREATE && Win32WindowRules::kDestroy == WM_DESTROY &&
                  Win32WindowRules::kClose == WM_CLOSE && Win32WindowRules::kKeyDown == WM_KEYDOWN &&
                  Win32WindowRules::kEscape == VK_ESCAPE &&
                  Win32WindowRules::kLButtonDown == WM_LBUTTONDOWN &&
                  Win32WindowRules::kRButtonDown == WM_RBUTTONDOWN &&
                  Win32WindowRules::kMButtonDown == WM_MBUTTONDOWN,
              "window messages differ from the system's");
static_assert(Key::LButton == VK_LBUTTON && Key::RButton == VK_RBUTTON && Key::Escape == VK_ESCAPE &&
                  Key::Space == VK_SPACE && Key::A == 'A' && Key::D == 'D' && Key::R == 'R' &&
                  Key::S == 'S' && Key::W == 'W' && Key::P == 'P',
              "key codes differ from the system's virtual keys");

namespace {
const wchar_t* const kClassName = L"Window";
constexpr DWORD kWindowStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

HINSTANCE ModuleInstance() {
  return GetModuleHandleW(nullptr);
}

// The exe's icon at the system's size for the given metric, or the system's
// generic one if the resource is missing.
HICON ProgramIcon(HINSTANCE instance, int widthMetric, int heightMetric) {
  HANDLE icon = LoadImageW(instance, MAKEINTRESOURCEW(HALVANE_ICON_RESOURCE), IMAGE_ICON,
                           GetSystemMetrics(widthMetric), GetSystemMetrics(heightMetric), LR_DEFAULTCOLOR);
  if (icon) return static_cast<HICON>(icon);
  return LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
}

// Frames between two looks at the empty pad slots: a pad plugged in during
// play is found within a second.
constexpr int kPadProbeFrames = 60;

using XInputGetStateFunction = DWORD(WINAPI*)(DWORD, XINPUT_STATE*);

// XInput from the system's own library (loaded once, kept to the end); null
// where there is none, and the game plays without pads.
XInputGetStateFunction XInputGetStateFromSystem() {
  static const XInputGetStateFunction function = []() -> XInputGetStateFunction {
    for (const wchar_t* name : {L"xinput1_4.dll", L"xinput1_3.dll", L"xinput9_1_0.dll"}) {
      HMODULE module = LoadLibraryW(name);
      if (!module) continue;
      if (FARPROC found = GetProcAddress(module, "XInputGetState"))
        return reinterpret_cast<XInputGetStateFunction>(reinterpret_cast<void*>(found));
      FreeLibrary(module);
    }
    return nullptr;
  }();
  return function;
}

GamepadState FromXInput(const XINPUT_GAMEPAD& pad) {
  GamepadState state;
  state.leftX = GamepadMapping::AxisFromInt16(pad.sThumbLX);
  state.leftY = GamepadMapping::AxisFromInt16(pad.sThumbLY);
  state.rightX = GamepadMapping::AxisFromInt16(pad.sThumbRX);
  state.rightY = GamepadMapping::AxisFromInt16(pad.sThumbRY);
  state.leftTrigger = GamepadMapping::TriggerFromInt(pad.bLeftTrigger, 255);
  state.rightTrigger = GamepadMapping::TriggerFromInt(pad.bRightTrigger, 255);
  state.a = (pad.wButtons & XINPUT_GAMEPAD_A) != 0;
  state.x = (pad.wButtons & XINPUT_GAMEPAD_X) != 0;
  state.start = (pad.wButtons & XINPUT_GAMEPAD_START) != 0;
  return state;
}
}  // namespace

Win32Platform::Win32Platform() = default;

Win32Platform::~Win32Platform() {
  DestroyGameWindow();
  if (classRegistered) UnregisterClassW(kClassName, ModuleInstance());
}

std::wstring Win32Platform::Widen(const std::string& utf8) {
  if (utf8.empty()) return {};
  int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(size_t(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), length);
  return wide;
}

std::string Win32Platform::Narrow(const std::wstring& utf16) {
  if (utf16.empty()) return {};
  int length = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), int(utf16.size()), nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string narrow(size_t(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), int(utf16.size()), narrow.data(), length, nullptr, nullptr);
  return narrow;
}

bool Win32Platform::CreateGameWindow(const std::string& title, int width, int height) {
  if (window) return false;
  HINSTANCE instance = ModuleInstance();
  if (!classRegistered) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(WNDCLASSEXW);
    windowClass.style = 0;
    windowClass.lpfnWndProc = reinterpret_cast<WNDPROC>(&Win32Platform::WindowProcedure);
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = instance;
    windowClass.hIcon = ProgramIcon(instance, SM_CXICON, SM_CYICON);
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = kClassName;
    windowClass.hIconSm = ProgramIcon(instance, SM_CXSMICON, SM_CYSMICON);
    if (!RegisterClassExW(&windowClass)) return false;
    classRegistered = true;
  }

  const std::wstring wideTitle = Widen(title);
  HWND made = CreateWindowExW(0, kClassName, wideTitle.c_str(), kWindowStyle, 0, 0, width, height, nullptr,
                              nullptr, instance, this);
  if (!made) return false;
  window = made;

  // The outer size was given; grow it by the frame so the client area is
  // exactly width x height.
  RECT outer{}, client{};
  GetWindowRect(made, &outer);
  GetClientRect(made, &client);
  const Win32WindowRules::Size size = Win32WindowRules::OuterSizeForClient(
      width, height, {outer.right - outer.left, outer.bottom - outer.top},
      {client.right - client.left, client.bottom - client.top});
  MoveWindow(made, outer.left, outer.top, size.width, size.height, TRUE);

  ShowWindow(made, SW_SHOW);
  UpdateWindow(made);
  // Frame pacing sleeps whole milliseconds; the resolution stays set until exit.
  timeBeginPeriod(1);
  fullscreen = false;
  return true;
}

void Win32Platform::DestroyGameWindow() {
  if (!window) return;
  HWND held = window;
  window = nullptr;
  DestroyWindow(held);
}

void Win32Platform::Close() {
  DestroyGameWindow();
}

bool Win32Platform::HasGameWindow() const {
  return window != nullptr;
}

void* Win32Platform::NativeWindow() const {
  return window;
}

// The window class already carries the exe's icon resource, drawn by hand at
// every size Windows asks for; pixels scaled from one size would only blur it.
void Win32Platform::SetWindowIcon(int, int, const std::vector<uint8_t>&) {}

intptr_t __stdcall Win32Platform::WindowProcedure(HWND__* hwnd, unsigned message, uintptr_t wParam,
                                                  intptr_t lParam) {
  auto* owner = static_cast<Win32Platform*>(GetPropW(hwnd, Win32WindowRules::kInstanceProperty));
  if (owner) {
    owner->latch.Press(Win32WindowRules::PressedKey(message, wParam));
    // P pauses on its press, not on the keyboard's repeats (bit 30: was down).
    if (message == WM_KEYDOWN && wParam == 'P' && (lParam & (1 << 30)) == 0) owner->pausePressed = true;
  }
  switch (Win32WindowRules::Decide(owner != nullptr, message, wParam)) {
    case Win32WindowRules::Action::StoreInstance: {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      SetPropW(hwnd, Win32WindowRules::kInstanceProperty, create->lpCreateParams);
      return 0;
    }
    case Win32WindowRules::Action::Destroyed:
      RemovePropW(hwnd, Win32WindowRules::kInstanceProperty);
      PostQuitMessage(0);
      return 0;
    case Win32WindowRules::Action::Close:
      owner->Close();
      return 0;
    case Win32WindowRules::Action::Consume:
      return 0;
    case Win32WindowRules::Action::Default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

bool Win32Platform::PumpMessages() {
  latch.Clear();
  pausePressed = false;
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) return false;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  input.BeginFrame(ReadPads(), pausePressed);
  if (input.IsPaused() && input.HasAnchor()) {
    // The mouse moved during a pause must not turn the player on resuming.
    ::SetCursorPos(input.Anchor().x, input.Anchor().y);
  } else {
    const PlatformPoint move = input.TakePointerMove();
    if (move.x != 0 || move.y != 0) {
      const PlatformPoint at = SystemCursor();
      ::SetCursorPos(at.x + move.x, at.y + move.y);
    }
  }
  return true;
}

GamepadState Win32Platform::ReadPads() {
  GamepadState combined;
  const XInputGetStateFunction getState = XInputGetStateFromSystem();
  // XInput answers whichever window is in front; a pad plays the game only
  // while its window is, as SDL's pads do.
  if (!getState || !window || GetActiveWindow() != window) return combined;
  const bool probe = --padProbeCountdown <= 0;
  if (probe) padProbeCountdown = kPadProbeFrames;
  for (DWORD slot = 0; slot < 4; ++slot) {
    if (!padConnected[slot] && !probe) continue;
    XINPUT_STATE state{};
    padConnected[slot] = getState(slot, &state) == ERROR_SUCCESS;
    if (padConnected[slot]) combined = GamepadMapping::Combine(combined, FromXInput(state.Gamepad));
  }
  return combined;
}

bool Win32Platform::IsWindowActive() const {
  return window && GetActiveWindow() == window && !input.IsPaused();
}

bool Win32Platform::SetFullscreen(bool on) {
  if (!window) return false;
  if (on == fullscreen) return true;
  if (on) {
    RECT rect{};
    GetWindowRect(window, &rect);
    windowedStyle = GetWindowLongW(window, GWL_STYLE);
    windowedX = rect.left;
    windowedY = rect.top;
    windowedWidth = rect.right - rect.left;
    windowedHeight = rect.bottom - rect.top;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) return false;
    SetWindowLongW(window, GWL_STYLE, WS_POPUP | WS_VISIBLE);
    const RECT& area = monitor.rcMonitor;
    SetWindowPos(window, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_FRAMECHANGED | SWP_SHOWWINDOW);
  } else {
    SetWindowLongW(window, GWL_STYLE, windowedStyle);
    SetWindowPos(window, HWND_NOTOPMOST, windowedX, windowedY, windowedWidth, windowedHeight,
                 SWP_FRAMECHANGED | SWP_SHOWWINDOW);
  }
  fullscreen = on;
  return true;
}

void Win32Platform::ShowError(const std::string& caption, const std::string& text, bool ownedByWindow) {
  // The window's own failure has no window to own its box, and no icon.
  const UINT style = ownedByWindow ? MB_OK | MB_ICONERROR : MB_OK;
  MessageBoxW(ownedByWindow ? window : nullptr, Widen(text).c_str(), Widen(caption).c_str(), style);
}

bool Win32Platform::AskYesNo(const std::string& caption, const std::string& text) {
  return MessageBoxW(window, Widen(text).c_str(), Widen(caption).c_str(),
                     MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

bool Win32Platform::IsKeyDown(int virtualKey) const {
  if (input.IsPaused()) return false;
  return latch.Holds(virtualKey) || input.PadHolds(virtualKey) ||
         (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

PlatformPoint Win32Platform::GetCursorPos() const {
  return input.ShapeCursor(SystemCursor());
}

PlatformPoint Win32Platform::SystemCursor() const {
  POINT p{};
  ::GetCursorPos(&p);
  return {int(p.x), int(p.y)};
}

void Win32Platform::SetCursorPos(PlatformPoint screen) {
  input.CursorSet(screen, SystemCursor());
  ::SetCursorPos(screen.x, screen.y);
}

PlatformPoint Win32Platform::ScreenToClient(PlatformPoint screen) const {
  POINT p{screen.x, screen.y};
  if (window) ::ScreenToClient(window, &p);
  return {int(p.x), int(p.y)};
}

PlatformPoint Win32Platform::ClientToScreen(PlatformPoint client) const {
  POINT p{client.x, client.y};
  if (window) ::ClientToScreen(window, &p);
  return {int(p.x), int(p.y)};
}

void Win32Platform::ShowCursor(bool show) {
  ::ShowCursor(show ? TRUE : FALSE);
  cursorShowCount += show ? 1 : -1;
  input.SetSteering(cursorShowCount < 0);
}

void Win32Platform::SetLook(float sensitivity, bool invertY) {
  input.SetLook(sensitivity, invertY);
}

bool Win32Platform::IsPaused() const {
  return input.IsPaused();
}

uint32_t Win32Platform::GetMilliseconds() const {
  return timeGetTime();
}

void Win32Platform::SleepMilliseconds(uint32_t ms) {
  Sleep(ms);
}
