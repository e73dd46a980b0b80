#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/GameLocale.h"
#include "app/GameOptions.h"
#include "app/ReplaySession.h"
#include "platform/Platform.h"
#include "platform/sdl/SdlPlatform.h"
#include "scene/TitleScene.h"

int main(int argc, char** argv) {
  // A wrong option ends the program before any window opens.
  GameOptions options;
  const int status =
      GameOptions::FromCommandLine(std::vector<std::string>(argv + 1, argv + argc), options, stdout, stderr);
  if (status >= 0) return status;
  InstallPlatform(std::make_unique<SdlPlatform>());
  SetGameLocale();
  ReplaySession replays;
  if (!replays.Start(options.recordPath, options.replayPath,
                     options.display == GameOptions::Display::Fullscreen))
    return 2;
  Application& app = Application::GetInstance();
  options.Apply(app);
  app.SetFirstScene([] { return std::make_unique<TitleScene>(); });
  replays.Attach(app);
  app.Run();
  return replays.Finish(app.FramesRun());
}
