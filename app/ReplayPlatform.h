#pragma once

// Plays a replay back: each pump serves the next recorded frame's input and
// each game scene gets the next recorded seed, so the play-through happens
// again frame for frame. The player's own keys and mouse do nothing but
// Escape (the real platform closes the window) and the real platform's pause
// (P, a pad's Start): while paused no frame runs (a frame would move the
// game's screens on and leave the replay out of step), the window's messages
// are still handled.
// After the last frame, or when the game does what the replay did not record,
// the window is closed.

#include <functional>
#include <memory>

#include "app/FrameInputPlatform.h"
#include "app/ReplayFile.h"

class ReplayPlatform : public FrameInputPlatform {
 public:
  // `fullscreen` answers the start-up question, which is not shown.
  ReplayPlatform(std::unique_ptr<Platform> inner, ReplayScript script, bool fullscreen);

  // Called with each line the format does not know, at the pump before the
  // frame that follows it.
  void SetExtraLineHandler(std::function<void(const ReplayLine&)> handler);

  bool PumpMessages() override;
  bool AskYesNo(const std::string& caption, const std::string& text) override;
  uint32_t ReadSeedClock() override;

  // Every recorded frame has been served and the window closed after it.
  bool Ended() const { return ended; }
  // The game went out of step with the replay; Failure() names the line.
  bool Failed() const { return failed; }
  const ReplayReadError& Failure() const { return failure; }

 private:
  // Moves on to the next frame; false when there is none.
  bool NextFrame();
  void Fail(int line, const std::string& message);

  ReplayScript script;
  bool fullscreen = false;
  std::function<void(const ReplayLine&)> extraLine;
  size_t next = 0;     // the next line not yet used
  long remaining = 0;  // frames left of the current frame line
  int currentLine = 0;
  bool ended = false;
  bool failed = false;
  ReplayReadError failure;
};
