#pragma once

// What the ray queries have cost so far, for the benchmarks: RayToModel calls
// (RayPushOut's included) and, while timing is on, the time spent in them.
// Kept by framework/VelCollision.cpp. Main thread only.

#include <cstdint>

struct VelRayQueryStats {
  uint64_t queries = 0;
  uint64_t nanoseconds = 0;
};

VelRayQueryStats& VelRayStats();
void VelTimeRayQueries(bool on);
