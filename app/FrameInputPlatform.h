#pragma once

// A platform around the real one that serves the game one snapshot of input
// per frame: the keys a replay records, the cursor and whether the window is
// active, taken when messages are pumped and fixed until the next pump. The
// window, boxes, clock and sleep go to the real platform. Recording and
// watching a replay both build on it, so what the game reads is exactly what
// a replay holds, whichever device produced it.
//
// The game sees the window at the screen's origin: screen and client pixels
// agree, and the cursor is always in client pixels.

#include <memory>
#include <string>
#include <vector>

#include "app/ReplayFile.h"
#include "platform/Platform.h"

class FrameInputPlatform : public Platform {
 public:
  explicit FrameInputPlatform(std::unique_ptr<Platform> inner);

  Platform& Inner() const { return *inner; }

  // Forwarded to the real platform.
  bool CreateGameWindow(const std::string& title, int width, int height) override;
  void DestroyGameWindow() override;
  bool HasGameWindow() const override;
  void* NativeWindow() const override;
  void SetWindowIcon(int width, int height, const std::vector<uint8_t>& rgba) override;
  bool SetFullscreen(bool fullscreen) override;
  void ShowError(const std::string& caption, const std::string& text, bool ownedByWindow) override;
  bool AskYesNo(const std::string& caption, const std::string& text) override;
  void ShowCursor(bool show) override;
  void SetLook(float sensitivity, bool invertY) override;
  bool IsPaused() const override;
  uint32_t GetMilliseconds() const override;
  void SleepMilliseconds(uint32_t ms) override;
  uint32_t ReadSeedClock() override;

  // From the frame's snapshot.
  bool IsWindowActive() const override;
  bool IsKeyDown(int virtualKey) const override;
  PlatformPoint GetCursorPos() const override;
  void SetCursorPos(PlatformPoint screen) override;
  PlatformPoint ScreenToClient(PlatformPoint screen) const override;
  PlatformPoint ClientToScreen(PlatformPoint client) const override;

 protected:
  // The input of the frame about to run; without a cursor the cursor stays
  // where the game last put it.
  void SetFrameInput(const ReplayInput& input);

  std::unique_ptr<Platform> inner;

 private:
  ReplayInput frame;
  PlatformPoint cursor{640, 360};
};
