#pragma once

// The platform on a real display through SDL2: one OpenGL-capable window with
// a fixed 1280 x 720 client area, SDL message boxes, polled keyboard and mouse,
// SDL's game controllers (any it knows, plugged in before or during play, all
// acting as one pad), SDL's millisecond clock. Full screen scales the frame to
// the display with its aspect kept (the graphics backend letterboxes into
// DrawableSize()); cursor positions stay in client pixels through that
// letterbox.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/KeyLatch.h"
#include "platform/Letterbox.h"
#include "platform/Platform.h"
#include "platform/PlatformInput.h"

struct SDL_Window;
struct _SDL_GameController;
union SDL_Event;

class SdlPlatform : public Platform {
 public:
  SdlPlatform();
  ~SdlPlatform() override;
  SdlPlatform(const SdlPlatform&) = delete;
  SdlPlatform& operator=(const SdlPlatform&) = delete;

  // Platform
  bool CreateGameWindow(const std::string& title, int width, int height) override;
  void DestroyGameWindow() override;
  bool HasGameWindow() const override;
  void* NativeWindow() const override;
  void SetWindowIcon(int width, int height, const std::vector<uint8_t>& rgba) override;
  bool PumpMessages() override;
  bool IsWindowActive() const override;
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

  // The window's drawable in pixels (the whole display in full screen).
  PlatformPoint DrawableSize() const;
  // Where the client-sized frame sits in the drawable: the viewport to show it in.
  Letterbox DrawableLetterbox() const;
  bool IsFullscreen() const { return fullscreen; }
  // True once the system refused to warp the pointer: while the cursor is
  // hidden, setting it then moves a virtual cursor that relative mouse motion
  // drives, so mouse look keeps working.
  bool IsEmulatingCursorWarp() const { return warpRefused; }

  // The game controllers open now (SDL opens each as it is plugged in).
  int OpenPadCount() const { return int(pads.size()); }

  // The SDL scancode polled for a virtual-key code (physical key positions),
  // or -1 for a mouse button or an unknown code.
  static int ScancodeForVirtualKey(int virtualKey);
  // The virtual-key code of a scancode (either shift, control or alt gives
  // the one code), or -1 for a key the game has no code for.
  static int VirtualKeyForScancode(int scancode);

 private:
  bool InitVideo();
  void HandleEvent(const SDL_Event& event);
  void Close();
  // Where the client area sits in the window (scaled in full screen).
  Letterbox WindowLetterbox() const;
  bool CursorHidden() const { return cursorShowCount < 0; }
  void UpdateRelativeMode();
  // The system's cursor, and moving it, without the look options.
  PlatformPoint SystemCursor() const;
  void MoveSystemCursor(PlatformPoint screen);
  void OpenPad(int deviceIndex);
  void ClosePad(int instanceId);
  // The open pads' state, combined.
  GamepadState ReadPads() const;

  SDL_Window* window = nullptr;
  uint32_t windowId = 0;
  bool videoReady = false;
  bool quitPosted = false;
  bool focused = false;
  bool focusAsked = false;
  bool fullscreen = false;
  int clientWidth = 0;
  int clientHeight = 0;
  int cursorShowCount = 0;
  bool warpRefused = false;
  bool relativeMode = false;
  PlatformPoint virtualCursor;
  KeyLatch latch;
  PlatformInput input;
  bool padsReady = false;
  bool pausePressed = false;  // P went down during this pump
  std::vector<_SDL_GameController*> pads;
};
