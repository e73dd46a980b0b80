#pragma once

// Writes the input of every frame of `halvane-dev run`, whoever chose it (the
// script or the autopilot), back out as a script that replays the same run:
// `--record FILE`. Runs of equal frames share one line.

#include <cstdio>
#include <string>
#include <vector>

#include "tools/dev/RunScript.h"

class HeadlessPlatform;

class RunRecorder {
 public:
  ~RunRecorder();
  bool Open(const std::string& path);
  bool IsOpen() const { return file != nullptr; }
  // A scene change made before the frame that is about to run.
  void Change(const RunSceneChange& change);
  // The input the platform holds for the frame that is about to run.
  void Frame(const HeadlessPlatform& platform);
  // Writes what is pending and closes the file.
  void Close();

 private:
  void Flush();

  FILE* file = nullptr;
  std::string pending;  // the words of the pending frames, after the count
  long count = 0;
};

// The resident and peak resident memory of this process, in KiB (0 when
// unknown).
struct ProcessMemory {
  long residentKb = 0;
  long peakKb = 0;
};
ProcessMemory ReadProcessMemory();
