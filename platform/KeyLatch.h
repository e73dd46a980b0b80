#pragma once

// Keeps a short press from being lost. The game polls each key once a frame;
// a key or mouse button pressed and released between two polls (a touchpad
// tap, a quick click) would read as up on both. Every backend tells the latch
// of each press it sees while pumping, and a key pressed during the latest
// pump reads as down for the frame that follows, whatever its state now.

#include <bitset>

class KeyLatch {
 public:
  // At the start of each pump: the presses of the previous frame are spent.
  void Clear() { pressed.reset(); }
  // A virtual-key code (0..255) went down; other codes are ignored.
  void Press(int virtualKey);
  // Whether the key went down during the latest pump.
  bool Holds(int virtualKey) const;

 private:
  std::bitset<256> pressed;
};
