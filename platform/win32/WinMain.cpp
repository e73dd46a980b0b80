// The Windows entry point: COM for this thread (multithreaded), the "japanese"
// C locale, the Win32 platform, and the application over Direct3D 11 and
// XAudio2.

#include <windows.h>
#include <objbase.h>

#include <clocale>
#include <memory>

#include "app/Application.h"
#include "app/ApplicationServices.h"
#include "framework/VelGraphicsDevice.h"
#include "framework/VelShaderManager.h"
#include "framework/VelSoundEngine.h"
#include "platform/Platform.h"
#include "platform/win32/Win32Platform.h"

namespace {

ApplicationServices WindowsServices() {
  ApplicationServices services = DefaultApplicationServices();
  services.initGraphicsDevice = [](int width, int height, std::string& errorText) {
    return VelGraphicsDevice::GetInstance().Init(Sys().NativeWindow(), width, height, false, errorText);
  };
  // Full screen is the swap chain's own state.
  services.enterFullscreen = [] { VelGraphicsDevice::GetInstance().SetFullscreen(true); };
  services.initShaderManager = [] { VelShaderManager::GetInstance().Init(); };
  services.initSoundEngine = [] { return VelSoundEngine::GetInstance().Init(); };
  services.updateSoundEngine = [] { VelSoundEngine::GetInstance().Update(); };
  services.present = [] { VelGraphicsDevice::GetInstance().Present(); };
  services.releaseShaderManager = [] { VelShaderManager::GetInstance().Release(); };
  services.releaseGraphicsDevice = [] { VelGraphicsDevice::GetInstance().Release(); };
  services.releaseSoundEngine = [] { VelSoundEngine::GetInstance().Release(); };
  return services;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  std::setlocale(LC_ALL, "japanese");
  InstallPlatform(std::make_unique<Win32Platform>());
  Application& application = Application::GetInstance();
  application.SetServices(WindowsServices());
  application.Run();
  CoUninitialize();
  return 0;
}
