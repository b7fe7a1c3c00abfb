// SPDX-License-Identifier: GPL-3.0-or-later
// The Delaunay triangulation in plan of a set of distinct positions, built straight into flat
// arrays: three vertex indices and three neighbours per triangle, nothing per vertex. This is
// what a surface without break lines or swaps keeps, so a large survey costs no more than its
// triangles.
//
// Exact predicates decide everything (see Predicates.h). Where several triangulations are
// Delaunay (four or more cocircular positions), the one made depends only on the positions and
// their order, so the same input always gives the same triangles.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "tin/Geometry.h"

namespace tin {
struct Mesh;
}

namespace tin::detail {

struct FlatTriangulation {
  // Counter-clockwise; side i is the side opposite corner i.
  std::vector<Triangle> triangles;
  // Neighbour across side i, -1 on the convex hull.
  std::vector<std::array<std::int32_t, 3>> neighbours;
};

// Triangulates positions[0..n); the triangles use those indices. All positions must differ
// (std::invalid_argument otherwise). Fewer than three positions, or all on one line, give no
// triangles.
void delaunay(std::span<const Point2> positions, FlatTriangulation& out);

// The same triangles over the plan positions of points, put straight into their canonical
// order (exactly as orderMesh() puts them): fills the triangles, neighbours, vertexTriangle,
// boundarySides and (all clear) breakLineSides of mesh, and leaves its vertices alone. Needs
// far less room than delaunay() followed by orderMesh(): the order is worked out while the
// triangulation still holds its positions close together, and each array is made once.
void delaunayMesh(std::span<const Point3> points, Mesh& mesh);

// A key along a Hilbert curve over the box (x0, y0)-(x1, y1), 16 bits a side: positions with
// near keys lie near each other.
std::uint32_t hilbertKey(double x, double y, double x0, double y0, double x1, double y1);

}  // namespace tin::detail
