#pragma once

// A player made of code: it plays the game from the title to the clear screen
// and back with nothing but a player's input (keys, mouse buttons and mouse
// motion). It reads the scene to decide, the way a player reads the screen,
// and never writes to it.

#include <cstdint>
#include <vector>

#include "framework/VelMath.h"
#include "tools/dev/AutopilotMap.h"
#include "tools/dev/RunScript.h"

class C_Enemy;
class GameScene;
class Scene;
class TitleScene;

class Autopilot {
 public:
  // The input for the frame about to run, from the scene as the last frame
  // left it. `cursor` is where the pointer is, in client pixels.
  RunFrameInput Decide(const Scene* scene, bool sceneChangePending, int cursorX, int cursorY);

  // Back on the title after the clear screen: the run is over.
  bool Finished() const { return finished; }
  bool Cleared() const { return cleared; }
  int Deaths() const { return deaths; }
  // What the last play-through showed when it was left or is now.
  int LastKill() const { return lastKill; }
  int LastHp() const { return lastHp; }

 private:
  struct Sighting {
    const C_Enemy* enemy = nullptr;
    float3 position;
    float3 velocity;
    float distance = 0.0f;
    bool visible = false;
    bool shielded = false;  // a boss shield stands between the gun and it
  };
  struct Track {
    const C_Enemy* enemy;
    float3 position;
  };

  RunFrameInput OnTitle(const TitleScene& title);
  RunFrameInput OnGame(const GameScene& game);
  RunFrameInput Play(const GameScene& game);
  // Glides the pointer to a screen button (centred screen coordinates) and
  // clicks once it is there.
  RunFrameInput ClickButton(const float4x4& buttonTransform, bool ready);

  std::vector<Sighting> LookAround(const GameScene& game);
  bool Visible(const GameScene& game, const float3& point) const;
  // Yaw and pitch that put the camera's centre ray through the point.
  void AimAt(const GameScene& game, const float3& point, float& yaw, float& pitch) const;
  // World-space direction to walk in, and whether a goal on the route pulls.
  float3 RouteDirection(const GameScene& game, const float3& goal);
  float3 Evade(const GameScene& game, const std::vector<Sighting>& seen) const;
  // The keys (out of the eight walking directions) closest to the wanted
  // direction that lead onto walkable ground.
  void ChooseKeys(const GameScene& game, const float3& wanted, RunFrameInput& input) const;
  AutopilotMap::Gates GatesOf(const GameScene& game) const;

  const Scene* scene = nullptr;
  long sceneFrames = 0;
  bool titleClicked = false;
  bool sawClear = false;
  bool cleared = false;
  bool finished = false;
  int deaths = 0;
  bool deathCounted = false;
  int lastKill = 0;
  int lastHp = 0;
  int cursorX = 640;
  int cursorY = 360;

  AutopilotMap map;
  std::vector<float3> route;
  size_t routeStep = 0;
  float3 routeGoal;
  int routeAge = 0;
  std::vector<Track> tracks;
  int strafeSign = 1;
  int strafeFrames = 0;
  int chargeFrames = 0;
  int reloadPresses = 0;
  float3 stuckFrom;
  int stuckFrames = 0;
  int jumpFrames = 0;
  uint32_t noise = 1;
};
