#pragma once

// The framework services the application shell drives at start-up, once per
// frame and at shut-down. Tests replace single slots to make a step fail; an
// empty slot is a step the shell skips.

#include <functional>
#include <string>

struct ApplicationServices {
  // Start-up, in the order the shell calls them. The window's icon right after
  // the window, before the first question.
  std::function<void()> setWindowIcon;
  std::function<bool(int width, int height, std::string& errorText)> initGraphicsDevice;
  std::function<void()> enterFullscreen;
  std::function<void()> initShaderManager;
  std::function<bool()> initSoundEngine;
  // Brings into being the services that scenes reach on their own (sound
  // manager, model and image caches) before the scene manager exists: statics
  // go in the reverse of their creation, so these then outlive the scene that
  // the manager deletes at process exit.
  std::function<void()> createSceneServices;

  // Once per frame.
  std::function<void()> updateSoundEngine;
  // Draws the screen overlay (frame rate, "PAUSED") over the frame and shows it.
  std::function<void()> present;
  // The frames drawn per second, each time the loop measures them.
  std::function<void(int framesPerSecond)> frameRateMeasured;
  // Switches rasterising on or off for a frame whose drawing is skipped and
  // returns the setting it replaces.
  std::function<bool(bool on)> setRasterising;

  // Shut-down, in the order the shell calls them.
  std::function<void()> releaseShaderManager;
  std::function<void()> releaseGraphicsDevice;
  std::function<void()> releaseSoundEngine;
};

// The graphics device, shader manager and sound engine of this build.
ApplicationServices DefaultApplicationServices();
