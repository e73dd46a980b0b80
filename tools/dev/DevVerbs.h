#pragma once

// The verbs of halvane-dev. Each takes the arguments after its name, writes its
// result to standard output and returns the process exit code.

#include <string>
#include <vector>

using DevArgs = std::vector<std::string>;

// model FILE: the loaded model as one JSON object.
int RunModelVerb(const DevArgs& args);
// ray FILE ox oy oz dx dy dz [--world 16 numbers]: a ray query as one JSON object.
int RunRayVerb(const DevArgs& args);
