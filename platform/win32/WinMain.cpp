// The Windows entry point: the command line (the same options as on Linux,
// replays included), COM for this thread (multithreaded), the "japanese" C
// locale, the Win32 platform, and the application over Direct3D 11 and XAudio2.

#include <objbase.h>
#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

#include <clocale>
#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/ApplicationServices.h"
#include "app/GameOptions.h"
#include "app/ReplaySession.h"
#include "framework/VelGraphicsDevice.h"
#include "platform/Platform.h"
#include "platform/win32/Win32CaptureRequest.h"
#include "platform/win32/Win32Platform.h"
#include "scene/TitleScene.h"

namespace {

// For comparing the backends: HALVANE_CAPTURE="DIR:F1,F2,..." saves those
// frames (counted from 0) as DIR/frame-NNNNN.png, exactly as the developers'
// tool names its OpenGL captures. Players never set it.
void InstallCaptureHook(Application& application, bool scaleFixedByOption) {
  wchar_t value[1024];
  const DWORD length = GetEnvironmentVariableW(L"HALVANE_CAPTURE", value, 1024);
  if (length == 0 || length >= 1024) return;
  Win32CaptureRequest request;
  if (!ParseWin32CaptureRequest(Win32Platform::Narrow(value), request)) {
    std::fprintf(stderr, "HALVANE_CAPTURE is DIR:F1,F2,...\n");
    return;
  }
  // Captures compare pixel for pixel: the world at full size, unless a fixed
  // scale was asked for.
  if (!scaleFixedByOption) VelGraphicsDevice::GetInstance().GetRenderScale().SetFixed(1.0f);
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

// The arguments after the program's name, as UTF-8.
std::vector<std::string> CommandLineArguments() {
  std::vector<std::string> args;
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return args;
  for (int i = 1; i < count; ++i) args.push_back(Win32Platform::Narrow(wide[i]));
  LocalFree(wide);
  return args;
}

// A game started from a console prints its help, version or option error
// there; when the output is already redirected (or there is no console),
// it stays as it is.
void AttachParentConsole() {
  const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
  const bool redirected =
      (output && output != INVALID_HANDLE_VALUE) || (error && error != INVALID_HANDLE_VALUE);
  if (redirected || !AttachConsole(ATTACH_PARENT_PROCESS)) return;
  std::freopen("CONOUT$", "w", stdout);
  std::freopen("CONOUT$", "w", stderr);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  GameOptions options;
  const std::vector<std::string> args = CommandLineArguments();
  if (!args.empty()) AttachParentConsole();
  const int status = GameOptions::FromCommandLine(args, options, stdout, stderr);
  if (status >= 0) return status;
  CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  std::setlocale(LC_ALL, "japanese");
  InstallPlatform(std::make_unique<Win32Platform>());
  ReplaySession replays;
  if (!replays.Start(options.recordPath, options.replayPath,
                     options.display == GameOptions::Display::Fullscreen)) {
    CoUninitialize();
    return 2;
  }
  Application& application = Application::GetInstance();
  application.SetServices(DefaultApplicationServices());
  options.Apply(application);
  application.SetFirstScene([] { return std::make_unique<TitleScene>(); });
  replays.Attach(application);
  // A capture run is the developers' own: its hook stands in for a replay's tally.
  InstallCaptureHook(application, options.renderScale.has_value());
  application.Run();
  const int exitStatus = replays.Finish(application.FramesRun());
  CoUninitialize();
  return exitStatus;
}
