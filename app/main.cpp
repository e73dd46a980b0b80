#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/GameLocale.h"
#include "app/GameOptions.h"
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
  Application& app = Application::GetInstance();
  options.Apply(app);
  app.SetFirstScene([] { return std::make_unique<TitleScene>(); });
  app.Run();
  return 0;
}
