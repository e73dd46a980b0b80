#include "framework/audio/XAudio2Library.h"

const XAudio2Library& XAudio2Library::Get() {
  // Kept loaded until the process ends: voices may still be torn down late.
  static const XAudio2Library library = [] {
    XAudio2Library loaded;
    HMODULE module = LoadLibraryExW(L"xaudio2_9.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!module) module = LoadLibraryW(L"xaudio2_9.dll");
    if (!module) return loaded;
    loaded.create = reinterpret_cast<Create>(reinterpret_cast<void*>(GetProcAddress(module, "XAudio2Create")));
    loaded.x3dInitialize =
        reinterpret_cast<X3DInitialize>(reinterpret_cast<void*>(GetProcAddress(module, "X3DAudioInitialize")));
    loaded.x3dCalculate =
        reinterpret_cast<X3DCalculate>(reinterpret_cast<void*>(GetProcAddress(module, "X3DAudioCalculate")));
    return loaded;
  }();
  return library;
}
