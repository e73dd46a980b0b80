#include "tools/dev/AutopilotMap.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <limits>
#include <queue>

#include "framework/VelCollision.h"
#include "game/stage/StageObjects.h"

namespace {
// The player stays this far from what its movement ray meets.
constexpr float kPushDistance = 3.0f;
// A cell must keep the whole body clear of walls, with a little to spare.
constexpr float kClearance = 3.1f;
// Steps lower than the player's ground ray reach are climbed by walking.
constexpr float kMaxStepUp = 2.5f;
constexpr float kMaxDrop = 7.0f;
// The area the player's bounds leave open, and the far end of the arena.
constexpr float kMinX = -187.0f, kMaxX = 180.0f, kMinZ = -287.0f, kMaxZ = 704.0f;

constexpr int kDirections = 8;
constexpr int kDx[kDirections] = {1, 1, 0, -1, -1, -1, 0, 1};
constexpr int kDz[kDirections] = {0, 1, 1, 1, 0, -1, -1, -1};

float NearestHit(const StageObjects& stage, const float3& origin, const float3& direction) {
  const auto parts = stage.CollisionSet();
  float nearest = std::numeric_limits<float>::infinity();
  // The stage and the airplane: the doors open and close, so they are judged
  // when a route is asked for.
  for (int i = 0; i < 2; ++i) {
    float distance = 0.0f;
    float3 normal;
    if (RayToModel(*parts[i].model, *parts[i].world, origin, direction, distance, normal)) {
      nearest = std::min(nearest, distance);
    }
  }
  return nearest;
}

// Walks the body from a (at its standing height) to the point b as the
// player's update does, half a unit a frame: the movement ray stops it within
// its push distance of a wall, the ground ray lifts it onto steps and lets it
// drop. Writes the floor it ends on.
bool WalkStep(const StageObjects& stage, const float3& a, const float3& b, float& floor) {
  const float3 down{0.0f, -1.0f, 0.0f};
  const float3 d{b.x - a.x, 0.0f, b.z - a.z};
  const float length = Length(d);
  const float3 dir = d / length;
  const float drop = NearestHit(stage, {b.x, a.y, b.z}, down);
  if (drop > kMaxDrop + 3.0f) return false;
  // Level ground: only a wall between the two points can stop the body.
  if (std::fabs(drop - 3.0f) < 0.05f) {
    floor = a.y - drop;
    return NearestHit(stage, a, dir) >= length;
  }
  const int steps = static_cast<int>(std::ceil(length / 0.5f));
  float y = a.y;
  for (int i = 1; i <= steps; ++i) {
    const float t = static_cast<float>(i) / static_cast<float>(steps);
    const float3 q{a.x + d.x * t, y, a.z + d.z * t};
    if (NearestHit(stage, q, dir) < kPushDistance) return false;
    const float below = NearestHit(stage, q, down);
    if (below > kMaxDrop + 3.0f) return false;
    y = y - below + 3.0f;
  }
  floor = y - 3.0f;
  return true;
}

int DirectionOf(int dx, int dz) {
  for (int k = 0; k < kDirections; ++k) {
    if (kDx[k] == dx && kDz[k] == dz) return k;
  }
  return -1;
}
}  // namespace

bool AutopilotMap::ToCell(float x, float z, int& ix, int& iz) const {
  ix = static_cast<int>(std::floor((x - originX) / kCell));
  iz = static_cast<int>(std::floor((z - originZ) / kCell));
  return ix >= 0 && iz >= 0 && ix < width && iz < depth;
}

float3 AutopilotMap::Centre(int ix, int iz) const {
  const Cell& cell = cells[Index(ix, iz)];
  return {originX + (static_cast<float>(ix) + 0.5f) * kCell, cell.floor + 3.0f,
          originZ + (static_cast<float>(iz) + 0.5f) * kCell};
}

