// Losing the focus in the middle of a firefight: the world stands still while
// another window is active and then goes on exactly as if the stretch had
// never happened.

#include <gtest/gtest.h>

#include <string>

#include "DevRunInFolder.h"

#ifdef HALVANE_DEV_TOOL

namespace {

// The state of the world in a trace line: everything but the frame number,
// the sounds and the HUD (which keeps updating while the world is frozen).
nlohmann::json World(const nlohmann::json& line) {
  nlohmann::json world = line;
  world.erase("frame");
  world.erase("sounds");
  world.erase("hud");
  return world;
}

// Past the second line with the door open: blue enemies dash at the player,
// yellow ones shoot, the player fires while turning.
const std::string kFirefightStart =
    "60\n"
    "set kill=4\n"
    "set pos=-10,3,130\n"
    "140 LMB dx=-4\n";
const std::string kFirefightEnd =
    "10 LMB dx=-4\n"
    "250 LMB\n";
constexpr int kStretchStart = 200;
constexpr int kStretchLength = 120;

}  // namespace

TEST(FocusLossTest, AnInactiveStretchInAFirefightFreezesTheWorldAndItResumesWhereItStopped) {
  const std::string folder = HALVANE_BUILD_DIR;
  const std::string options = "--start game --clock-ms 777";
  DevRun reference = RunDevTool(folder, "focus-reference", kFirefightStart + kFirefightEnd, options);
  // Input of every kind is held while the window is inactive; none of it may act.
  DevRun paused = RunDevTool(folder, "focus-paused",
                             kFirefightStart + std::to_string(kStretchLength) +
                                 " W SPACE R RMB LMB dx=60 inactive\n" + kFirefightEnd,
                             options);
  ASSERT_EQ(reference.status, 0) << reference.output;
  ASSERT_EQ(paused.status, 0) << paused.output;
  ASSERT_EQ(reference.trace.size(), 460u);
  ASSERT_EQ(paused.trace.size(), 460u + kStretchLength);

  // It is a firefight when the focus goes: shots of both sides in flight,
  // effects running, the player hurt.
  const nlohmann::json& before = paused.trace[kStretchStart - 1];
  EXPECT_EQ(before["enemies"].size(), 16u);
  EXPECT_FALSE(before["enemyBullets"].empty());
  EXPECT_FALSE(before["playerShots"].empty());
  EXPECT_FALSE(before["effects"].empty());
  EXPECT_GT(before["modelEffects"].get<int>(), 0);
  EXPECT_LT(before["player"]["hp"].get<int>(), 20);

  for (int i = 0; i < kStretchLength; ++i) {
    const nlohmann::json& frame = paused.trace[kStretchStart + i];
    SCOPED_TRACE("inactive frame " + std::to_string(kStretchStart + i));
    ASSERT_EQ(World(frame), World(before));
    EXPECT_TRUE(frame["sounds"].empty()) << frame["sounds"];
  }

  for (size_t i = 0; i < reference.trace.size(); ++i) {
    const size_t j = i < size_t(kStretchStart) ? i : i + kStretchLength;
    SCOPED_TRACE("reference frame " + std::to_string(i));
    ASSERT_EQ(World(paused.trace[j]), World(reference.trace[i]));
    ASSERT_EQ(paused.trace[j]["sounds"], reference.trace[i]["sounds"]);
  }
  // The firefight went on after the stretch: more damage on both sides.
  const nlohmann::json& last = reference.trace.back();
  EXPECT_LT(last["player"]["hp"].get<int>(), before["player"]["hp"].get<int>());
  int hpBefore = 0, hpAfter = 0;
  for (const auto& enemy : before["enemies"]) hpBefore += enemy["hp"].get<int>();
  for (const auto& enemy : last["enemies"]) hpAfter += enemy["hp"].get<int>();
  EXPECT_LT(hpAfter, hpBefore);
}

#endif
