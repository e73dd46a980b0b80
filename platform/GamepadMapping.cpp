#include "platform/GamepadMapping.h"

#include <algorithm>
#include <cmath>

namespace {

float Length(float x, float y) {
  return std::sqrt(x * x + y * y);
}

// A direction holds its key within 67.5 degrees of it, so diagonals hold two
// keys and the stick walks eight ways as the keys do.
constexpr float kSectorCos = 0.38268343f;  // cos 67.5

bool Toward(float along, float x, float y) {
  const float length = Length(x, y);
  return length >= GamepadMapping::kMoveDeadZone && along >= kSectorCos * length;
}

}  // namespace

GamepadState GamepadMapping::Combine(const GamepadState& a, const GamepadState& b) {
  GamepadState out = a;
  if (Length(b.leftX, b.leftY) > Length(a.leftX, a.leftY)) {
    out.leftX = b.leftX;
    out.leftY = b.leftY;
  }
  if (Length(b.rightX, b.rightY) > Length(a.rightX, a.rightY)) {
    out.rightX = b.rightX;
    out.rightY = b.rightY;
  }
  out.leftTrigger = std::max(a.leftTrigger, b.leftTrigger);
  out.rightTrigger = std::max(a.rightTrigger, b.rightTrigger);
  out.a = a.a || b.a;
  out.x = a.x || b.x;
  out.start = a.start || b.start;
  return out;
}

bool GamepadMapping::Holds(const GamepadState& pad, int virtualKey) {
  switch (virtualKey) {
    case Key::W:
      return Toward(pad.leftY, pad.leftX, pad.leftY);
    case Key::S:
      return Toward(-pad.leftY, pad.leftX, pad.leftY);
    case Key::D:
      return Toward(pad.leftX, pad.leftX, pad.leftY);
    case Key::A:
      return Toward(-pad.leftX, pad.leftX, pad.leftY);
    case Key::LButton:
      return pad.rightTrigger > kTriggerDown;
    case Key::RButton:
      return pad.leftTrigger > kTriggerDown;
    case Key::Space:
      return pad.a;
    case Key::R:
      return pad.x;
    default:
      return false;
  }
}

CursorMotion GamepadMapping::LookMotion(const GamepadState& pad) {
  const float length = Length(pad.rightX, pad.rightY);
  if (length < kLookDeadZone) return {};
  // Past the dead zone the push runs from 0 to 1 and the speed follows its
  // square: small pushes aim finely, a full push turns fast.
  const float push = std::min(1.0f, (length - kLookDeadZone) / (1.0f - kLookDeadZone));
  const float speed = push * push * kLookPixelsPerFrame;
  return {pad.rightX / length * speed, -pad.rightY / length * speed};
}

float GamepadMapping::AxisFromInt16(int value) {
  return std::max(-1.0f, std::min(1.0f, float(value) / 32767.0f));
}

float GamepadMapping::TriggerFromInt(int value, int full) {
  if (full <= 0) return 0;
  return std::max(0.0f, std::min(1.0f, float(value) / float(full)));
}
