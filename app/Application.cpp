#include "app/Application.h"

#include <string>
#include <utility>

#include "app/GameVersion.h"
#include "app/SceneManager.h"
#include "platform/Platform.h"

const char* const Application::kWindowTitle = "Halvane  ver." HALVANE_VERSION;

namespace {
const char* const kWindowErrorCaption = "エラー";
const char* const kWindowErrorText = "ウィンドウ作成に失敗";
const char* const kFullscreenCaption = "確認";
const char* const kFullscreenQuestion = "フルスクリーンにしますか？";
const char* const kDeviceErrorCaption = "Direct3D初期化失敗";
const char* const kSoundErrorCaption = "サウンド初期化失敗";
// Frame-rate measurement period.
constexpr uint32_t kMeasurementMs = 500;
}  // namespace

Application& Application::GetInstance() {
  static Application instance;
  return instance;
}

Application::Application() : services(DefaultApplicationServices()) {}

void Application::Run() {
  if (!Initialise(kWidth, kHeight)) return;
  BeginFrames();
  while (RunFrame()) {
  }
  Shutdown();
}

bool Application::Initialise(int width, int height) {
  if (!CreateGameWindow(width, height)) return false;
  AskFullscreen();
  if (!InitGraphicsDevice(width, height)) return false;
  if (fullscreenChosen) EnterFullscreen();
  InitShaderManager();
  if (!InitSoundEngine()) return false;
  return true;
}

bool Application::CreateGameWindow(int width, int height) {
  if (Sys().CreateGameWindow(kWindowTitle, width, height)) {
    if (services.setWindowIcon) services.setWindowIcon();
    return true;
  }
  Sys().ShowError(kWindowErrorCaption, kWindowErrorText, false);
  return false;
}

void Application::AskFullscreen() {
  if (fullscreenAnswer) {
    fullscreenChosen = *fullscreenAnswer;
    return;
  }
  fullscreenChosen = Sys().AskYesNo(kFullscreenCaption, kFullscreenQuestion);
}

bool Application::InitGraphicsDevice(int width, int height) {
  if (!services.initGraphicsDevice) return true;
  if (services.initGraphicsDevice(width, height, errorText)) return true;
  Sys().ShowError(kDeviceErrorCaption, errorText, true);
  return false;
}

void Application::EnterFullscreen() {
  if (services.enterFullscreen) services.enterFullscreen();
}

// The shader manager reports no failure to the shell: a path that could not
// be built just draws nothing useful.
void Application::InitShaderManager() {
  if (services.initShaderManager) services.initShaderManager();
}

bool Application::InitSoundEngine() {
  if (!services.initSoundEngine) return true;
  if (services.initSoundEngine()) return true;
  Sys().ShowError(kSoundErrorCaption, errorText, true);
  return false;
}

void Application::BeginFrames() {
  measurementStart = Sys().GetMilliseconds();
  frameCounter = 0;
  drawCounter = 0;
  framesRun = 0;
  stopRequested = false;
  if (services.createSceneServices) services.createSceneServices();
  frameSkip.Reset();
  // The first scene loads its assets in its constructor, before the first frame.
  if (firstScene) SceneManager::GetInstance().ChangeScene(firstScene());
  frameStart = Sys().GetMilliseconds();
}

bool Application::RunFrame() {
  if (stopRequested) return false;
  Sys().PumpMessages();
  if (!Sys().HasGameWindow()) return false;
  if (services.updateSoundEngine) services.updateSoundEngine();
  const bool draw = frameSkip.DrawsNext();
  if (draw) {
    SceneManager::GetInstance().Update();
  } else {
    // The skipped frame's camera set-up clears nothing.
    const bool rasterising = services.setRasterising ? services.setRasterising(false) : false;
    SceneManager::GetInstance().Update(false);
    if (services.setRasterising) services.setRasterising(rasterising);
  }
  lastFrameDrew = draw;
  if (frameHook) frameHook();
  if (draw && services.present) services.present();

  // Pace to the frame budget; a frame that took the budget or longer gets no
  // sleep, and without the frame skip no frame is ever skipped. Unsigned, so
  // the clock may wrap. A frame skipped to catch up does not sleep.
  const uint32_t budget = static_cast<uint32_t>(1000 / targetFrameRate);
  const uint32_t spent = Sys().GetMilliseconds() - frameStart;
  if (spent < budget && !frameSkip.CatchingUp()) Sys().SleepMilliseconds(budget - spent);

  ++frameCounter;
  if (draw) ++drawCounter;
  const uint32_t measured = frameStart - measurementStart;
  if (measured >= kMeasurementMs) {
    measuredFrameRate = static_cast<int32_t>(frameCounter * 1000u / measured);
    measuredDrawRate = static_cast<int32_t>(drawCounter * 1000u / measured);
    if (services.frameRateMeasured) services.frameRateMeasured(measuredDrawRate);
    measurementStart = frameStart;
    frameCounter = 0;
    drawCounter = 0;
  }
  const uint32_t previousStart = frameStart;
  frameStart = Sys().GetMilliseconds();
  frameSkip.FrameDone(frameStart - previousStart, draw);

  ++framesRun;
  if (frameLimit != 0 && framesRun >= frameLimit) stopRequested = true;
  return !stopRequested;
}

void Application::Shutdown() {
  if (services.releaseShaderManager) services.releaseShaderManager();
  if (services.releaseGraphicsDevice) services.releaseGraphicsDevice();
  if (services.releaseSoundEngine) services.releaseSoundEngine();
  DestroyWindow();
}

void Application::DestroyWindow() {
  if (Sys().HasGameWindow()) Sys().DestroyGameWindow();
}

bool Application::HasWindow() const {
  return Sys().HasGameWindow();
}

void Application::SetServices(ApplicationServices newServices) {
  services = std::move(newServices);
}

void Application::SetFirstScene(std::function<std::unique_ptr<Scene>()> factory) {
  firstScene = std::move(factory);
}

void Application::SetFrameHook(std::function<void()> hook) {
  frameHook = std::move(hook);
}

void Application::SetFullscreenAnswer(std::optional<bool> fullscreen) {
  fullscreenAnswer = fullscreen;
}

void Application::SetFrameLimit(uint64_t frames) {
  frameLimit = frames;
}

void Application::RequestStop() {
  stopRequested = true;
}
