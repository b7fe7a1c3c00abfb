// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "tin/Mesh.h"

namespace tin {

// Point location on a mesh that covers its convex hull (no triangles peeled off): a walk from
// a nearby triangle across the sides that the point lies beyond, decided by exact orientation
// tests. Leaving through a side where the surface ends means the point lies off the surface.
// A coarse grid over the mesh gives one query a start near its point. A point on a side or a
// corner is told by the triangle of smallest index there (canonicalLocation()), so each answer
// is the very one any other walk gets, whichever way it came.
//
// Where the walk may leave by two sides it picks one at random (from a fixed seed), which ends on
// any triangulation, Delaunay or not; after an absurd number of steps every triangle is tried.
// The grid is filled from a sample of the triangles and the walk reads the mesh itself, so that
// the first query on a large surface costs a few milliseconds, not a copy of the mesh; as the
// queries add up the grid is filled again from a larger sample, down to one triangle in two.
// Holds a reference to the mesh, which must outlive it and not change.
class PointLocator {
 public:
  explicit PointLocator(const Mesh& mesh);

  MeshLocation locate(const Point2& p) const;

 private:
  static constexpr std::size_t kFirstStride = 32, kLastStride = 2;
  // The grid from every stride-th triangle.
  void fill(std::size_t stride) const;
  std::int32_t hint(const Point2& p) const;
  // Ends with `last` the triangle it stopped in (where it left the surface, for a point off it).
  MeshLocation walk(std::int32_t start, const Point2& p, std::uint32_t& seed, std::int32_t& last) const;
  const Point3& corner(std::int32_t t, int i) const { return mesh_.corner(t, i); }

  const Mesh& mesh_;
  // The grid, filled again as queries add up.
  mutable double x0_ = 0, y0_ = 0, x1_ = 0, y1_ = 0, inv_ = 1;
  mutable std::int64_t nx_ = 0, ny_ = 0;
  mutable std::vector<std::int32_t> cells_;
  mutable std::size_t stride_ = kFirstStride, queries_ = 0;
};

// Many points at once on a mesh that covers its convex hull, with nothing built for the call
// (a structure over a 4M-point mesh cost more than the million queries): the points are
// visited along a curve, each walk starting where the one before ended and following the line
// from that query. On a mesh that keeps the cells of its own curve (Mesh::curveCells, left by
// the build, or found again when the mesh is read back), the points follow that curve, and a
// point in another cell than the one before starts at a triangle of its own cell instead: on a
// large mesh a few steps instead of the many to the point before. Otherwise they follow a
// Hilbert curve. The curve is cut into a few stretches walked side by side, a step of each in
// turn, and each step asks for what the stretch's next step reads: the corners of a mesh lie
// where the survey put its points, often scattered, and one walk alone waits on memory at each
// step.
// triangles[i] (when given) receives the triangle at points[i] as locate() names it, -1 off the
// surface or for a coordinate that is no number; z[i] (when given) the elevation there by the
// plane of that triangle (planeElevation()), NaN off the surface.
void locateMany(const Mesh& mesh, PlanView points, std::int32_t* triangles, double* z);

}  // namespace tin
