#pragma once

// The application shell: owns the start-up sequence with its failure boxes,
// the paced frame loop and the shut-down order. It knows nothing of the game:
// it builds the first scene, hands it to the scene manager and from then on
// drives the scene manager once per frame.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "app/ApplicationServices.h"
#include "app/FrameSkip.h"
#include "app/Scene.h"

class Application {
 public:
  static constexpr int kWidth = 1280;
  static constexpr int kHeight = 720;
  static const char* const kWindowTitle;

  // The process's application. Tests and tools may construct their own.
  static Application& GetInstance();

  Application();

  // Initialise(1280, 720); if that succeeds, the frame loop, then Shutdown.
  void Run();
  // The start-up sequence; the first failure shows its box and returns false.
  bool Initialise(int width, int height);
  // Starts the measurement, builds the first scene and requests it; the frame
  // loop then consists of RunFrame calls.
  void BeginFrames();
  // One pass of the frame loop. Returns false when the loop ends: the window
  // is gone (no frame was run), or a stop was requested or the frame limit
  // reached (after this frame).
  bool RunFrame();
  // Releases the services in order and destroys the window if it still exists.
  void Shutdown();
  // Destroys the game window if it exists; the loop ends at its next check.
  void DestroyWindow();
  bool HasWindow() const;

  void SetServices(ApplicationServices services);
  // Builds the first scene after start-up succeeded; without one nothing is
  // requested and the scene manager runs no scene.
  void SetFirstScene(std::function<std::unique_ptr<Scene>()> factory);
  // Called each frame right after the scene manager's update.
  void SetFrameHook(std::function<void()> hook);
  // Answers the full-screen question ahead (the command line's choice): no
  // box is shown. Without an answer the question is asked.
  void SetFullscreenAnswer(std::optional<bool> fullscreen);
  // Ends the loop after this many frames (0: no limit).
  void SetFrameLimit(uint64_t frames);
  // Ends the loop after the frame that is running (or before the next one).
  void RequestStop();

  // Off by default. See FrameSkip.
  void SetFrameSkip(FrameSkipMode mode) { frameSkip.SetMode(mode); }
  FrameSkipMode GetFrameSkip() const { return frameSkip.GetMode(); }
  // Whether the frame that ran last was drawn (false: its draw was skipped).
  bool LastFrameDrew() const { return lastFrameDrew; }

  int32_t GetMeasuredFrameRate() const { return measuredFrameRate; }
  // Frames drawn per second, measured with the frame rate; the same as it
  // unless frames are skipped.
  int32_t GetMeasuredDrawRate() const { return measuredDrawRate; }
  int32_t GetTargetFrameRate() const { return targetFrameRate; }
  bool IsFullscreenChosen() const { return fullscreenChosen; }
  uint64_t FramesRun() const { return framesRun; }

 private:
  // The start-up steps, in their order.
  bool CreateGameWindow(int width, int height);
  void AskFullscreen();
  bool InitGraphicsDevice(int width, int height);
  void EnterFullscreen();
  void InitShaderManager();
  bool InitSoundEngine();

  ApplicationServices services;
  std::function<std::unique_ptr<Scene>()> firstScene;
  std::function<void()> frameHook;
  uint64_t frameLimit = 0;
  bool stopRequested = false;

  FrameSkip frameSkip;
  bool lastFrameDrew = true;
  int32_t measuredFrameRate = 0;
  int32_t measuredDrawRate = 0;
  int32_t targetFrameRate = 60;
  bool fullscreenChosen = false;
  std::optional<bool> fullscreenAnswer;
  // Shared by the device and the sound step: the sound failure box shows the
  // device's text, which is empty once the device succeeded.
  std::string errorText;

  uint32_t measurementStart = 0;
  uint32_t frameStart = 0;
  uint32_t frameCounter = 0;
  uint32_t drawCounter = 0;
  uint64_t framesRun = 0;
};
