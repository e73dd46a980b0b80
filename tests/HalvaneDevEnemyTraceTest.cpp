#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#ifdef HALVANE_DEV_TOOL

// The enemies, their shots, shields and the effects as `halvane-dev run`
// traces them, driven over the stage's lines with the script's shortcuts.

namespace {
using Json = nlohmann::json;

std::vector<Json> RunTrace(const std::string& script) {
  const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
  const std::string scriptPath = "halvane-dev-enemies-" + name + ".script";
  const std::string tracePath = "halvane-dev-enemies-" + name + ".trace";
  std::ofstream(std::string(HALVANE_BUILD_DIR) + "/" + scriptPath) << script;
  std::remove((std::string(HALVANE_BUILD_DIR) + "/" + tracePath).c_str());
  const std::string command = std::string("cd '") + HALVANE_BUILD_DIR + "' && '" + HALVANE_DEV_TOOL +
                              "' run --start game --clock-ms 5000 --script " + scriptPath + " --trace " +
                              tracePath + " > /dev/null 2>&1";
  std::vector<Json> trace;
  if (std::system(command.c_str()) != 0) return trace;
  std::ifstream in(std::string(HALVANE_BUILD_DIR) + "/" + tracePath);
  std::string line;
  while (std::getline(in, line)) trace.push_back(Json::parse(line));
  return trace;
}

float Distance(const Json& a, const Json& b) {
  float sum = 0.0f;
  for (int i = 0; i < 3; ++i) {
    const float d = a[i].get<float>() - b[i].get<float>();
    sum += d * d;
  }
  return std::sqrt(sum);
}

int CountClass(const Json& frame, const std::string& className) {
  int count = 0;
  for (const auto& effect : frame["effects"]) count += effect["class"] == className;
  return count;
}
}  // namespace

TEST(HalvaneDevEnemyTraceTest, TheFirstLineBringsFourAnnouncedBluesIntoTheTrace) {
  const std::vector<Json> trace = RunTrace(
      "30\n"
      "set pos=40,3,-115\n"
      "5\n"
      "set pos=40,3,-114.9\n"
      "30\n");
  ASSERT_EQ(trace.size(), 65u);

  // Standing on the line is not crossing it.
  EXPECT_TRUE(trace[34]["enemies"].empty());
  EXPECT_EQ(trace[34]["enemyBullets"], Json::array());
  EXPECT_EQ(trace[34]["enemyFlashes"], 0);
  EXPECT_EQ(trace[34]["shields"], Json::array());
  EXPECT_EQ(trace[34]["modelEffects"], 0);

  const Json& enemies = trace[35]["enemies"];
  ASSERT_EQ(enemies.size(), 4u);
  const float xs[] = {75, 50, 30, 5};
  for (int i = 0; i < 4; ++i) {
    const Json& enemy = enemies[i];
    EXPECT_EQ(enemy["kind"], "blue");
    EXPECT_EQ(enemy["pos"][0].get<float>(), xs[i]);
    EXPECT_NEAR(enemy["pos"][1].get<float>(), 3.0f, 1e-4f);
    EXPECT_EQ(enemy["pos"][2].get<float>(), -25.0f);
    // At most a first turn of 2 degrees toward the random heading.
    EXPECT_LE(std::fabs(enemy["yaw"].get<float>()), 2.0f + 1e-3f);
    EXPECT_EQ(enemy["hp"], 8);
    EXPECT_EQ(enemy["maxHp"], 8);
    EXPECT_EQ(enemy["state"], "C_WalkState");
    EXPECT_EQ(enemy["tint"], Json::array({0, 0, 0, 1}));
    EXPECT_FALSE(enemy.contains("shieldDeployed"));
  }
  // The announcements stand where the enemies were created, for 22 frames.
  ASSERT_EQ(CountClass(trace[35], "C_EnemySpawn"), 4);
  EXPECT_EQ(trace[35]["effects"][0]["pos"], Json::array({75, 2, -25}));
  EXPECT_EQ(CountClass(trace[56], "C_EnemySpawn"), 4);
  EXPECT_EQ(CountClass(trace[57], "C_EnemySpawn"), 0);
}

