#include "app/ApplicationServices.h"

#include "app/WindowIcon.h"
#include "framework/VelFrameRateOverlay.h"
#include "framework/VelGraphicsDevice.h"
#include "framework/VelImageCache.h"
#include "framework/VelModelCache.h"
#include "framework/VelShaderManager.h"
#include "framework/VelSoundEngine.h"
#include "framework/VelSoundManager.h"
#include "platform/Platform.h"

ApplicationServices DefaultApplicationServices() {
  ApplicationServices services;
  services.setWindowIcon = [] { SetWindowIconFromFile(kWindowIconFile); };
  // The device picks its backend from the platform's window: OpenGL in a real
  // window, the recording backend without one.
  services.initGraphicsDevice = [](int width, int height, std::string& errorText) {
    return VelGraphicsDevice::GetInstance().Init(Sys().NativeWindow(), width, height, false, errorText);
  };
  // Full screen is the device's switch: it scales the frame into the display.
  services.enterFullscreen = [] { VelGraphicsDevice::GetInstance().SetFullscreen(true); };
  services.initShaderManager = [] { VelShaderManager::GetInstance().Init(); };
  services.initSoundEngine = [] { return VelSoundEngine::GetInstance().Init(); };
  services.createSceneServices = [] {
    VelSoundManager::GetInstance();
    VelModelCache::GetInstance();
    VelImageCache::GetInstance();
  };
  services.updateSoundEngine = [] { VelSoundEngine::GetInstance().Update(); };
  services.present = [] {
    VelFrameRateOverlay::GetInstance().SetPaused(Sys().IsPaused());
    VelFrameRateOverlay::GetInstance().Draw();
    VelGraphicsDevice::GetInstance().Present();
  };
  services.frameRateMeasured = [](int framesPerSecond) {
    VelFrameRateOverlay::GetInstance().SetFrameRate(framesPerSecond);
  };
  services.setRasterising = [](bool on) {
    VelGraphicsDevice& device = VelGraphicsDevice::GetInstance();
    const bool was = device.IsRasterising();
    device.SetRasterising(on);
    return was;
  };
  services.releaseShaderManager = [] { VelShaderManager::GetInstance().Release(); };
  services.releaseGraphicsDevice = [] {
    VelFrameRateOverlay::GetInstance().Release();
    VelGraphicsDevice::GetInstance().Release();
  };
  services.releaseSoundEngine = [] { VelSoundEngine::GetInstance().Release(); };
  return services;
}
