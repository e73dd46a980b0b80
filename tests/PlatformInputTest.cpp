#include <gtest/gtest.h>

#include "platform/PlatformInput.h"

static bool operator==(PlatformPoint a, PlatformPoint b) {
  return a.x == b.x && a.y == b.y;
}
static std::ostream& operator<<(std::ostream& os, PlatformPoint p) {
  return os << "(" << p.x << ", " << p.y << ")";
}

namespace {

constexpr PlatformPoint kCentre{640, 360};

// In play: the cursor hidden and set to the centre once, as the game does.
PlatformInput Steering(float sensitivity, bool invertY) {
  PlatformInput input;
  input.SetLook(sensitivity, invertY);
  input.SetSteering(true);
  input.CursorSet(kCentre, kCentre);
  return input;
}

TEST(PlatformInputTest, WithoutOptionsTheCursorIsTheSystemsOwn) {
  PlatformInput input = Steering(1, false);
  input.BeginFrame({}, false);
  for (PlatformPoint p : {PlatformPoint{760, 360}, PlatformPoint{-3, 9000}, PlatformPoint{641, 359}})
    EXPECT_EQ(input.ShapeCursor(p), p);
}

TEST(PlatformInputTest, SensitivityScalesTheMotionAndKeepsTheLostFractions) {
  PlatformInput input = Steering(0.5f, false);
  input.BeginFrame({}, false);
  EXPECT_EQ(input.ShapeCursor({760, 360}), (PlatformPoint{700, 360}));
  // Three pixels a frame at one half: 1.5 a frame, nothing lost over two.
  int turned = 0;
  for (int frame = 0; frame < 2; ++frame) {
    input.BeginFrame({}, false);
    const PlatformPoint read = input.ShapeCursor({643, 363});
    turned += read.x - kCentre.x;
    input.CursorSet(kCentre, {643, 363});
  }
  EXPECT_EQ(turned, 3);
}

TEST(PlatformInputTest, InversionTurnsTheVerticalMotionOfMouseAndStickRound) {
  PlatformInput input = Steering(2, true);
  input.BeginFrame({}, false);
  EXPECT_EQ(input.ShapeCursor({650, 370}), (PlatformPoint{660, 340}));
  GamepadState up;
  up.rightY = 1;
  input.BeginFrame(up, false);
  const int stick = int(GamepadMapping::kLookPixelsPerFrame * 2);
  EXPECT_EQ(input.ShapeCursor(kCentre), (PlatformPoint{640, 360 + stick}))
      << "stick up looks down when inverted";
  input.CursorSet(kCentre, kCentre);
  EXPECT_EQ(input.ShapeCursor(kCentre), kCentre) << "the stick's motion of a frame is read once";
}

TEST(PlatformInputTest, OffPlayTheCursorIsUntouchedAndTheStickMovesIt) {
  PlatformInput input;
  input.SetLook(0.5f, true);
  input.CursorSet(kCentre, kCentre);
  input.BeginFrame({}, false);
  EXPECT_EQ(input.ShapeCursor({900, 100}), (PlatformPoint{900, 100}));
  GamepadState up;
  up.rightY = 1;
  input.BeginFrame(up, false);
  EXPECT_EQ(input.TakePointerMove(), (PlatformPoint{0, -18})) << "sensitivity, but never inverted";
  EXPECT_EQ(input.TakePointerMove(), (PlatformPoint{0, -18}));
}

TEST(PlatformInputTest, PauseTogglesOnPressesInPlayOnlyAndFreezesTheInput) {
  PlatformInput input;
  input.BeginFrame({}, true);
  EXPECT_FALSE(input.IsPaused()) << "the title and the result screens do not pause";

  input = Steering(1, false);
  GamepadState pad;
  pad.rightTrigger = 1;
  pad.start = true;
  input.BeginFrame(pad, false);
  EXPECT_TRUE(input.IsPaused());
  EXPECT_FALSE(input.PadHolds(Key::LButton));
  EXPECT_EQ(input.ShapeCursor({900, 100}), kCentre) << "the view holds still";
  input.BeginFrame(pad, false);
  EXPECT_TRUE(input.IsPaused()) << "Start held is one press";
  pad.start = false;
  input.BeginFrame(pad, false);
  EXPECT_TRUE(input.IsPaused());
  input.BeginFrame(pad, true);
  EXPECT_FALSE(input.IsPaused()) << "P resumes what Start paused";
  EXPECT_TRUE(input.PadHolds(Key::LButton));
}

}  // namespace