TEST(HalvaneDevEnemyTraceTest, AYellowTurretsShotsAndFlashesAreTraced) {
  // Past the door, 40 units from the first turret of the second wave.
  const std::vector<Json> trace = RunTrace(
      "30\n"
      "set kill=4\n"
      "set pos=0,3,11\n"
      "10\n"
      "set pos=-10,3,125\n"
      "150\n");
  ASSERT_EQ(trace.size(), 190u);
  ASSERT_EQ(trace[30]["enemies"].size(), 16u);
  const Json& turret = trace[30]["enemies"][11];
  EXPECT_EQ(turret["kind"], "yellow");
  EXPECT_EQ(turret["state"], "C_ScoutState");
  EXPECT_EQ(trace[40]["enemies"][11]["state"], "C_ShootState");

  size_t shot = 0;
  while (shot < trace.size() && trace[shot]["enemyBullets"].empty()) ++shot;
  ASSERT_LT(shot + 20, trace.size());
  EXPECT_EQ(trace[shot]["enemyFlashes"], 1);
  const Json& bullet = trace[shot]["enemyBullets"][0];
  // Drawn 1 up and 4 along the view from where it logically is.
  EXPECT_NEAR(Distance(bullet["pos"], bullet["drawPos"]), std::sqrt(17.0f), 1e-3f);
  EXPECT_NEAR(Distance(trace[shot + 1]["enemyBullets"][0]["pos"], bullet["pos"]), 2.0f, 1e-4f);
  // A flash shows on 20 frames.
  EXPECT_EQ(trace[shot + 19]["enemyFlashes"], 1);
  EXPECT_EQ(trace[shot + 20]["enemyFlashes"], 0);
}

TEST(HalvaneDevEnemyTraceTest, AWoundedRedEnemyRaisesTheTracedShield) {
  // To the boss line with the boss doors open; once the warning has brought
  // the last wave, stand in front of the first red enemy and fire at it.
  const std::vector<Json> trace = RunTrace(
      "30\n"
      "set kill=16\n"
      "set pos=0,3,486\n"
      "160\n"
      "set pos=0,3,597\n"
      "120 LMB\n"
      "set hp=20\n"
      "60\n");
  ASSERT_EQ(trace.size(), 370u);
  // Crossing the first two lines at once released their 16 enemies too.
  const Json& enemies = trace[185]["enemies"];
  ASSERT_EQ(enemies.size(), 21u);
  for (int i = 16; i < 19; ++i) EXPECT_EQ(enemies[i]["state"], "C_TrackState");
  for (int i = 19; i < 21; ++i) {
    EXPECT_EQ(enemies[i]["kind"], "red");
    EXPECT_EQ(enemies[i]["maxHp"], 14);
    EXPECT_EQ(enemies[i]["state"], "C_SnipeState");
    EXPECT_EQ(enemies[i]["shieldDeployed"], false);
  }

  size_t raised = 0;
  while (raised < trace.size() && trace[raised]["shields"].empty()) ++raised;
  ASSERT_LT(raised + 27, trace.size()) << "the red enemy was never brought to half its hit points";
  const Json* red = nullptr;
  for (const auto& enemy : trace[raised]["enemies"]) {
    if (enemy["kind"] == "red" && enemy["shieldDeployed"] == true) red = &enemy;
  }
  ASSERT_NE(red, nullptr);
  EXPECT_LE((*red)["hp"].get<int>(), 7);
  EXPECT_EQ((*red)["state"], "C_ChaseState");
  const Json& shield = trace[raised]["shields"][0];
  EXPECT_EQ(shield["hp"], 30);
  EXPECT_NEAR(shield["opacity"].get<float>(), 0.03f, 1e-6f);
  EXPECT_NEAR(shield["pos"][1].get<float>(), (*red)["pos"][1].get<float>() - 4.5f, 1e-4f);
  EXPECT_NEAR(shield["pos"][2].get<float>(), (*red)["pos"][2].get<float>(), 1e-4f);
  EXPECT_NEAR(trace[raised + 25]["shields"][0]["opacity"].get<float>(), 0.78f, 1e-5f);
  EXPECT_NEAR(trace[raised + 26]["shields"][0]["opacity"].get<float>(), 0.8f, 1e-6f);
}

#endif
