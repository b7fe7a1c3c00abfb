// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <span>
#include <vector>

#include "tin/Geometry.h"
#include "tin/Mesh.h"

namespace tin {

struct DrapeOptions {
  // What to do where the line leaves the surface. kNoElevation (-1000000.0) or anything lower,
  // or NaN, means "no elevation there": the stretches off the surface are dropped and the line
  // comes back in pieces, one per stretch on the surface. Any other value is used as the
  // elevation of the input vertices (and arc points) off the surface, and the result is one
  // piece that also keeps the off-surface vertices.
  double offSurfaceZ = kNoElevation;
  // Arcs are followed by chords that stay within chordTolerance of the arc (drawing units) and
  // turn by at most maxChordAngle (radians) each.
  double chordTolerance = 0.005;
  double maxChordAngle = 5.0 * 3.14159265358979323846 / 180.0;
};

struct DrapeResult {
  bool ok = false;  // at least one piece
  std::vector<std::vector<Point3>> pieces;
};

// The plan polyline that the points and bulges describe. Bulge i belongs to the stretch from
// point i to point i + 1, as in lightweight polylines: tan(angle / 4), positive for
// counter-clockwise; the bulge of the last point is not used and missing bulges count as 0.
std::vector<Point2> flattenBulges(std::span<const Point3> points, std::span<const double> bulges,
                                  const DrapeOptions& options);

using MeshLocator = std::function<MeshLocation(const Point2&)>;

// Drapes the polyline over the mesh: every vertex of the flattened polyline on the surface gets
// the surface elevation, and every crossing of a triangle side becomes a vertex with the
// elevation interpolated along that side. Where the line passes through a mesh vertex, that
// vertex is used. Repeated points are dropped; a piece needs two points. Non-finite input
// coordinates or bulges make the drape fail.
DrapeResult drape(const Mesh& mesh, const MeshLocator& locate, std::span<const Point3> points,
                  std::span<const double> bulges, const DrapeOptions& options);

}  // namespace tin
