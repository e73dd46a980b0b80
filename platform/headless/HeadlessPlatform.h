#pragma once

// The platform with no window: input (keys, cursor, pads) is scripted per
// frame, the clock is virtual (it moves only when told, and a sleep moves it), message boxes are
// answered by the script (No unless told otherwise) and recorded.

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/GamepadMapping.h"
#include "platform/KeyLatch.h"
#include "platform/Platform.h"
#include "platform/PlatformInput.h"

class HeadlessPlatform : public Platform {
 public:
  // The last icon given to the window; empty pixels when none was.
  struct WindowIconRecord {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;
  };

  struct MessageBoxRecord {
    bool question = false;  // Yes/No question, else an error box
    std::string caption;
    std::string text;
    bool ownedByWindow = false;
    bool answer = false;  // what a question was answered
  };

  HeadlessPlatform();
  ~HeadlessPlatform() override;

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

  // Script controls
  void SetKeyDown(int virtualKey, bool down);
  void ReleaseAllKeys();
  // A press and release between two frames: the key reads as down until the
  // next pump, as a quick click or tap does on a real system.
  void TapKey(int virtualKey);
  void SetCursorClient(PlatformPoint client);
  // The pads' state from the next pump on (all at rest until set).
  void SetPad(const GamepadState& pad);
  PlatformPoint CursorClient() const;
  void SetActive(bool active);
  void SetClock(uint32_t ms);
  void AdvanceClock(uint32_t ms);
  // The real clock from now on, starting at the clock's present reading:
  // time passes by itself and a sleep sleeps (timing runs by hand).
  void UseRealClock();
  void SetQuestionAnswer(bool yes);
  // Makes the next CreateGameWindow fail (start-up failure tests).
  void FailWindowCreation(bool fail);
  // As if the player closed the window or pressed Escape: the next pump
  // destroys the window.
  void RequestClose();
  // Called at the start of every PumpMessages, so a script can set the input
  // of the frame that is about to run.
  void SetPumpHook(std::function<void()> hook);
  // With a render window, CreateGameWindow also opens a hidden SDL window with
  // OpenGL (under SDL's offscreen video driver when no display is set), so
  // frames can be rendered and captured while input stays scripted.
  void EnableRenderWindow(bool enable);

  const std::vector<MessageBoxRecord>& MessageBoxes() const { return boxes; }
  bool IsCursorShown() const { return cursorShowCount >= 0; }
  bool IsFullscreen() const { return fullscreen; }
  int WindowWidth() const { return width; }
  int WindowHeight() const { return height; }
  const std::string& WindowTitle() const { return title; }
  const WindowIconRecord& WindowIcon() const { return icon; }

 private:
  std::set<int> keysDown;
  KeyLatch latch;
  PlatformInput input;
  GamepadState pad;
  bool pauseKeyWasDown = false;
  PlatformPoint cursor{640, 360};  // client pixels; the window sits at screen (0, 0)
  bool active = true;
  uint32_t clock = 0;
  bool realClock = false;
  uint64_t realStart = 0;  // SDL ticks when the real clock started at `clock`
  bool answerYes = false;
  bool failWindow = false;
  bool closeRequested = false;
  bool quitPosted = false;
  bool window = false;
  bool fullscreen = false;
  bool renderWindowWanted = false;
  void* renderWindow = nullptr;
  int cursorShowCount = 0;
  int width = 0;
  int height = 0;
  std::string title;
  WindowIconRecord icon;
  std::function<void()> pumpHook;
  std::vector<MessageBoxRecord> boxes;
};
