#pragma once

// The text format of replays and of the developers' tool's input scripts, one
// instruction per line, `#` starts a comment:
//   Halvane replay VERSION
//       the first line of a replay: the game and the version that recorded it.
//   COUNT [KEY ...] [cursor=X,Y] [dx=PX] [dy=PX] [inactive]
//       COUNT frames holding the keys (W A S D SPACE R LMB RMB ESC); the cursor
//       at that client position (dx/dy: that far from the window centre); the
//       game window not active. Without a cursor word it stays where it was.
//       A script (no header) may also drive the devices on a frame line, as a
//       player's hands do: P (pause), tap=KEY (pressed and released before the
//       frame reads its input), the pad's sticks lx=F ly=F rx=F ry=F (-1 to 1,
//       y = 1 forward or up) and PAD_A PAD_X PAD_RT PAD_LT PAD_START. A replay
//       holds only what the game read, so it has none of these.
//   seed MS
//       the clock value the game scene built during the frame before was
//       seeded with.
// Other lines (the developers' tool's `set` lines) are read only where the
// reader is given a rule for them.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/GamepadMapping.h"

// One frame's input, as the game polls it.
struct ReplayInput {
  std::vector<int> keys;  // virtual-key codes held down
  bool moveCursor = false;
  int cursorX = 640;  // client pixels
  int cursorY = 360;
  bool inactive = false;
  // Scripts only: the devices the platform turns into the above.
  std::vector<int> taps;  // virtual-key codes pressed and released before the frame
  GamepadState pad;       // at rest unless the line moves it
};

struct ReplayLine {
  enum class Kind { Frames, Seed, Extra } kind = Kind::Frames;
  int number = 0;  // in the file, from 1
  long count = 0;  // Frames
  ReplayInput input;
  uint32_t seed = 0;  // Seed
  std::string text;   // Extra: the line without its comment
};

struct ReplayScript {
  bool hasHeader = false;
  std::vector<ReplayLine> lines;
  // Set when a cut-off last line was dropped.
  std::string warning;
};

struct ReplayReadRules {
  // A replay must start with the header; a script may but need not.
  bool headerRequired = false;
  // Accepts a line the format does not know (called with the line without its
  // comment); without it such a line is malformed.
  std::function<bool(const std::string& line)> extraLine;
};

struct ReplayReadError {
  int line = 0;
  std::string message;
};

// Reads the text. A replay's last line may be cut off (no line break, or not
// readable): it is dropped and `warning` tells so; any other unreadable line
// fails with its number and what is wrong.
bool ReadReplay(const std::string& text, const ReplayReadRules& rules, ReplayScript& out,
                ReplayReadError& error);

// The header line of this build, without the line break.
std::string ReplayHeader();
// The words of a frame line after its count, as the writer puts them: the held
// keys in a fixed order, the cursor, and `inactive`.
std::string ReplayFrameWords(const ReplayInput& input);
// The virtual-key codes a replay records, in their written order.
const std::vector<int>& ReplayKeys();
