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

Size OuterSizeForClient(int width, int height, Size outer, Size client) {
  return {width + (outer.width - client.width), height + (outer.height - client.height)};
}

}  // namespace Win32WindowRules
