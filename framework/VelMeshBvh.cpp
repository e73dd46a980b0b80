#include "framework/VelMeshBvh.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "framework/VelRayTriangle.h"

namespace {

constexpr uint32_t kLeafFaces = 4;
constexpr int kBins = 16;
constexpr float kInf = std::numeric_limits<float>::infinity();

// Boxes grow by this share of their coordinates' size so rounding in the
// triangle test can never put a hit just outside the box that holds it.
constexpr float kPad = 1e-5f;
// Pruning by distance keeps the same margin for the same reason.
constexpr float kPruneMargin = 1.0f + 1e-4f;
// Faces flatter than this go on the list every ray tests.
constexpr double kSliver = 1e-3;

struct Box {
  float3 lo{kInf, kInf, kInf};
  float3 hi{-kInf, -kInf, -kInf};

  void Grow(const Box& b) {
    lo = {std::min(lo.x, b.lo.x), std::min(lo.y, b.lo.y), std::min(lo.z, b.lo.z)};
    hi = {std::max(hi.x, b.hi.x), std::max(hi.y, b.hi.y), std::max(hi.z, b.hi.z)};
  }
  void Grow(const float3& p) {
    lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
    hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
  }
  float HalfArea() const {
    const float3 d = hi - lo;
    return d.x * d.y + d.y * d.z + d.z * d.x;
  }
};

float Axis(const float3& v, int axis) {
  return axis == 0 ? v.x : axis == 1 ? v.y : v.z;
}

bool IsFinite(const float3& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

struct Ref {
  Box box;
  float3 centre;
  uint32_t triangle;
};

// A triangle's padded box.
Ref MakeRef(const VelBvhTriangle& t, uint32_t index) {
  Ref r;
  r.triangle = index;
  r.box.Grow(t.p0);
  r.box.Grow(t.p1);
  r.box.Grow(t.p2);
  const float size = std::max({std::fabs(r.box.lo.x), std::fabs(r.box.lo.y), std::fabs(r.box.lo.z),
                               std::fabs(r.box.hi.x), std::fabs(r.box.hi.y), std::fabs(r.box.hi.z)});
  const float pad = size * kPad + 1e-30f;
  r.box.lo -= float3{pad, pad, pad};
  r.box.hi += float3{pad, pad, pad};
  r.centre = (r.box.lo + r.box.hi) * 0.5f;
  return r;
}

// Whether the triangle test's hits on this face stay inside its box. On a
// sliver (or a face with a non-finite corner) the test's rounding can report
// a hit anywhere along the ray, so such faces are tested for every ray, as
// the face walk tests them.
bool StaysInBox(const VelBvhTriangle& t) {
  if (!IsFinite(t.p0) || !IsFinite(t.p1) || !IsFinite(t.p2)) return false;
  auto d = [](const float3& a, const float3& b) {
    return std::array<double, 3>{double(a.x) - b.x, double(a.y) - b.y, double(a.z) - b.z};
  };
  const auto e1 = d(t.p1, t.p0), e2 = d(t.p2, t.p0), e3 = d(t.p2, t.p1);
  const double cx = e1[1] * e2[2] - e1[2] * e2[1], cy = e1[2] * e2[0] - e1[0] * e2[2],
               cz = e1[0] * e2[1] - e1[1] * e2[0];
  auto sq = [](const std::array<double, 3>& v) { return v[0] * v[0] + v[1] * v[1] + v[2] * v[2]; };
  const double longest = std::max({sq(e1), sq(e2), sq(e3)});
  // Twice the area against the longest edge squared: the sine of the
  // smallest angle, roughly; the test's rounding grows as it shrinks.
  return std::sqrt(cx * cx + cy * cy + cz * cz) >= kSliver * longest && longest > 0;
}

class Builder {
 public:
  Builder(std::vector<Ref>& refs, std::vector<VelMeshBvh::Node>& nodes) : refs_(refs), nodes_(nodes) {}

  void Build(uint32_t begin, uint32_t end, int depth) {
    const size_t index = nodes_.size();
    nodes_.emplace_back();
    Box bounds, centres;
    for (uint32_t i = begin; i < end; ++i) {
      bounds.Grow(refs_[i].box);
      centres.Grow(refs_[i].centre);
    }
    nodes_[index].lo = bounds.lo;
    nodes_[index].hi = bounds.hi;
    const uint32_t count = end - begin;
    if (count <= kLeafFaces || depth >= VelMeshBvh::kMaxDepth - 1) {
      nodes_[index].start = begin;
      nodes_[index].count = count;
      return;
    }
    const uint32_t mid = Split(begin, end, centres);
    Build(begin, mid, depth + 1);
    nodes_[index].start = uint32_t(nodes_.size());
    Build(mid, end, depth + 1);
  }

 private:
  // Binned surface-area split along the centres' longest axis; an even split
  // by position along it when the bins cannot separate the faces.
  uint32_t Split(uint32_t begin, uint32_t end, const Box& centres) {
    const float3 extent = centres.hi - centres.lo;
    const int axis = extent.x >= extent.y && extent.x >= extent.z ? 0 : extent.y >= extent.z ? 1 : 2;
    const float lo = Axis(centres.lo, axis);
    const float width = Axis(extent, axis);
    if (width > 0 && std::isfinite(width)) {
      const float scale = kBins / width;
      auto binOf = [&](const Ref& r) {
        const float f = (Axis(r.centre, axis) - lo) * scale;
        return f >= kBins - 1 ? kBins - 1 : f > 0 ? int(f) : 0;
      };
      Box binBox[kBins];
      uint32_t binCount[kBins] = {};
      for (uint32_t i = begin; i < end; ++i) {
        const int b = binOf(refs_[i]);
        binBox[b].Grow(refs_[i].box);
        ++binCount[b];
      }
      // Cost of splitting after bin k: left area x left count + right area x right count.
      float rightCost[kBins] = {};
      Box right;
      uint32_t rightCount = 0;
      for (int k = kBins - 1; k > 0; --k) {
        right.Grow(binBox[k]);
        rightCount += binCount[k];
        rightCost[k] = right.HalfArea() * float(rightCount);
      }
      Box left;
      uint32_t leftCount = 0;
      int bestSplit = -1;
      float bestCost = kInf;
      for (int k = 0; k < kBins - 1; ++k) {
        left.Grow(binBox[k]);
        leftCount += binCount[k];
        const float cost = left.HalfArea() * float(leftCount) + rightCost[k + 1];
        if (leftCount > 0 && leftCount < end - begin && cost < bestCost) {
          bestCost = cost;
          bestSplit = k;
        }
      }
      if (bestSplit >= 0) {
        Ref* mid = std::partition(refs_.data() + begin, refs_.data() + end,
                                  [&](const Ref& r) { return binOf(r) <= bestSplit; });
        return uint32_t(mid - refs_.data());
      }
    }
    const uint32_t mid = begin + (end - begin) / 2;
    std::nth_element(
        refs_.begin() + begin, refs_.begin() + mid, refs_.begin() + end,
        [axis](const Ref& a, const Ref& b) { return Axis(a.centre, axis) < Axis(b.centre, axis); });
    return mid;
  }

  std::vector<Ref>& refs_;
  std::vector<VelMeshBvh::Node>& nodes_;
};

// Entry distance of the ray into the box, or false when it misses the box or
// enters it beyond limit. Axes the ray does not move along only test the origin.
bool EnterBox(const VelMeshBvh::Node& n, const float3& o, const float3& inv, const bool flat[3], float limit,
              float* entry) {
  float tNear = 0, tFar = limit;
  const float los[3] = {n.lo.x, n.lo.y, n.lo.z};
  const float his[3] = {n.hi.x, n.hi.y, n.hi.z};
  const float os[3] = {o.x, o.y, o.z};
  const float invs[3] = {inv.x, inv.y, inv.z};
  for (int a = 0; a < 3; ++a) {
    if (flat[a]) {
      if (os[a] < los[a] || os[a] > his[a]) return false;
      continue;
    }
    float t1 = (los[a] - os[a]) * invs[a];
    float t2 = (his[a] - os[a]) * invs[a];
    if (t1 > t2) std::swap(t1, t2);
    tNear = std::max(tNear, t1);
    tFar = std::min(tFar, t2);
    if (!(tNear <= tFar)) return false;
  }
  *entry = tNear;
  return true;
}

}  // namespace

void VelMeshBvh::Build(const std::vector<float3>& positions, const std::vector<VelFace>& faces) {
  Nodes.clear();
  Triangles.clear();
  Loose.clear();
  std::vector<VelBvhTriangle> triangles;
  triangles.reserve(faces.size());
  const size_t count = positions.size();
  for (size_t i = 0; i < faces.size(); ++i) {
    const VelFace& f = faces[i];
    if (f.indices[0] >= count || f.indices[1] >= count || f.indices[2] >= count) continue;
    const VelBvhTriangle t{positions[f.indices[0]], positions[f.indices[1]], positions[f.indices[2]],
                           uint32_t(i)};
    if (StaysInBox(t)) {
      triangles.push_back(t);
    } else {
      Loose.push_back(t);
    }
  }
  if (triangles.empty()) return;
  std::vector<Ref> refs;
  refs.reserve(triangles.size());
  for (size_t i = 0; i < triangles.size(); ++i) refs.push_back(MakeRef(triangles[i], uint32_t(i)));
  Nodes.reserve(2 * triangles.size() / kLeafFaces + 1);
  Builder(refs, Nodes).Build(0, uint32_t(refs.size()), 0);
  Triangles.reserve(refs.size());
  for (const Ref& r : refs) Triangles.push_back(triangles[r.triangle]);
}

bool VelMeshBvh::Nearest(const float3& o, const float3& dir, float length, float& best,
                         const VelBvhTriangle*& hit) const {
  const VelBvhTriangle* found = nullptr;
  // Faces are taken in any order, so equal distances are settled by face index.
  auto consider = [&](const VelBvhTriangle& tri) {
    float t;
    if (!VelRayTriangle(o, dir, tri.p0, tri.p1, tri.p2, &t)) return false;
    const float distance = t / length;
    if (!(distance < best || (found && distance == best && tri.face < found->face))) return false;
    best = distance;
    found = &tri;
    return true;
  };
  for (const VelBvhTriangle& tri : Loose) consider(tri);
  if (Nodes.empty()) {
    if (!found) return false;
    hit = found;
    return true;
  }
  const bool flat[3] = {dir.x == 0, dir.y == 0, dir.z == 0};
  const float3 inv{flat[0] ? 0 : 1 / dir.x, flat[1] ? 0 : 1 / dir.y, flat[2] ? 0 : 1 / dir.z};
  // A NaN limit (from a degenerate length) prunes nothing; the triangle test
  // then rejects what the face walk rejects.
  float limit = best * length * kPruneMargin;
  if (std::isnan(limit)) limit = kInf;

  uint32_t stack[kMaxDepth];
  int top = 0;
  float entry;
  if (EnterBox(Nodes[0], o, inv, flat, limit, &entry)) stack[top++] = 0;
  while (top > 0) {
    const Node& n = Nodes[stack[--top]];
    if (n.count > 0) {
      for (uint32_t i = n.start; i < n.start + n.count; ++i) {
        if (consider(Triangles[i])) limit = std::isnan(best * length) ? kInf : best * length * kPruneMargin;
      }
      continue;
    }
    // Children are re-tested against the current limit; the nearer is walked first.
    const uint32_t a = uint32_t(&n - Nodes.data()) + 1;
    const uint32_t b = n.start;
    float ea, eb;
    const bool hitA = EnterBox(Nodes[a], o, inv, flat, limit, &ea);
    const bool hitB = EnterBox(Nodes[b], o, inv, flat, limit, &eb);
    if (hitA && hitB) {
      if (ea <= eb) {
        stack[top++] = b;
        stack[top++] = a;
      } else {
        stack[top++] = a;
        stack[top++] = b;
      }
    } else if (hitA) {
      stack[top++] = a;
    } else if (hitB) {
      stack[top++] = b;
    }
  }
  if (!found) return false;
  hit = found;
  return true;
}
