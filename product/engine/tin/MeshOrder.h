// SPDX-License-Identifier: GPL-3.0-or-later
// The steps of the canonical mesh order (see orderMesh() in Mesh.h), shared by orderMesh() and
// the triangulation that builds a mesh straight in that order.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "tin/Geometry.h"
#include "tin/Mesh.h"

namespace tin::detail {

// The 32 bits of v spread to the even bits of the result, a byte at a time from a table (the
// curve keys of a large mesh are millions of these).
struct SpreadTable {
  std::uint16_t bits[256];
  constexpr SpreadTable() : bits() {
    for (unsigned v = 0; v < 256; ++v) {
      unsigned out = 0;
      for (int b = 0; b < 8; ++b) out |= ((v >> b) & 1u) << (2 * b);
      bits[v] = static_cast<std::uint16_t>(out);
    }
  }
};
inline constexpr SpreadTable kSpread;
inline std::uint64_t spreadBits(std::uint32_t v) {
  return std::uint64_t{kSpread.bits[v & 0xFFu]} | std::uint64_t{kSpread.bits[(v >> 8) & 0xFFu]} << 16 |
         std::uint64_t{kSpread.bits[(v >> 16) & 0xFFu]} << 32 | std::uint64_t{kSpread.bits[v >> 24]} << 48;
}

// A coordinate's cell on the curve, 32 bits a side: clamped to the range, which int64 holds
// exactly (a conversion straight to uint64 costs more).
inline std::uint32_t curveCell(double scaled) {
  return static_cast<std::uint32_t>(static_cast<std::int64_t>(std::clamp(scaled, 0.0, 4294967295.0)));
}

// A triangle that takes no part in the order.
inline constexpr std::uint64_t kNoPlace = ~std::uint64_t{0};

// MeshCurve::key, here to be inlined where a build keys millions of triangles: the centroid's
// place. Never kNoPlace: a centroid in the last cell both ways (a triangle far smaller than the
// extents, at their corner) takes the place just before, or it would be dropped as no triangle.
inline std::uint64_t curveKey(const MeshCurve& curve, const Point2& a, const Point2& b, const Point2& c) {
  const double cx = (a.x - curve.x0) + (b.x - curve.x0) + (c.x - curve.x0);
  const double cy = (a.y - curve.y0) + (b.y - curve.y0) + (c.y - curve.y0);
  return std::min(spreadBits(curveCell(cx / 3.0 * curve.sx)) | (spreadBits(curveCell(cy / 3.0 * curve.sy)) << 1),
                  kNoPlace - 1);
}

// The place of plan point p on the curve.
inline std::uint64_t curveKey(const MeshCurve& curve, const Point2& p) {
  return spreadBits(curveCell((p.x - curve.x0) * curve.sx)) | (spreadBits(curveCell((p.y - curve.y0) * curve.sy)) << 1);
}

// The cells (Mesh::curveCells) for a mesh of `triangles` triangles: a few triangles each, as the
// buckets of renumberAlongCurve(), but not capped (a walk's steps cost more than the room).
// cells.first is made ready to fill: every cell without its first triangle (-1).
void prepareCells(CurveCells& cells, std::size_t triangles);
// Once filled: an empty cell starts where the next one does, and the last cell ends at the
// last triangle.
void closeCells(CurveCells& cells, std::size_t triangles);

// place[t] is triangle t's place on meshCurve() (kNoPlace for none); afterwards it is its index
// in the order of places, equal places ordered by corners(t) (its point indices from the
// smallest on, compared in turn). Returns the number of triangles ordered. Sorts bucket by
// bucket on the places' top bits, each bucket in a small buffer: no second copy of the places.
// cells (when given, its curve set) receives where each of its cells begins (Mesh::curveCells).
std::size_t renumberAlongCurve(std::vector<std::uint64_t>& place, const std::function<Triangle(std::int32_t)>& corners,
                               CurveCells* cells = nullptr);

// The cells of a mesh read back in the order it was saved in (Mesh::curveCells), told its triangles
// one by one, in turn, while they are read. A mesh built in canonical order lies along the
// curve; its edits since put new triangles at the end or in the places of those they replaced,
// anywhere. So a triangle counts only where it lies on the curve between the triangles a few
// places before and after it, and an edit's triangles among others do not move the cells.
// Where too many do not count, the mesh is in another order and gets no cells, as a start in a
// point's cell could lie anywhere.
class CellsInOrder {
 public:
  CellsInOrder(std::span<const Point3> vertices, std::size_t triangleCount);
  void add(const Point2& a, const Point2& b, const Point2& c) {
    const std::uint64_t cell = curveKey(cells_.curve, a, b, c) >> (64 - cells_.bits);
    ring_[told_ % kRing] = cell;
    if (told_ >= kSpan) decide(told_ - kSpan, cell);
    ++told_;
  }
  CurveCells finish();

 private:
  static constexpr std::size_t kSpan = 8, kRing = 32;  // the ring holds 2 * kSpan + 1 and more
  // Triangle t, by the cell of the one kSpan places on (before it, the first triangle's cell
  // at the least).
  void decide(std::size_t t, std::uint64_t later) {
    const std::uint64_t cell = ring_[t % kRing];
    const std::uint64_t earlier = t >= kSpan ? ring_[(t - kSpan) % kRing] : 0;
    if (cell < earlier || cell > later) {
      ++skipped_;
      return;
    }
    if (cells_.first[cell] < 0) cells_.first[cell] = static_cast<std::int32_t>(t);
  }

  CurveCells cells_;
  std::size_t count_, told_ = 0, skipped_ = 0;
  std::uint64_t ring_[kRing] = {};
};

// Fills vertexTriangle (the first triangle at each of vertexCount vertices) and boundarySides
// (in triangle order) from the triangles and neighbours of mesh.
void indexVerticesAndBoundary(Mesh& mesh, std::size_t vertexCount);

}  // namespace tin::detail
