#pragma once

// The framework services the application shell drives at start-up, once per
// frame and at shut-down. Tests replace single slots to make a step fail; an
// empty slot is a step the shell skips.

#include <functional>
#include <string>

struct ApplicationServices {
  // Start-up, in the order the shell calls them.
  std::function<bool(int width, int height, std::string& errorText)> initGraphicsDevice;
  std::function<void()> enterFullscreen;
  std::function<void()> initShaderManager;
  std::function<bool()> initSoundEngine;

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
