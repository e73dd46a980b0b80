#pragma once

// A bounding-volume hierarchy over one mesh's faces, built once when the mesh
// is created, so a ray tests only the faces whose boxes it passes through.

#include <cstdint>
#include <vector>

#include "framework/VelMath.h"
#include "framework/VelModelVertex.h"

struct VelBvhTriangle {
  float3 p0, p1, p2;
  // The face's index in the mesh's face list.
  uint32_t face = 0;
};

class VelMeshBvh {
 public:
  // Faces with an index outside the positions are left out: ray queries skip them.
  void Build(const std::vector<float3>& positions, const std::vector<VelFace>& faces);

  // The nearest face hit by a ray in the mesh's space (o, unit direction dir),
  // its distance measured as t / length exactly as the face-by-face walk
  // measures it. Takes a hit only when it is nearer than best, or as near as a
  // hit it took itself with a higher face index, so the answer is that of
  // testing every face in order. On a hit writes best and the triangle and
  // returns true. Allocates nothing.
  bool Nearest(const float3& o, const float3& dir, float length, float& best,
               const VelBvhTriangle*& hit) const;

  // Interior nodes have count 0, their first child right after them and the
  // second at start; leaves hold triangles [start, start + count).
  struct Node {
    float3 lo, hi;
    uint32_t start = 0;
    uint32_t count = 0;
  };
  std::vector<Node> Nodes;
  // In leaf order.
  std::vector<VelBvhTriangle> Triangles;
  // Slivers and faces with non-finite corners, whose test can report hits
  // outside any box: every ray tests them.
  std::vector<VelBvhTriangle> Loose;

  // The walk keeps a fixed stack of this many entries; the build never goes deeper.
  static constexpr int kMaxDepth = 48;
};
