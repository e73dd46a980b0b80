// The Windows entry point: COM for this thread (multithreaded), the "japanese"
// C locale, the Win32 platform, and the application over Direct3D 11 and
// XAudio2.

#include <windows.h>
#include <objbase.h>

#include <clocale>
#include <memory>

#include "app/Application.h"
#include "app/ApplicationServices.h"
#include "platform/Platform.h"
#include "platform/win32/Win32Platform.h"
#include "scene/TitleScene.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  std::setlocale(LC_ALL, "japanese");
  InstallPlatform(std::make_unique<Win32Platform>());
  Application& application = Application::GetInstance();
  application.SetServices(DefaultApplicationServices());
  application.SetFirstScene([] { return std::make_unique<TitleScene>(); });
  application.Run();
  CoUninitialize();
  return 0;
}
