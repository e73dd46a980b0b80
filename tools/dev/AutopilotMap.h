#pragma once

// Where the autopilot can walk: a grid over the stage, found by flooding out
// from the start with the same ray queries the player's own collision makes,
// and the shortest routes across it.

#include <cstdint>
#include <vector>

#include "framework/VelMath.h"

class StageObjects;

class AutopilotMap {
 public:
  // The doors as they stand: a closed door makes its gap unwalkable.
  struct Gates {
    bool doorOpen = false;
    float bossLeft = 0.0f;   // x of the left leaf's meeting edge
    float bossRight = 0.0f;  // x of the right leaf's meeting edge
  };

  static constexpr float kCell = 2.5f;

  // Floods the grid from start over the stage and the airplane (the doors are
  // gates, judged per query).
  void Build(const StageObjects& stage, const float3& start);
  bool Built() const { return !cells.empty(); }

  bool Walkable(float x, float z, const Gates& gates) const;
  // The floor under a walkable point (the player stands 3 above it).
  float Floor(float x, float z) const;
  // Whether the player can walk the straight line from a to b.
  bool LineWalkable(const float3& a, const float3& b, const Gates& gates) const;
  // Waypoints from `from` toward `to` (the nearest walkable cell to it), the
  // first one past `from`; empty when nothing leads there.
  std::vector<float3> FindPath(const float3& from, const float3& to, const Gates& gates) const;
  // The walkable cell centre nearest to p within the radius, or p when none.
  float3 NearestWalkable(const float3& p, float radius, const Gates& gates) const;

  int WalkableCells() const;

 private:
  struct Cell {
    bool reached = false;
    float floor = 0.0f;
    uint8_t edges = 0;  // one bit per neighbour direction the player can step to
  };

  int Index(int ix, int iz) const { return iz * width + ix; }
  bool ToCell(float x, float z, int& ix, int& iz) const;
  float3 Centre(int ix, int iz) const;
  bool GateOpen(int ix, int iz, const Gates& gates) const;

  float originX = -190.0f;
  float originZ = -290.0f;
  int width = 0;
  int depth = 0;
  std::vector<Cell> cells;
};