void AutopilotMap::Build(const StageObjects& stage, const float3& start) {
  width = static_cast<int>(std::ceil((kMaxX + 10.0f - originX) / kCell));
  depth = static_cast<int>(std::ceil((kMaxZ - originZ) / kCell));
  cells.assign(static_cast<size_t>(width) * depth, Cell{});

  const float diagonal = std::sqrt(0.5f);
  auto clear = [&](const float3& p) {
    for (int k = 0; k < kDirections; ++k) {
      float3 dir{static_cast<float>(kDx[k]), 0.0f, static_cast<float>(kDz[k])};
      if (kDx[k] != 0 && kDz[k] != 0) dir = dir * diagonal;
      if (NearestHit(stage, p, dir) <= kClearance) return false;
    }
    return true;
  };

  int sx = 0, sz = 0;
  if (!ToCell(start.x, start.z, sx, sz)) return;
  const float3 startCentre{originX + (sx + 0.5f) * kCell, start.y + 3.0f, originZ + (sz + 0.5f) * kCell};
  const float startDrop = NearestHit(stage, startCentre, {0.0f, -1.0f, 0.0f});
  if (!std::isfinite(startDrop)) return;
  Cell& first = cells[Index(sx, sz)];
  first.reached = true;
  first.floor = startCentre.y - startDrop;

  std::deque<int> open{Index(sx, sz)};
  while (!open.empty()) {
    const int index = open.front();
    open.pop_front();
    const int ax = index % width, az = index / width;
    const float3 a = Centre(ax, az);
    for (int k = 0; k < kDirections; ++k) {
      const int bx = ax + kDx[k], bz = az + kDz[k];
      if (bx < 0 || bz < 0 || bx >= width || bz >= depth) continue;
      const int b = Index(bx, bz);
      const float3 bFlat{originX + (bx + 0.5f) * kCell, a.y, originZ + (bz + 0.5f) * kCell};
      if (bFlat.x < kMinX || bFlat.x > kMaxX || bFlat.z < kMinZ || bFlat.z > kMaxZ) continue;
      float floor = 0.0f;
      if (!WalkStep(stage, a, bFlat, floor)) continue;
      if (cells[b].reached && std::fabs(cells[b].floor - floor) > 0.5f) continue;
      const float rise = floor - cells[index].floor;
      if (rise > kMaxStepUp || rise < -kMaxDrop) continue;
      if (!cells[b].reached) {
        if (!clear({bFlat.x, floor + 3.0f, bFlat.z})) continue;
        cells[b].reached = true;
        cells[b].floor = floor;
        open.push_back(b);
      }
      cells[index].edges |= static_cast<uint8_t>(1u << k);
    }
  }
}

bool AutopilotMap::GateOpen(int ix, int iz, const Gates& gates) const {
  const float x = originX + (ix + 0.5f) * kCell, z = originZ + (iz + 0.5f) * kCell;
  // The door stands at z 0.4..5.6 across the gatehouse gap, the boss leaves
  // at z 473..477; the body keeps its push distance from both.
  if (std::fabs(x) < 28.0f && z > -4.0f && z < 10.0f) return gates.doorOpen;
  if (std::fabs(x) < 44.0f && z > 468.0f && z < 482.0f) {
    return x > gates.bossLeft + kClearance && x < gates.bossRight - kClearance;
  }
  return true;
}

bool AutopilotMap::Walkable(float x, float z, const Gates& gates) const {
  int ix = 0, iz = 0;
  if (!ToCell(x, z, ix, iz)) return false;
  return cells[Index(ix, iz)].reached && GateOpen(ix, iz, gates);
}

float AutopilotMap::Floor(float x, float z) const {
  int ix = 0, iz = 0;
  if (!ToCell(x, z, ix, iz)) return 0.0f;
  return cells[Index(ix, iz)].floor;
}

bool AutopilotMap::LineWalkable(const float3& a, const float3& b, const Gates& gates) const {
  int px = 0, pz = 0;
  if (!ToCell(a.x, a.z, px, pz) || !Walkable(a.x, a.z, gates)) return false;
  const float3 d{b.x - a.x, 0.0f, b.z - a.z};
  const int samples = static_cast<int>(std::ceil(Length(d) / (0.25f * kCell)));
  for (int i = 1; i <= samples; ++i) {
    const float t = static_cast<float>(i) / static_cast<float>(samples);
    int ix = 0, iz = 0;
    if (!ToCell(a.x + d.x * t, a.z + d.z * t, ix, iz)) return false;
    if (ix == px && iz == pz) continue;
    const int k = DirectionOf(ix - px, iz - pz);
    if (k < 0 || !(cells[Index(px, pz)].edges & (1u << k)) || !GateOpen(ix, iz, gates)) return false;
    // A diagonal step must not cut a corner the straight steps could not pass.
    if (kDx[k] != 0 && kDz[k] != 0) {
      if (!cells[Index(px + kDx[k], pz)].reached || !cells[Index(px, pz + kDz[k])].reached) return false;
    }
    px = ix;
    pz = iz;
  }
  return true;
}

