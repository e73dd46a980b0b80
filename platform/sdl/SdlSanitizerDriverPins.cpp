// Under LeakSanitizer, two rules for the OpenGL driver's libraries. Sanitizer
// builds link this into every program that may open an OpenGL window (the
// game, the developers' tool, the tests), not into the library, where nothing
// would reference it and the linker would leave it out.
//
// SDL unloads the EGL and Mesa libraries when its video quits, and whatever
// they still held then shows as a leak from an unknown module. Loading them
// once more, never to be unloaded, keeps their memory reachable for the leak
// check at exit; nothing else changes.

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

// LeakSanitizer follows the thread-local blocks of libraries loaded at run
// time by intercepting __tls_get_addr. With the driver's libraries, GCC 12's
// runtime on glibc 2.36 has recorded such a block at a bogus address (0x22c9)
// and crashed scanning it at exit, failing a run that had passed. The blocks
// are heap chunks that the thread's own block list points to, so the leak
// check still sees what they hold without the interception. Options given in
// ASAN_OPTIONS come on top of these.
extern "C" const char* __asan_default_options() {
  return "intercept_tls_get_addr=0";
}
#endif
