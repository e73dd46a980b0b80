#include "platform/KeyLatch.h"

void KeyLatch::Press(int virtualKey) {
  if (virtualKey >= 0 && virtualKey < int(pressed.size())) pressed.set(size_t(virtualKey));
}

bool KeyLatch::Holds(int virtualKey) const {
  return virtualKey >= 0 && virtualKey < int(pressed.size()) && pressed.test(size_t(virtualKey));
}
