// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>

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
// shrinks to one point is dropped; a closed ring that only runs out and back along vertices at
// the level (a ridge exactly at the level) is reported once, as an open polyline.
//
// Each polyline runs with the ground above the level on its left: closed contours around a
// hill run counter-clockwise, around a hollow clockwise.
void traceContours(const Mesh& mesh, std::span<const double> levels, ContourSink& sink);

}  // namespace tin
