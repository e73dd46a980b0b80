#pragma once

// Records a play-through as it happens: each pump takes the input of the
// frame about to run from the real platform (after its own processing: client
// pixels, focus) and writes it to the replay; each game scene's seed is
// written as it is read. The file is flushed about once a second of the clock.

#include <memory>

#include "app/FrameInputPlatform.h"
#include "app/ReplayWriter.h"

class RecordingPlatform : public FrameInputPlatform {
 public:
  // `writer` is open, its header written.
  RecordingPlatform(std::unique_ptr<Platform> inner, std::unique_ptr<ReplayWriter> writer);

  bool PumpMessages() override;
  // Moves the real pointer too, so mouse look keeps working.
  void SetCursorPos(PlatformPoint client) override;
  uint32_t ReadSeedClock() override;

  ReplayWriter& Writer() { return *writer; }

 private:
  std::unique_ptr<ReplayWriter> writer;
  uint32_t lastFlushMs = 0;
};
