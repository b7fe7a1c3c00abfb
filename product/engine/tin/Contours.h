// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "tin/Geometry.h"
#include "tin/Mesh.h"

namespace tin {

// Receives contour polylines. A closed polyline does not repeat its first point at the end.
class ContourSink {
 public:
  virtual ~ContourSink() = default;
  virtual void addContour(double level, std::span<const Point3> points, bool closed) = 0;
};

// Traces the contours of each level over the mesh and hands every polyline to the sink, level
// by level in ascending order; within a level, open polylines (which end where the surface
// ends) come before closed ones.
//
// A vertex exactly at the level counts as above it. Every triangle then has either no crossing
// or exactly one segment, each crossed side is shared by at most two segments, and the pieces
// join into polylines without branches, duplicates or dangling ends. Vertices lie where the
// level crosses a side, interpolated linearly along it, with z equal to the level. Where the
// contour passes through a vertex at the level, the repeated point is dropped; a piece that
// shrinks to one point (a summit exactly at the level) is dropped. A ridge exactly at the level
// is passed on both sides at no distance; where that makes a whole closed ring that runs out
// and back, or two open polylines that are each other reversed, the ridge is reported once,
// as an open polyline. Where only part of a polyline runs out and back along such a ridge,
// that part is kept as it is.
//
// Each polyline runs with the ground above the level on its left: closed contours around a
// hill run counter-clockwise, around a hollow clockwise.
void traceContours(const Mesh& mesh, std::span<const double> levels, ContourSink& sink);

// The triangles of a mesh by height. A contour command asks for its levels one at a time, and
// without an index each level visits every triangle: on a surface of ten million points that
// was most of the command's time. Sorted by their lowest corner and cut into blocks that know
// their highest corner, the triangles a level crosses are found by visiting only the blocks
// that reach the level. Built for one mesh; rebuild it when the mesh changes.
class LevelIndex {
 public:
  explicit LevelIndex(const Mesh& mesh);

  // The triangles of `mesh` (the one the index was built for) with a corner below the level and
  // one at or above it, in ascending order, into `out`.
  void crossing(const Mesh& mesh, double level, std::vector<std::int32_t>& out) const;

 private:
  static constexpr std::size_t kBlock = 256;
  std::vector<std::int32_t> byLow_;   // triangles by their lowest corner
  std::vector<double> blockLow_;      // per block of kBlock: the lowest corner of its first
  std::vector<double> blockHigh_;     // ... and the highest corner of any of its triangles
};

// The same contours as traceContours for one level, visiting only what the index finds.
void traceContour(const Mesh& mesh, const LevelIndex& index, double level, ContourSink& sink);

}  // namespace tin
