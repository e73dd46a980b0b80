#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "app/Application.h"
#include "app/GameLocale.h"
#include "app/ReplaySession.h"
#include "platform/Platform.h"
#include "platform/sdl/SdlPlatform.h"
#include "scene/TitleScene.h"

namespace {
struct ReplayArgs {
  std::string record;
  std::string replay;
  bool fullscreen = false;
};

bool ReadArgs(int argc, char** argv, ReplayArgs& args) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--record") == 0 && i + 1 < argc) {
      args.record = argv[++i];
    } else if (std::strcmp(argv[i], "--replay") == 0 && i + 1 < argc) {
      args.replay = argv[++i];
    } else if (std::strcmp(argv[i], "--fullscreen") == 0) {
      args.fullscreen = true;
    } else {
      std::fprintf(stderr, "usage: halvane [--record FILE | --replay FILE [--fullscreen]]\n");
      return false;
    }
  }
  if (!args.record.empty() && !args.replay.empty()) {
    std::fprintf(stderr, "halvane: --record and --replay go one at a time\n");
    return false;
  }
  return true;
}
}  // namespace

int main(int argc, char** argv) {
  ReplayArgs args;
  if (!ReadArgs(argc, argv, args)) return 2;
  InstallPlatform(std::make_unique<SdlPlatform>());
  SetGameLocale();
  ReplaySession replays;
  if (!replays.Start(args.record, args.replay, args.fullscreen)) return 2;
  Application& app = Application::GetInstance();
  app.SetFirstScene([] { return std::make_unique<TitleScene>(); });
  replays.Attach(app);
  app.Run();
  return replays.Finish(app.FramesRun());
}
