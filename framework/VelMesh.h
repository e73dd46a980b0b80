#pragma once

// One node's geometry on the GPU, with CPU copies of its positions and faces
// and a bounding-volume hierarchy over them for ray queries.

#include <cstddef>
#include <memory>
#include <vector>

#include "framework/VelBuffer.h"
#include "framework/VelMath.h"
#include "framework/VelMeshBvh.h"
#include "framework/VelModelVertex.h"

class VelMesh {
 public:
  // Replaces whatever the mesh held. Positions, faces and the hierarchy are
  // kept even when no device is there to take the buffers, so ray queries work
  // without one. A hierarchy built earlier from the same geometry may be
  // passed in; otherwise one is built here.
  bool Create(const std::vector<VelModelVertex>& vertices, const std::vector<VelFace>& faces,
              const std::vector<VelSubset>& subsets, std::shared_ptr<const VelMeshBvh> bvh = nullptr);
  void Release();
  // Binds the vertex buffer (stride 36), the index buffer and triangle lists.
  void SetToDevice() const;
  // Draws one subset; an index outside the list, an empty subset or one
  // reaching past the faces draws nothing.
  void DrawSubset(size_t index) const;

  VelBuffer vertexBuffer;
  VelBuffer indexBuffer;
  std::vector<VelSubset> Subsets;
  std::vector<float3> Positions;
  std::vector<VelFace> Faces;
  // Over Positions and Faces as Create saw them; null when there are no faces.
  std::shared_ptr<const VelMeshBvh> Bvh;
};
