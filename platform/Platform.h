#pragma once

// The wall between the game and the operating system. Everything the game
// takes from the system (the window, message boxes, keys, the cursor, the
// clock, sleep, full screen) goes through the installed Platform; only the
// backends under platform/ (and the framework's GL and FAudio files) include
// system headers.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Virtual-key codes of the keys and mouse buttons the game reads.
namespace Key {
constexpr int LButton = 0x01;
constexpr int RButton = 0x02;
constexpr int Escape = 0x1B;
constexpr int Space = 0x20;
constexpr int A = 0x41;
constexpr int D = 0x44;
constexpr int P = 0x50;
constexpr int R = 0x52;
constexpr int S = 0x53;
constexpr int W = 0x57;
}  // namespace Key

struct PlatformPoint {
  int x = 0;
  int y = 0;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Window. The client area is exactly width x height and cannot be resized.
  virtual bool CreateGameWindow(const std::string& title, int width, int height) = 0;
  virtual void DestroyGameWindow() = 0;
  virtual bool HasGameWindow() const = 0;
  // The backend's own window object for the graphics backend (an SDL_Window*),
  // or null when there is no real window to render into.
  virtual void* NativeWindow() const = 0;
  // Gives the game window its icon (the task bar's and the title bar's):
  // width x height RGBA8 pixels, straight alpha, top row first. Ignored without
  // a window or when the pixels do not match the size. A backend whose window
  // already carries the program's own icon (the Windows exe's) may keep it.
  virtual void SetWindowIcon(int width, int height, const std::vector<uint8_t>& rgba) = 0;
  // Handles waiting window events without blocking. Closing the window or
  // pressing Escape destroys the window; other keys are consumed. Returns
  // false once the quit message has been seen.
  virtual bool PumpMessages() = 0;
  // Whether the game window is the active window.
  virtual bool IsWindowActive() const = 0;
  // Shows the frame scaled to the display, aspect kept; cursor positions stay
  // in client pixels.
  virtual bool SetFullscreen(bool fullscreen) = 0;

  // Message boxes (texts are UTF-8). The question has No as its default:
  // Escape or closing the box answers No.
  virtual void ShowError(const std::string& caption, const std::string& text, bool ownedByWindow) = 0;
  virtual bool AskYesNo(const std::string& caption, const std::string& text) = 0;

  // Input, polled: is the key or mouse button down now.
  virtual bool IsKeyDown(int virtualKey) const = 0;
  // The cursor in screen pixels, as the system reports it.
  virtual PlatformPoint GetCursorPos() const = 0;
  virtual void SetCursorPos(PlatformPoint screen) = 0;
  virtual PlatformPoint ScreenToClient(PlatformPoint screen) const = 0;
  virtual PlatformPoint ClientToScreen(PlatformPoint client) const = 0;
  virtual void ShowCursor(bool show) = 0;

  // Look options for the motion the game steers by while it hides the cursor
  // (play), mouse and right stick alike: sensitivity multiplies it (1 leaves
  // it as it is), invertY turns its vertical part round.
  virtual void SetLook(float sensitivity, bool invertY) = 0;
  // Whether play is paused: P or a pad's Start pauses it and resumes it. While
  // paused the window reads as not active and no key as down, so the world
  // stands still by the game's own rule.
  virtual bool IsPaused() const = 0;

  // The millisecond clock (wraps like the system's 32-bit timer) and sleep.
  virtual uint32_t GetMilliseconds() const = 0;
  virtual void SleepMilliseconds(uint32_t ms) = 0;
  // The clock value a game's random generator is seeded with: the clock now,
  // except where a replay gives back the value its recording read.
  virtual uint32_t ReadSeedClock() { return GetMilliseconds(); }
};

// Whether rgba holds exactly width x height RGBA8 pixels (both sides positive):
// what SetWindowIcon accepts.
bool IsWholeIcon(int width, int height, const std::vector<uint8_t>& rgba);

// The installed platform. The entry point installs the SDL one; tests and the
// developers' tool install the headless one. Sys() before any install is a
// programming error and aborts.
Platform& Sys();
void InstallPlatform(std::unique_ptr<Platform> platform);
// Drops the installed platform (tests use it between cases).
std::unique_ptr<Platform> UninstallPlatform();
