// Under LeakSanitizer: SDL unloads the EGL and Mesa libraries when its video
// quits, and whatever they still held then shows as a leak from an unknown
// module. Loading them once more, never to be unloaded, keeps their memory
// reachable for the leak check at exit; nothing else changes. Sanitizer builds
// link this into every program that may open an OpenGL window (the game, the
// developers' tool, the tests), not into the library, where nothing would
// reference it and the linker would leave it out.

#if defined(HALVANE_SANITIZE)
#include <dlfcn.h>

#include <initializer_list>

namespace {

struct DriverPins {
  DriverPins() {
    for (const char* library : {"libEGL.so.1", "libEGL_mesa.so.0", "libGL.so.1", "libGLX.so.0",
                                "/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so"})
      dlopen(library, RTLD_NOW | RTLD_GLOBAL | RTLD_NODELETE);
  }
} pins;

}  // namespace
#endif
