#pragma once

// What the game window's procedure does with each message, as pure functions
// of the message, so the rules hold without a window (and are tested on any
// system). The Win32 platform only carries the decision out.

#include <cstdint>

namespace Win32WindowRules {

// The messages and key the procedure looks at (WM_CREATE, WM_DESTROY,
// WM_CLOSE, WM_KEYDOWN, VK_ESCAPE).
constexpr uint32_t kCreate = 0x0001;
constexpr uint32_t kDestroy = 0x0002;
constexpr uint32_t kClose = 0x0010;
constexpr uint32_t kKeyDown = 0x0100;
constexpr uintptr_t kEscape = 0x1B;
// The button presses the game latches (WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN).
constexpr uint32_t kLButtonDown = 0x0201;
constexpr uint32_t kRButtonDown = 0x0204;
constexpr uint32_t kMButtonDown = 0x0207;

// The window property that carries the window's owner.
constexpr const wchar_t* kInstanceProperty = L"GameWindowInstance";

enum class Action {
  Default,        // hand the message to the default window procedure
  StoreInstance,  // attach the creation parameter as the property; return 0
  Destroyed,      // remove the property, post the quit message (code 0); return 0
  Close,          // destroy the window if it is still held, forget it; return 0
  Consume,        // return 0 without default processing
};

// hasInstance: whether the property is already attached to the window.
Action Decide(bool hasInstance, uint32_t message, uintptr_t wParam);

// The virtual-key code a message presses (a key other than Escape, or a mouse
// button), for the key latch; -1 for any other message.
int PressedKey(uint32_t message, uintptr_t wParam);

// The outer size that gives a client area of width x height, from the window's
// outer and client sizes as they are now.
struct Size {
  int width = 0;
  int height = 0;
};
Size OuterSizeForClient(int width, int height, Size outer, Size client);

}  // namespace Win32WindowRules
