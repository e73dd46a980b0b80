#pragma once

// A game pad turned into what the game already reads: keys, mouse buttons and
// cursor motion. One mapping for every backend (SDL's game controllers,
// XInput, scripted pads), so a pad plays the same everywhere:
//   left stick  W A S D (eight ways, outside a radial dead zone)
//   right stick cursor motion (dead zone, slow near the centre, fast at the edge)
//   right trigger the left mouse button, left trigger the right one
//   A (south) space, X (west) R, Start pause (the caller's edge)
// B, Y and Back do nothing: nothing on a pad quits the game.

#include "platform/Platform.h"

// One pad, or several combined. Sticks run from -1 to 1 with y = 1 forward
// (up); triggers from 0 to 1.
struct GamepadState {
  float leftX = 0, leftY = 0;
  float rightX = 0, rightY = 0;
  float leftTrigger = 0, rightTrigger = 0;
  bool a = false, x = false, start = false;
};

// Cursor motion in pixels, x right and y down as the cursor moves.
struct CursorMotion {
  float x = 0;
  float y = 0;
};

class GamepadMapping {
 public:
  // A quarter of the left stick's throw walks nowhere, so a worn stick does
  // not drift; the right stick's is a little smaller, for fine aim.
  static constexpr float kMoveDeadZone = 0.25f;
  static constexpr float kLookDeadZone = 0.2f;
  // A trigger pulled past this holds its button.
  static constexpr float kTriggerDown = 0.3f;
  // The right stick pushed to its edge moves the cursor this far a frame:
  // 36 pixels, three degrees of turn, 180 degrees a second.
  static constexpr float kLookPixelsPerFrame = 36.0f;

  // Several pads act as one: each stick from the pad that pushes it farthest,
  // each trigger at its deepest pull, each button down when any pad holds it.
  static GamepadState Combine(const GamepadState& a, const GamepadState& b);
  // Whether the pad holds the virtual key (W, A, S, D, space, R and the two
  // mouse buttons; nothing else).
  static bool Holds(const GamepadState& pad, int virtualKey);
  // The right stick's cursor motion for one frame, before the look options.
  static CursorMotion LookMotion(const GamepadState& pad);
  // The systems' integers: a signed 16-bit stick axis becomes -1..1 (the
  // caller flips SDL's y, which points down), a trigger of 0..full 0..1.
  static float AxisFromInt16(int value);
  static float TriggerFromInt(int value, int full);
};
