#include "platform/PlatformInput.h"

#include <cmath>

void PlatformInput::SetLook(float newSensitivity, bool newInvertY) {
  sensitivity = newSensitivity;
  invertY = newInvertY;
}

void PlatformInput::SetSteering(bool nowSteering) {
  if (nowSteering == steering) return;
  steering = nowSteering;
  anchored = false;
  carried = {};
}

void PlatformInput::BeginFrame(const GamepadState& newPad, bool pauseKeyPressed) {
  const bool startPressed = newPad.start && !previousStart;
  previousStart = newPad.start;
  pad = newPad;
  if (pauseKeyPressed || startPressed) {
    if (paused) {
      paused = false;
    } else if (steering) {
      paused = true;
    }
  }
}

bool PlatformInput::PadHolds(int virtualKey) const {
  return !paused && GamepadMapping::Holds(pad, virtualKey);
}

bool PlatformInput::Shaping() const {
  return steering && anchored;
}

CursorMotion PlatformInput::SteeringMotion(PlatformPoint system) const {
  const CursorMotion stick = GamepadMapping::LookMotion(pad);
  CursorMotion motion;
  motion.x = (float(system.x - anchor.x) + stick.x) * sensitivity + carried.x;
  motion.y = (float(system.y - anchor.y) + stick.y) * sensitivity * (invertY ? -1.0f : 1.0f) + carried.y;
  return motion;
}

PlatformPoint PlatformInput::ShapeCursor(PlatformPoint system) const {
  if (!Shaping()) return system;
  if (paused) return anchor;
  const CursorMotion motion = SteeringMotion(system);
  return {anchor.x + int(std::lround(motion.x)), anchor.y + int(std::lround(motion.y))};
}

void PlatformInput::CursorSet(PlatformPoint screen, PlatformPoint system) {
  if (Shaping() && !paused) {
    const CursorMotion motion = SteeringMotion(system);
    carried = {motion.x - float(std::lround(motion.x)), motion.y - float(std::lround(motion.y))};
  } else {
    carried = {};
  }
  anchor = screen;
  anchored = steering;
  // The stick's motion of this frame has been read.
  pad.rightX = pad.rightY = 0;
}

PlatformPoint PlatformInput::TakePointerMove() {
  if (steering || paused) return {};
  const CursorMotion stick = GamepadMapping::LookMotion(pad);
  pointerCarried.x += stick.x * sensitivity;
  pointerCarried.y += stick.y * sensitivity;
  const PlatformPoint move{int(std::lround(pointerCarried.x)), int(std::lround(pointerCarried.y))};
  pointerCarried.x -= float(move.x);
  pointerCarried.y -= float(move.y);
  return move;
}