float3 AutopilotMap::NearestWalkable(const float3& p, float radius, const Gates& gates) const {
  int cx = 0, cz = 0;
  ToCell(p.x, p.z, cx, cz);
  const int reach = static_cast<int>(std::ceil(radius / kCell));
  float best = std::numeric_limits<float>::infinity();
  float3 found = p;
  for (int iz = std::max(0, cz - reach); iz <= std::min(depth - 1, cz + reach); ++iz) {
    for (int ix = std::max(0, cx - reach); ix <= std::min(width - 1, cx + reach); ++ix) {
      if (!cells[Index(ix, iz)].reached || !GateOpen(ix, iz, gates)) continue;
      const float3 c = Centre(ix, iz);
      const float d = (c.x - p.x) * (c.x - p.x) + (c.z - p.z) * (c.z - p.z);
      if (d < best && d <= radius * radius) {
        best = d;
        found = c;
      }
    }
  }
  return found;
}

std::vector<float3> AutopilotMap::FindPath(const float3& from, const float3& to, const Gates& gates) const {
  std::vector<float3> route;
  if (!Built()) return route;
  const float3 start = Walkable(from.x, from.z, gates) ? from : NearestWalkable(from, 8.0f, gates);
  const float3 goal = NearestWalkable(to, 20.0f, gates);
  int sx = 0, sz = 0, gx = 0, gz = 0;
  if (!ToCell(start.x, start.z, sx, sz) || !ToCell(goal.x, goal.z, gx, gz)) return route;
  if (!Walkable(start.x, start.z, gates) || !Walkable(goal.x, goal.z, gates)) return route;

  const int startIndex = Index(sx, sz), goalIndex = Index(gx, gz);
  std::vector<float> cost(cells.size(), std::numeric_limits<float>::infinity());
  std::vector<int> parent(cells.size(), -1);
  std::vector<uint8_t> closed(cells.size(), 0);
  auto heuristic = [&](int ix, int iz) {
    const float dx = std::fabs(static_cast<float>(ix - gx)), dz = std::fabs(static_cast<float>(iz - gz));
    return (std::max(dx, dz) + 0.41421356f * std::min(dx, dz)) * kCell;
  };
  using Entry = std::pair<float, int>;
  std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> open;
  cost[startIndex] = 0.0f;
  open.push({heuristic(sx, sz), startIndex});
  while (!open.empty()) {
    const int index = open.top().second;
    open.pop();
    if (closed[index]) continue;
    closed[index] = 1;
    if (index == goalIndex) break;
    const int ax = index % width, az = index / width;
    for (int k = 0; k < kDirections; ++k) {
      if (!(cells[index].edges & (1u << k))) continue;
      const int bx = ax + kDx[k], bz = az + kDz[k];
      const int b = Index(bx, bz);
      if (closed[b] || !GateOpen(bx, bz, gates)) continue;
      const bool diagonal = kDx[k] != 0 && kDz[k] != 0;
      if (diagonal && (!cells[Index(ax + kDx[k], az)].reached || !cells[Index(ax, az + kDz[k])].reached))
        continue;
      const float next = cost[index] + (diagonal ? 1.41421356f : 1.0f) * kCell;
      if (next < cost[b]) {
        cost[b] = next;
        parent[b] = index;
        open.push({next + heuristic(bx, bz), b});
      }
    }
  }
  if (!closed[goalIndex]) return route;

  std::vector<float3> cellsOnWay;
  for (int at = goalIndex; at != -1; at = parent[at]) cellsOnWay.push_back(Centre(at % width, at / width));
  std::reverse(cellsOnWay.begin(), cellsOnWay.end());
  // Pull the route straight wherever the player can walk the straight line.
  float3 here = from;
  size_t i = 0;
  while (i + 1 < cellsOnWay.size()) {
    size_t j = i + 1;
    while (j + 1 < cellsOnWay.size() && LineWalkable(here, cellsOnWay[j + 1], gates)) ++j;
    route.push_back(cellsOnWay[j]);
    here = cellsOnWay[j];
    i = j;
  }
  if (route.empty()) route.push_back(goal);
  return route;
}

int AutopilotMap::WalkableCells() const {
  return static_cast<int>(std::count_if(cells.begin(), cells.end(), [](const Cell& c) { return c.reached; }));
}
