#include <memory>

#include "app/Application.h"
#include "app/GameLocale.h"
#include "framework/VelGraphicsDevice.h"
#include "platform/Platform.h"
#include "platform/sdl/SdlPlatform.h"
#include "scene/TitleScene.h"

int main() {
  InstallPlatform(std::make_unique<SdlPlatform>());
  SetGameLocale();
  Application& app = Application::GetInstance();
  app.SetFirstScene([] { return std::make_unique<TitleScene>(); });
  // A machine that cannot draw the world in time draws it smaller.
  VelGraphicsDevice::GetInstance().GetRenderScale().SetAutomatic();
  app.Run();
  return 0;
}
