#include "app/RecordingPlatform.h"

#include <utility>

namespace {
constexpr uint32_t kFlushEveryMs = 1000;
}  // namespace

RecordingPlatform::RecordingPlatform(std::unique_ptr<Platform> innerPlatform,
                                     std::unique_ptr<ReplayWriter> replay)
    : FrameInputPlatform(std::move(innerPlatform)), writer(std::move(replay)) {
  lastFlushMs = inner->GetMilliseconds();
}

bool RecordingPlatform::PumpMessages() {
  const bool result = inner->PumpMessages();
  // A pump that closed the window runs no frame.
  if (!inner->HasGameWindow()) {
    writer->Flush();
    return result;
  }
  ReplayInput input;
  for (int key : ReplayKeys()) {
    if (inner->IsKeyDown(key)) input.keys.push_back(key);
  }
  const PlatformPoint cursor = inner->ScreenToClient(inner->GetCursorPos());
  input.moveCursor = true;
  input.cursorX = cursor.x;
  input.cursorY = cursor.y;
  input.inactive = !inner->IsWindowActive();
  SetFrameInput(input);
  writer->Frame(input);
  const uint32_t now = inner->GetMilliseconds();
  if (now - lastFlushMs >= kFlushEveryMs) {
    writer->Flush();
    lastFlushMs = now;
  }
  return result;
}

void RecordingPlatform::SetCursorPos(PlatformPoint client) {
  FrameInputPlatform::SetCursorPos(client);
  inner->SetCursorPos(inner->ClientToScreen(client));
}

uint32_t RecordingPlatform::ReadSeedClock() {
  const uint32_t seed = inner->ReadSeedClock();
  writer->Seed(seed);
  return seed;
}
