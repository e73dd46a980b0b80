#include <memory>

#include "app/Application.h"
#include "app/GameLocale.h"
#include "platform/Platform.h"
#include "platform/sdl/SdlPlatform.h"

int main() {
  InstallPlatform(std::make_unique<SdlPlatform>());
  SetGameLocale();
  Application::GetInstance().Run();
  return 0;
}
