// The Windows entry point: COM for this thread (multithreaded), the "japanese"
// C locale, the Win32 platform, and the application over Direct3D 11 and
// XAudio2.

#include <objbase.h>
#include <windows.h>

#include <clocale>
#include <cstdio>
#include <memory>
#include <set>
#include <string>

#include "app/Application.h"
#include "app/ApplicationServices.h"
#include "framework/VelGraphicsDevice.h"
#include "platform/Platform.h"
#include "platform/win32/Win32CaptureRequest.h"
#include "platform/win32/Win32Platform.h"
#include "scene/TitleScene.h"

namespace {

// For comparing the backends: HALVANE_CAPTURE="DIR:F1,F2,..." saves those
// frames (counted from 0) as DIR/frame-NNNNN.png, exactly as the developers'
// tool names its OpenGL captures. Players never set it.
void InstallCaptureHook(Application& application) {
  wchar_t value[1024];
  const DWORD length = GetEnvironmentVariableW(L"HALVANE_CAPTURE", value, 1024);
  if (length == 0 || length >= 1024) return;
  Win32CaptureRequest request;
  if (!ParseWin32CaptureRequest(Win32Platform::Narrow(value), request)) {
    std::fprintf(stderr, "HALVANE_CAPTURE is DIR:F1,F2,...\n");
    return;
  }
  // Captures compare pixel for pixel: the world at full size.
  VelGraphicsDevice::GetInstance().GetRenderScale().SetFixed(1.0f);
  auto frame = std::make_shared<long>(-1);
  const uint32_t start = Sys().GetMilliseconds();
  application.SetFrameHook([request, frame, start, &application] {
    ++*frame;
    if (!request.frames.count(*frame)) return;
    char name[32];
    std::snprintf(name, sizeof name, "/frame-%05ld.png", *frame);
    const bool saved = VelGraphicsDevice::GetInstance().CaptureBackBuffer(request.directory + name);
    std::fprintf(stderr, "frame %ld %s at %u ms, %d frames a second\n", *frame,
                 saved ? "captured" : "NOT captured", unsigned(Sys().GetMilliseconds() - start),
                 int(application.GetMeasuredFrameRate()));
  });
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  std::setlocale(LC_ALL, "japanese");
  InstallPlatform(std::make_unique<Win32Platform>());
  Application& application = Application::GetInstance();
  application.SetServices(DefaultApplicationServices());
  application.SetFirstScene([] { return std::make_unique<TitleScene>(); });
  // A machine that cannot draw the world in time draws it smaller.
  VelGraphicsDevice::GetInstance().GetRenderScale().SetAutomatic();
  InstallCaptureHook(application);
  application.Run();
  CoUninitialize();
  return 0;
}
