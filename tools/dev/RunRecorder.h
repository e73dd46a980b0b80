#pragma once

// `--record FILE`: writes the run as a replay, whoever chose its input (the
// script, a replay or the autopilot): the game's own recording of the frames
// and seeds, with this tool's `set` lines where the script made changes.

#include <memory>
#include <string>

#include "app/ReplayWriter.h"
#include "tools/dev/RunScript.h"

class RecordingPlatform;

class RunRecorder {
 public:
  // Creates the file; false (and why in `error`) if it cannot.
  bool Open(const std::string& path, std::string& error);
  // Wraps the installed platform, so every frame the game runs is written.
  void Install();
  // A scene change made before the frame that is about to run.
  void Change(const RunSceneChange& change);
  // Writes what is pending and closes the file.
  void Close();

 private:
  std::unique_ptr<ReplayWriter> opened;
  RecordingPlatform* recording = nullptr;  // owned by the installed platform
};

// The resident and peak resident memory of this process, in KiB (0 when
// unknown).
struct ProcessMemory {
  long residentKb = 0;
  long peakKb = 0;
};
ProcessMemory ReadProcessMemory();
