#include "framework/VelMesh.h"

#include <cstdint>
#include <limits>

#include "framework/VelGraphicsDevice.h"

bool VelMesh::Create(const std::vector<VelModelVertex>& vertices, const std::vector<VelFace>& faces,
                     const std::vector<VelSubset>& subsets, std::shared_ptr<const VelMeshBvh> bvh) {
  Release();
  Subsets = subsets;
  constexpr size_t kMaxBytes = std::numeric_limits<uint32_t>::max();
  if (!vertices.empty()) {
    if (vertices.size() <= kMaxBytes / sizeof(VelModelVertex)) {
      vertexBuffer.Create(VelBind::VertexBuffer, uint32_t(vertices.size() * sizeof(VelModelVertex)),
                          VelUsage::Default, vertices.data());
    }
    Positions.reserve(vertices.size());
    for (const VelModelVertex& v : vertices) Positions.push_back(v.position);
  }
  if (!faces.empty()) {
    if (faces.size() <= kMaxBytes / sizeof(VelFace)) {
      indexBuffer.Create(VelBind::IndexBuffer, uint32_t(faces.size() * sizeof(VelFace)), VelUsage::Default,
                         faces.data());
    }
    Faces = faces;
    if (!bvh) {
      auto built = std::make_shared<VelMeshBvh>();
      built->Build(Positions, Faces);
      bvh = std::move(built);
    }
    Bvh = std::move(bvh);
  }
  return true;
}

void VelMesh::Release() {
  vertexBuffer.Release();
  indexBuffer.Release();
  Subsets.clear();
  Positions.clear();
  Faces.clear();
  Bvh.reset();
}

void VelMesh::SetToDevice() const {
  VelGraphicsDevice& device = VelGraphicsDevice::GetInstance();
  device.SetVertexBuffer(&vertexBuffer, sizeof(VelModelVertex), 0);
  device.SetIndexBuffer(&indexBuffer);
  device.SetTopology(VelTopology::TriangleList);
}

void VelMesh::DrawSubset(size_t index) const {
  if (index >= Subsets.size()) return;
  const VelSubset& s = Subsets[index];
  if (s.faceCount == 0 || s.faceStart > Faces.size() || s.faceCount > Faces.size() - s.faceStart) return;
  VelGraphicsDevice::GetInstance().DrawIndexed(s.faceCount * 3, s.faceStart * 3, 0);
}
