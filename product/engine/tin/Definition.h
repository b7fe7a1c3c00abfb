// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
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

// The triangulation of a surface as it stands, kept beside its definition so that loading is
// a read and not a triangulation (Surface::saved(), Surface::fromSaved()). Vertices 0..n-1
// are the definition's points; the others follow.
struct SavedTriangulation {
  // False: a surface of points alone, in the order its build gave. True: the editable
  // triangulation that break lines, swaps, later points or a limit made of it.
  bool editable = false;
  std::vector<Point3> extraVertices;  // break-line ends that are no point, crossings
  std::vector<Triangle> triangles;    // counter-clockwise
  std::vector<std::vector<std::int32_t>> chains;  // each break line's vertices, end to end
  // Swapped diagonals as made on the constrained Delaunay triangulation, in order: the new
  // diagonal u-v, then the one it replaced a-b.
  std::vector<std::array<std::int32_t, 4>> flips;
  std::vector<std::uint8_t> swapsMade;  // per swap of the definition: made now (1) or not (0)
  // Each triangle's neighbours as a file's links gave them (decodeLinks(): mutual, which the
  // load takes without checking again); empty: worked out from the triangles. saved() leaves
  // them empty, the writer takes them from the mesh (Surface::savedNeighbours()).
  std::vector<std::array<std::int32_t, 3>> neighbours;
  friend bool operator==(const SavedTriangulation&, const SavedTriangulation&) = default;
};

}  // namespace tin
