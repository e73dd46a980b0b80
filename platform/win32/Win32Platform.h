#pragma once

// The platform on Windows itself: one window of class "Window" with a fixed
// client area, its procedure and message pump, wide message boxes, polled
// keys through the asynchronous key state (with presses latched from the
// messages, so a click between two frames is not lost), XInput pads (all
// acting as one), the system cursor, the multimedia
// millisecond clock (at 1 ms resolution once the window exists) and Sleep.
// Texts arrive as UTF-8 and reach the wide functions as UTF-16.

#include <cstdint>
#include <string>

#include "platform/KeyLatch.h"
#include "platform/Platform.h"
#include "platform/PlatformInput.h"

struct HWND__;

class Win32Platform : public Platform {
 public:
  Win32Platform();
  ~Win32Platform() override;
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  // Platform
  bool CreateGameWindow(const std::string& title, int width, int height) override;
  void DestroyGameWindow() override;
  bool HasGameWindow() const override;
  // The window's HWND.
  void* NativeWindow() const override;
  void SetWindowIcon(int width, int height, const std::vector<uint8_t>& rgba) override;
  bool PumpMessages() override;
  bool IsWindowActive() const override;
  // A borderless window over the whole monitor and back; the swap chain's own
  // switch is the graphics device's.
  bool SetFullscreen(bool fullscreen) override;
  void ShowError(const std::string& caption, const std::string& text, bool ownedByWindow) override;
  bool AskYesNo(const std::string& caption, const std::string& text) override;
  bool IsKeyDown(int virtualKey) const override;
  PlatformPoint GetCursorPos() const override;
  void SetCursorPos(PlatformPoint screen) override;
  PlatformPoint ScreenToClient(PlatformPoint screen) const override;
  PlatformPoint ClientToScreen(PlatformPoint client) const override;
  void ShowCursor(bool show) override;
  void SetLook(float sensitivity, bool invertY) override;
  bool IsPaused() const override;
  uint32_t GetMilliseconds() const override;
  void SleepMilliseconds(uint32_t ms) override;

  // UTF-8 to UTF-16 for the wide functions; invalid bytes become U+FFFD.
  static std::wstring Widen(const std::string& utf8);
  // UTF-16 to UTF-8, for what the system hands back.
  static std::string Narrow(const std::wstring& utf16);

 private:
  static intptr_t __stdcall WindowProcedure(HWND__* window, unsigned message, uintptr_t wParam,
                                            intptr_t lParam);
  // The close of the window procedure: destroys the window if still held.
  void Close();
  // The system's cursor, and moving it, without the look options.
  PlatformPoint SystemCursor() const;
  // The XInput pads' state, combined; slots found empty are asked again
  // only now and then, as asking an empty slot is slow.
  GamepadState ReadPads();

  HWND__* window = nullptr;
  KeyLatch latch;
  PlatformInput input;
  bool pausePressed = false;  // P went down during this pump
  int cursorShowCount = 0;
  bool padConnected[4] = {};
  int padProbeCountdown = 0;
  bool classRegistered = false;
  bool fullscreen = false;
  long windowedStyle = 0;
  int windowedX = 0;
  int windowedY = 0;
  int windowedWidth = 0;
  int windowedHeight = 0;
};
