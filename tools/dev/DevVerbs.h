#pragma once

// The verbs of halvane-dev. Each takes the arguments after its name, writes its
// result to standard output and returns the process exit code.

#include <string>
#include <vector>

using DevArgs = std::vector<std::string>;

// compare A.png B.png [--diff OUT.png]: the colour difference of two images of one size as one
//     JSON object (mean and largest channel difference, pixels that differ by more than 16).
int RunCompareVerb(const DevArgs& args);
// model FILE: the loaded model as one JSON object.
int RunModelVerb(const DevArgs& args);
// preview OUTDIR: PNG views of every model and texture of Data/.
int RunPreviewVerb(const DevArgs& args);
// ray FILE ox oy oz dx dy dz [--world 16 numbers]: a ray query as one JSON object.
int RunRayVerb(const DevArgs& args);
// run [--start game|title] [--script FILE] [--frames N] [--clock-ms T] [--trace FILE]
//     [--video headless|offscreen] [--capture DIR --at F1,F2,...]: the game's frame loop on the
//     headless platform, driven by an input script, one JSON trace line per frame.
int RunRunVerb(const DevArgs& args);
