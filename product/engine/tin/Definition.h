// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "tin/Geometry.h"

namespace tin {

struct SurfaceSettings {
  // See kDefaultPlanTolerance; positions closer than this are one position.
  double planTolerance = kDefaultPlanTolerance;
  // Outer triangles with a side longer than this are peeled off the surface (0: none).
  double maxEdgeLength = 0.0;
  friend bool operator==(const SurfaceSettings&, const SurfaceSettings&) = default;
};

// Everything a surface is made of. Surface::fromDefinition() rebuilds the very same surface
// from it (same triangles, same indices), so this is what a file has to keep.
struct Definition {
  SurfaceSettings settings;
  // Survey points, unique in plan; their order fixes the point indices 0..n-1.
  std::vector<Point3> points;
  // Break lines in the order added. An end that fell within the tolerance of a point or of an
  // earlier break-line end carries that position exactly.
  std::vector<Segment3> breakLines;
  // Swapped diagonals in the order made, as the plan positions of their two ends.
  std::vector<Segment2> swaps;
  friend bool operator==(const Definition&, const Definition&) = default;
};

}  // namespace tin
