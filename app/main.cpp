#include <memory>

#include "app/Application.h"
#include "app/GameLocale.h"
#include "platform/Platform.h"
#include "platform/sdl/SdlPlatform.h"
#include "scene/GameScene.h"

int main() {
  InstallPlatform(std::make_unique<SdlPlatform>());
  SetGameLocale();
  Application& application = Application::GetInstance();
  application.SetFirstScene([] { return std::make_unique<GameScene>(); });
  application.Run();
  return 0;
}
