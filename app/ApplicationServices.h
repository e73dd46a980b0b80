#pragma once

// The framework services the application shell drives at start-up, once per
// frame and at shut-down. An empty slot is a service this build does not have
// yet: the shell skips that step and reports nothing for it.

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
  std::function<void()> present;

  // Shut-down, in the order the shell calls them.
  std::function<void()> releaseShaderManager;
  std::function<void()> releaseGraphicsDevice;
  std::function<void()> releaseSoundEngine;
};

// The services of this build: full screen goes through the platform's window;
// the graphics device, shader manager and sound engine are not in it yet.
ApplicationServices DefaultApplicationServices();
