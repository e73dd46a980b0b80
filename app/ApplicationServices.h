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

  // Once per frame.
  std::function<void()> updateSoundEngine;
  std::function<void()> present;

  // Shut-down, in the order the shell calls them.
  std::function<void()> releaseShaderManager;
  std::function<void()> releaseGraphicsDevice;
  std::function<void()> releaseSoundEngine;
};

// The graphics device, shader manager and sound engine of this build.
ApplicationServices DefaultApplicationServices();
