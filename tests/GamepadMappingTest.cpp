#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/GamepadMapping.h"

namespace {

GamepadState Left(float x, float y) {
  GamepadState pad;
  pad.leftX = x;
  pad.leftY = y;
  return pad;
}

GamepadState Right(float x, float y) {
  GamepadState pad;
  pad.rightX = x;
  pad.rightY = y;
  return pad;
}

std::vector<int> HeldMoveKeys(const GamepadState& pad) {
  std::vector<int> held;
  for (int key : {Key::W, Key::A, Key::S, Key::D}) {
    if (GamepadMapping::Holds(pad, key)) held.push_back(key);
  }
  return held;
}

TEST(GamepadMappingTest, TheLeftStickWalksEightWaysOutsideARadialDeadZone) {
  EXPECT_EQ(HeldMoveKeys(Left(0, 1)), std::vector<int>{Key::W});
  EXPECT_EQ(HeldMoveKeys(Left(0, 0.8f)), std::vector<int>{Key::W}) << "most of the way forward is W";
  EXPECT_EQ(HeldMoveKeys(Left(0, -1)), std::vector<int>{Key::S});
  EXPECT_EQ(HeldMoveKeys(Left(-1, 0)), std::vector<int>{Key::A});
  EXPECT_EQ(HeldMoveKeys(Left(1, 0)), std::vector<int>{Key::D});
  EXPECT_EQ(HeldMoveKeys(Left(0.7f, 0.7f)), (std::vector<int>{Key::W, Key::D}));
  EXPECT_EQ(HeldMoveKeys(Left(-0.7f, -0.7f)), (std::vector<int>{Key::A, Key::S}));
  EXPECT_EQ(HeldMoveKeys(Left(0.3f, 0.95f)), std::vector<int>{Key::W}) << "a little off forward stays W";

  // Radial: each axis below the threshold, together past it.
  EXPECT_TRUE(HeldMoveKeys(Left(0, 0.24f)).empty());
  EXPECT_TRUE(HeldMoveKeys(Left(0.17f, 0.17f)).empty());
  EXPECT_EQ(HeldMoveKeys(Left(0.2f, 0.2f)), (std::vector<int>{Key::W, Key::D}));
  EXPECT_TRUE(HeldMoveKeys(Left(0, 0)).empty());
}

TEST(GamepadMappingTest, TriggersAndButtonsHoldTheGamesButtonsAndNothingElse) {
  GamepadState pad;
  pad.rightTrigger = 0.29f;
  pad.leftTrigger = 0.29f;
  EXPECT_FALSE(GamepadMapping::Holds(pad, Key::LButton)) << "a trigger resting lightly fires nothing";
  EXPECT_FALSE(GamepadMapping::Holds(pad, Key::RButton));
  pad.rightTrigger = 0.5f;
  EXPECT_TRUE(GamepadMapping::Holds(pad, Key::LButton));
  EXPECT_FALSE(GamepadMapping::Holds(pad, Key::RButton));
  pad.leftTrigger = 1;
  EXPECT_TRUE(GamepadMapping::Holds(pad, Key::RButton));

  GamepadState buttons;
  buttons.a = true;
  EXPECT_TRUE(GamepadMapping::Holds(buttons, Key::Space));
  EXPECT_FALSE(GamepadMapping::Holds(buttons, Key::R));
  buttons.x = true;
  EXPECT_TRUE(GamepadMapping::Holds(buttons, Key::R));
  // Start is the pause, read on its press by the platform; nothing on a pad is
  // Escape or P.
  buttons.start = true;
  for (int key : {Key::Escape, Key::P, Key::W, Key::LButton})
    EXPECT_FALSE(GamepadMapping::Holds(buttons, key)) << key;
}

TEST(GamepadMappingTest, TheRightStickTurnsSlowlyNearTheCentreAndFastAtTheEdge) {
  EXPECT_EQ(GamepadMapping::LookMotion(Right(0.19f, 0)).x, 0.0f) << "inside the dead zone";
  const CursorMotion full = GamepadMapping::LookMotion(Right(1, 0));
  EXPECT_FLOAT_EQ(full.x, GamepadMapping::kLookPixelsPerFrame);
  EXPECT_FLOAT_EQ(full.y, 0.0f);
  const float half = GamepadMapping::LookMotion(Right(0.6f, 0)).x;
  EXPECT_GT(half, 0.0f);
  EXPECT_FLOAT_EQ(half, full.x / 4) << "half the push past the dead zone gives a quarter of the speed";
  EXPECT_GT(GamepadMapping::LookMotion(Right(0.25f, 0)).x, 0.0f) << "just past it, a crawl";
  EXPECT_FLOAT_EQ(GamepadMapping::LookMotion(Right(-1, 0)).x, -full.x);
  EXPECT_FLOAT_EQ(GamepadMapping::LookMotion(Right(0, 1)).y, -full.x) << "up moves the cursor up";
  const CursorMotion diagonal = GamepadMapping::LookMotion(Right(0.8f, 0.6f));
  EXPECT_NEAR(std::hypot(diagonal.x, diagonal.y), full.x, 1e-3f) << "the edge is as fast in every direction";
}

TEST(GamepadMappingTest, SeveralPadsActAsOne) {
  GamepadState walking = Left(0, 1);
  walking.rightTrigger = 0.4f;
  GamepadState aiming = Right(0.5f, 0);
  aiming.leftX = 0.1f;  // resting, a little off centre
  aiming.rightTrigger = 0.9f;
  aiming.a = true;
  const GamepadState both = GamepadMapping::Combine(walking, aiming);
  EXPECT_EQ(both.leftY, 1.0f) << "the stick pushed farthest wins";
  EXPECT_EQ(both.leftX, 0.0f);
  EXPECT_EQ(both.rightX, 0.5f);
  EXPECT_EQ(both.rightTrigger, 0.9f);
  EXPECT_TRUE(both.a);
  EXPECT_FALSE(both.x);
}

TEST(GamepadMappingTest, SystemIntegersBecomeUnitRanges) {
  EXPECT_EQ(GamepadMapping::AxisFromInt16(32767), 1.0f);
  EXPECT_EQ(GamepadMapping::AxisFromInt16(-32768), -1.0f);
  EXPECT_EQ(GamepadMapping::AxisFromInt16(0), 0.0f);
  EXPECT_EQ(GamepadMapping::TriggerFromInt(255, 255), 1.0f);
  EXPECT_NEAR(GamepadMapping::TriggerFromInt(16384, 32767), 0.5f, 1e-4f);
  EXPECT_EQ(GamepadMapping::TriggerFromInt(10, 0), 0.0f);
}

}  // namespace
