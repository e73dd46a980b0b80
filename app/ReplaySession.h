#pragma once

// Replays from the game's command line: `--record FILE` writes the
// play-through as it is played, `--replay FILE` plays one back in the window
// and ends with its summary line. The entry point starts the session after
// installing the platform and before running the application, and finishes
// it after the loop; with neither path the session does nothing.

#include <cstdint>
#include <string>

#include "scene/PlayTally.h"

class Application;
class RecordingPlatform;
class ReplayPlatform;

class ReplaySession {
 public:
  // At most one of the two paths is given. Opens the file and wraps the
  // installed platform; `fullscreen` is how a replay starts (it asks no
  // question). On failure one line on standard error says why, nothing
  // starts, and the exit status is 2.
  bool Start(const std::string& recordPath, const std::string& replayPath, bool fullscreen);
  // Watches the application's frames (a replay's summary comes from them).
  void Attach(Application& app);
  // After the loop: finishes the recording, or prints the replay's summary
  // once its last frame has run. Returns the exit status.
  int Finish(uint64_t framesRun);

 private:
  std::string path;
  RecordingPlatform* recording = nullptr;  // owned by the installed platform
  ReplayPlatform* replay = nullptr;
  PlayTally tally;
};
