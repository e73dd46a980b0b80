#include "app/ReplayPlatform.h"

#include <algorithm>
#include <utility>

namespace {
// How long a paused replay waits between two looks at the window's messages.
constexpr uint32_t kPausedNapMs = 16;
}  // namespace

ReplayPlatform::ReplayPlatform(std::unique_ptr<Platform> innerPlatform, ReplayScript replay,
                               bool startFullscreen)
    : FrameInputPlatform(std::move(innerPlatform)), script(std::move(replay)), fullscreen(startFullscreen) {}

void ReplayPlatform::SetExtraLineHandler(std::function<void(const ReplayLine&)> handler) {
  extraLine = std::move(handler);
}

bool ReplayPlatform::AskYesNo(const std::string&, const std::string&) {
  return fullscreen;
}

bool ReplayPlatform::PumpMessages() {
  bool result = inner->PumpMessages();
  while (inner->IsPaused() && inner->HasGameWindow()) {
    inner->SleepMilliseconds(kPausedNapMs);
    result = inner->PumpMessages();
  }
  if (!inner->HasGameWindow()) return result;
  if (failed || !NextFrame()) {
    inner->DestroyGameWindow();
    return false;
  }
  return result;
}

bool ReplayPlatform::NextFrame() {
  const std::vector<ReplayLine>& lines = script.lines;
  while (remaining == 0) {
    if (next >= lines.size()) {
      ended = true;
      return false;
    }
    const ReplayLine& line = lines[next++];
    switch (line.kind) {
      case ReplayLine::Kind::Seed:
        Fail(line.number,
             "the replay gives a seed here, but no game scene starts: the game is out of step with it");
        return false;
      case ReplayLine::Kind::Extra:
        if (extraLine) extraLine(line);
        break;
      case ReplayLine::Kind::Frames:
        remaining = line.count;
        currentLine = line.number;
        break;
    }
  }
  --remaining;
  // Every frame, as the game moves the cursor back to the centre after reading it.
  const ReplayInput& input = lines[next - 1].input;
  SetFrameInput(input);
  // A recorded Escape closed the window before its frame ran.
  if (std::find(input.keys.begin(), input.keys.end(), Key::Escape) != input.keys.end()) {
    ended = true;
    return false;
  }
  return true;
}

uint32_t ReplayPlatform::ReadSeedClock() {
  const std::vector<ReplayLine>& lines = script.lines;
  if (!failed && remaining == 0 && next < lines.size() && lines[next].kind == ReplayLine::Kind::Seed) {
    return lines[next++].seed;
  }
  const int line = currentLine > 0 ? currentLine : (next < lines.size() ? lines[next].number : 1);
  Fail(line, "a game scene starts after this line, but no seed line follows it");
  return inner->ReadSeedClock();
}

void ReplayPlatform::Fail(int line, const std::string& message) {
  if (failed) return;
  failed = true;
  failure = {line, message};
}
