#pragma once

// What the OpenGL backend was asked to do, for the benchmarks: draw calls and
// state binds (each blend, depth, rasterizer, sampler, shader, constant-buffer
// and texture bind the device passes on), and shader programs linked. Main
// thread only.

#include <cstdint>

struct VelGlStats {
  uint64_t draws = 0;
  uint64_t stateBinds = 0;
  uint64_t programsLinked = 0;
};

VelGlStats& VelGlCounters();
// Waits until the GPU has finished every command issued so far.
void VelGlFinish();
