#include <vector>

#include "GameTestWorld.h"

namespace {
class PlayerShoveTest : public GameTestWorld {
 protected:
  Player& player() { return *game->player; }

  // Stands the body at the point and lets an enemy of radius 3 lean on it
  // from `behind` for the frames; returns where the body ends.
  float3 ShoveFor(const float3& at, const float3& behind, int frames) {
    player().position = at;
    for (int i = 0; i < frames; ++i) {
      player().world = MatrixTranslation(player().position);
      // The enemy keeps pressing: it stays 3.8 away, an overlap of 2.2.
      player().TouchEnemies({{player().position + behind * 3.8f, 3.0f, 2}});
      player().damageCooldown = 60;
    }
    return player().position;
  }
};
}  // namespace

// An enemy that presses the body against the gatehouse wall (its face at
// z = 0, east of the door gap) holds it where walking would stop, instead of
// shoving it into the wall, where there is no floor to stand on.
TEST_F(PlayerShoveTest, AShoveStopsInFrontOfAWall) {
  const float3 end = ShoveFor({60.0f, 3.0f, -3.5f}, {0.0f, 0.0f, -1.0f}, 40);
  EXPECT_LE(end.z, -3.0f + 1e-3f);
  EXPECT_GT(end.z, -3.6f);
  EXPECT_NEAR(end.x, 60.0f, 1e-3f);
}

// The closed door (its face at z = 1) is no way through either.
TEST_F(PlayerShoveTest, AShoveDoesNotCarryTheBodyThroughTheClosedDoor) {
  const float3 end = ShoveFor({5.0f, 3.0f, -2.5f}, {0.0f, 0.0f, -1.0f}, 40);
  EXPECT_LE(end.z, -2.0f + 1e-3f);
}

// Away from walls, or along them, the shove is the plain half overlap.
TEST_F(PlayerShoveTest, AShoveAlongAWallIsUntouched) {
  const float3 end = ShoveFor({60.0f, 3.0f, -4.0f}, {-1.0f, 0.0f, 0.0f}, 1);
  EXPECT_NEAR(end.x, 61.1f, 1e-3f);
  EXPECT_NEAR(end.z, -4.0f, 1e-3f);
}
