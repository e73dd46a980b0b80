// halvane-dev: the developers' tool. One verb per run; each prints its result
// to standard output.

#include <cstdio>
#include <cstring>
#include <string>

#include "tools/dev/DevVerbs.h"

namespace {

struct Verb {
  const char* name;
  int (*run)(const DevArgs& args);
  const char* usage;
};

const Verb kVerbs[] = {
    {"compare", &RunCompareVerb,
     "compare A.png B.png [--diff OUT.png]   colour difference of two images as JSON"},
    {"model", &RunModelVerb, "model FILE                          loaded model data as JSON"},
    {"preview", &RunPreviewVerb, "preview OUTDIR                      models and textures as PNG views"},
    {"ray", &RunRayVerb, "ray FILE ox oy oz dx dy dz [--world m00 .. m33]   ray query as JSON"},
    {"run", &RunRunVerb,
     "run [--start game|title] [--script FILE] [--frames N] [--clock-ms T] [--trace FILE]\n"
     "      [--video headless|offscreen] [--capture DIR --at F1,F2,...]   scripted game run, JSON trace"},
};

void PrintUsage(FILE* to) {
  std::fprintf(to, "usage: halvane-dev VERB [ARGS]\n");
  for (const Verb& v : kVerbs) std::fprintf(to, "  %s\n", v.usage);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    PrintUsage(stderr);
    return 2;
  }
  if (std::strcmp(argv[1], "help") == 0 || std::strcmp(argv[1], "--help") == 0) {
    PrintUsage(stdout);
    return 0;
  }
  for (const Verb& v : kVerbs) {
    if (std::strcmp(argv[1], v.name) == 0) return v.run(DevArgs(argv + 2, argv + argc));
  }
  std::fprintf(stderr, "halvane-dev: unknown verb '%s'\n", argv[1]);
  PrintUsage(stderr);
  return 2;
}
