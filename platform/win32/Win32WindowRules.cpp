#include "platform/win32/Win32WindowRules.h"

namespace Win32WindowRules {

Action Decide(bool hasInstance, uint32_t message, uintptr_t wParam) {
  if (!hasInstance) return message == kCreate ? Action::StoreInstance : Action::Default;
  switch (message) {
    case kDestroy:
      return Action::Destroyed;
    case kKeyDown:
      // Keys are polled; none of them may reach the default procedure.
      return wParam == kEscape ? Action::Close : Action::Consume;
    case kClose:
      return Action::Close;
    default:
      return Action::Default;
  }
}

int PressedKey(uint32_t message, uintptr_t wParam) {
  switch (message) {
    case kKeyDown:
      return wParam == kEscape || wParam > 0xFF ? -1 : int(wParam);
    case kLButtonDown:
      return 0x01;
    case kRButtonDown:
      return 0x02;
    case kMButtonDown:
      return 0x04;
    default:
      return -1;
  }
}

Size OuterSizeForClient(int width, int height, Size outer, Size client) {
  return {width + (outer.width - client.width), height + (outer.height - client.height)};
}

}  // namespace Win32WindowRules
