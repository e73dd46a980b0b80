#pragma once

// The input script of `halvane-dev run`: the replay format (app/ReplayFile.h:
// frame lines `COUNT [KEY ...] [dx=PX] [dy=PX] [cursor=X,Y] [inactive]`, in a
// script also the devices' words `tap=KEY`, `P`, the pad's `lx= ly= rx= ry=`
// and `PAD_A PAD_X PAD_RT PAD_LT PAD_START`, and in a replay its header and
// seed lines) and one line of this tool's own:
//   set kill=N | set pos=X,Y,Z | set hp=N | set ammo=N (rounds in the magazine)
//       changes the running game scene between two frames.

#include <string>
#include <vector>

#include "app/ReplayFile.h"

using RunFrameInput = ReplayInput;

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

// How this tool reads scripts and replays: with its `set` lines.
ReplayReadRules RunScriptRules();
// A `set` line; false if it is none or cannot be read.
bool ParseSceneChange(const std::string& line, RunSceneChange& change);
// The `set` line of a change.
std::string SceneChangeLine(const RunSceneChange& change);
// The frames and changes of a read script; a replay's seed lines are left
// out (a plan runs on the clock's seeds).
std::vector<RunInstruction> RunInstructions(const ReplayScript& script);
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

class GameScene;
// Makes a `set` change in the running game scene.
void ApplyChange(GameScene& game, const RunSceneChange& change);

class HeadlessPlatform;
// Gives the platform the input of one frame, from within its pump: the keys
// held (the previous frame's are released first), the taps, the cursor and
// the focus, the pad. Escape asks the pump to close the window, as its
// key-down message does in the game.
void ApplyFrameInput(const RunFrameInput& input, HeadlessPlatform& platform);
