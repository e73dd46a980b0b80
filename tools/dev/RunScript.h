#pragma once

// The input script of `halvane-dev run`: one instruction per line, `#`
// starts a comment.
//   COUNT [KEY ...] [tap=KEY ...] [dx=PX] [dy=PX] [cursor=X,Y] [inactive]
//       holds the keys for COUNT frames; tap=KEY presses and releases KEY
//       before each of those frames reads its input (a click between two
//       frames); dx/dy put the cursor that far from the window centre,
//       cursor=X,Y at that client position; inactive makes the game window
//       lose the focus. A pad plays on the same lines: lx=F ly=F rx=F ry=F
//       set its sticks (-1 to 1, y = 1 forward or up) and PAD_A PAD_X PAD_RT
//       PAD_LT PAD_START hold its buttons and triggers. P pauses and resumes.
//   set kill=N | set pos=X,Y,Z | set hp=N | set ammo=N (rounds in the magazine)
//       changes the running game scene between two frames.

#include <string>
#include <vector>

#include "platform/GamepadMapping.h"

struct RunFrameInput {
  std::vector<int> keys;  // virtual-key codes held down
  std::vector<int> taps;  // virtual-key codes pressed and released before the frame
  bool moveCursor = false;
  int cursorX = 640;  // client pixels
  int cursorY = 360;
  bool inactive = false;
  GamepadState pad;  // at rest unless the line moves it
};

struct RunSceneChange {
  enum class What { Kill, Position, Hp, Ammo } what = What::Kill;
  int value = 0;
  float x = 0, y = 0, z = 0;
};

// One step of the script: either frames of input or a change of the scene.
struct RunInstruction {
  bool isChange = false;
  int count = 0;
  RunFrameInput input;
  RunSceneChange change;
};

// Parses the script; on failure returns false and names the line in error.
bool ParseRunScript(const std::string& text, std::vector<RunInstruction>& out, std::string& error);

// The script unrolled: the input of every frame and the scene changes made
// just before it; changes after the last frame go to trailing.
struct RunFramePlan {
  RunFrameInput input;
  std::vector<RunSceneChange> changesBefore;
};
std::vector<RunFramePlan> UnrollRunScript(const std::vector<RunInstruction>& script,
                                          std::vector<RunSceneChange>& trailing);

class HeadlessPlatform;
// Gives the platform the input of one frame, from within its pump: the keys
// held (the previous frame's are released first), the taps, the cursor and
// the focus, the pad. Escape asks the pump to close the window, as its
// key-down message does in the game.
void ApplyFrameInput(const RunFrameInput& input, HeadlessPlatform& platform);

class GameScene;
// Makes a `set` change in the running game scene.
void ApplyChange(GameScene& game, const RunSceneChange& change);
