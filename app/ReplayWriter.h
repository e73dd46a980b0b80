#pragma once

// Writes a replay as it is played: the header, then one line per run of equal
// frames, the seed lines and any other lines in the order they happen. What
// was handed to Flush is on disk, so a crash loses only what came after.

#include <cstdint>
#include <cstdio>
#include <string>

#include "app/ReplayFile.h"

class ReplayWriter {
 public:
  ReplayWriter() = default;
  ~ReplayWriter();
  ReplayWriter(const ReplayWriter&) = delete;
  ReplayWriter& operator=(const ReplayWriter&) = delete;

  // Creates (or empties) the file and writes the header. On failure `error`
  // says why, as the system puts it.
  bool Open(const std::string& path, std::string& error);
  bool IsOpen() const { return file != nullptr; }
  // One more frame of input.
  void Frame(const ReplayInput& input);
  // The seed of the game scene built during the last frame (or before the
  // first); written at once.
  void Seed(uint32_t clockMs);
  // A line of its own (the developers' tool's `set` lines), before the next frame.
  void Line(const std::string& text);
  // Ends the pending line and hands everything to the system.
  void Flush();
  // Flushes and closes; false if anything could not be written.
  bool Close();

 private:
  void WritePending();

  FILE* file = nullptr;
  std::string pending;  // the words of the pending frames, after the count
  long count = 0;
};
