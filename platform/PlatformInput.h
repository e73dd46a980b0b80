#pragma once

// What every backend puts between the system's input and the game, beyond the
// system's own key and cursor state: the pads mapped onto keys and cursor
// motion, the look options, and the pause. The backend feeds it once per pump
// and consults it when the game polls.
//
// "Steering" is play: the game hides the cursor and puts it back in the
// window's centre every frame, reading the displacement as the turn. Only
// then do the look options apply and can the game be paused; on the title
// and the result screens the visible cursor is the system's own.

#include "platform/GamepadMapping.h"
#include "platform/Platform.h"

class PlatformInput {
 public:
  // Sensitivity multiplies the motion the game steers by (mouse and right
  // stick), 1 leaves it; invertY turns the vertical part round.
  void SetLook(float sensitivity, bool invertY);
  float Sensitivity() const { return sensitivity; }
  bool InvertY() const { return invertY; }

  // Whenever the game hides or shows the cursor: hidden, it steers.
  void SetSteering(bool steering);
  // Once per pump, after the system's events: the pads combined and whether
  // the pause key went down during this pump. The pause key or the pad's
  // Start (on its press) pauses play and resumes it.
  void BeginFrame(const GamepadState& pad, bool pauseKeyPressed);
  bool IsPaused() const { return paused; }
  // The pad's part of a key poll (never while paused).
  bool PadHolds(int virtualKey) const;

  // The cursor the game reads, given the system's: while steering, the
  // motion since the game last set the cursor, shaped by the look options,
  // plus the right stick's; frozen while paused; otherwise the system's.
  PlatformPoint ShapeCursor(PlatformPoint system) const;
  // The game set the cursor (it read the last motion and re-centred):
  // motion counts from here, and the fraction of a pixel the reading lost
  // is kept for the next. `system` is the system's cursor just before.
  void CursorSet(PlatformPoint screen, PlatformPoint system);
  // Whether the cursor has been set since steering began (the point motion
  // counts from, and where a paused game holds the system's cursor).
  bool HasAnchor() const { return anchored; }
  PlatformPoint Anchor() const { return anchor; }
  // Off steering, the right stick moves the visible cursor: the whole pixels
  // of this frame's move (sensitivity applied, never inverted).
  PlatformPoint TakePointerMove();

 private:
  // The exact (fractional) displacement the game reads while steering.
  CursorMotion SteeringMotion(PlatformPoint system) const;
  bool Shaping() const;

  float sensitivity = 1.0f;
  bool invertY = false;
  GamepadState pad;
  bool previousStart = false;
  bool steering = false;
  bool paused = false;
  bool anchored = false;
  PlatformPoint anchor;
  CursorMotion carried;         // the part of a pixel the last steering read lost
  CursorMotion pointerCarried;  // likewise for the visible cursor's move
};
