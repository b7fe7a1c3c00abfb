// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "tin/Geometry.h"

namespace tin {

// Side i of a triangle is the side opposite its vertex i: from v[i+1] to v[i+2].
struct TriangleSide {
  std::int32_t triangle = -1;
  std::int32_t side = -1;
};

// Where a plan point lies on a mesh.
struct MeshLocation {
  enum class Kind { Outside, Face, Edge, Vertex };
  Kind kind = Kind::Outside;
  std::int32_t triangle = -1;
  int index = -1;  // Edge: the side of `triangle`; Vertex: the corner of `triangle`
};

// The curve orderMesh() sorts triangles along: a Morton curve over the box of all vertices.
struct MeshCurve {
  double x0 = 0, y0 = 0, sx = 1, sy = 1;
  // The place of the triangle with corners a, b, c (a the one of smallest point index).
  std::uint64_t key(const Point2& a, const Point2& b, const Point2& c) const;
  // The place of a point, on the same curve.
  std::uint64_t key(const Point2& p) const;
};

// Where walks over a mesh may start: the triangles of a mesh made in canonical order lie along
// `curve`, and those whose places have c as their top `bits` bits (cell c of the curve) are
// first[c] up to first[c + 1]. Edits leave it as it was: a start is then still a triangle near
// its cell, and a walk from anywhere ends right, so it only saves steps. A mesh read back finds
// them again where its triangles still follow the curve (CellsInOrder); empty otherwise.
struct CurveCells {
  MeshCurve curve;
  int bits = 0;
  std::vector<std::int32_t> first;

  std::uint32_t cellOf(const Point2& p) const { return static_cast<std::uint32_t>(curve.key(p) >> (64 - bits)); }
  // The triangle of cell c that p is likeliest near: the cell's triangles follow the curve
  // through it, and p's place among them is guessed from its own place in the cell. -1: none.
  std::int32_t startFor(std::uint32_t c, const Point2& p) const {
    const std::int32_t from = first[c], to = first[c + 1];
    if (to <= from) return -1;
    const std::uint64_t within = (curve.key(p) << bits) >> 48;  // 16 bits
    return from + static_cast<std::int32_t>((static_cast<std::uint64_t>(to - from) * within) >> 16);
  }
};

// A read-only snapshot of a surface: the triangles that make the surface and how they meet.
// It is plain data so that contour tracing, draping and the drawing code need no triangulation
// library. Built by Surface after each change, in a canonical order (see Surface::triangles()).
struct Mesh {
  std::vector<Point3> vertices;  // by point index
  std::vector<Triangle> triangles;
  // Neighbour across side i, -1 where the surface ends (hull, hole or peeled triangle).
  std::vector<std::array<std::int32_t, 3>> neighbours;
  // Bit i set: side i lies on a break line.
  std::vector<std::uint8_t> breakLineSides;
  // One surface triangle at each vertex, -1 for a vertex that no surface triangle uses.
  std::vector<std::int32_t> vertexTriangle;
  // Every side without a neighbour.
  std::vector<TriangleSide> boundarySides;
  // Starts for walks that locate many points at once.
  CurveCells curveCells;

  const Point3& corner(std::int32_t t, int i) const { return vertices[triangles[t].v[i]]; }
};

template <class P>
MeshCurve meshCurve(std::span<const P> vertices) {
  MeshCurve c;
  double x1 = 0, y1 = 0;
  for (std::size_t v = 0; v < vertices.size(); ++v) {
    const P& p = vertices[v];
    c.x0 = v == 0 ? p.x : std::min(c.x0, p.x);
    c.y0 = v == 0 ? p.y : std::min(c.y0, p.y);
    x1 = v == 0 ? p.x : std::max(x1, p.x);
    y1 = v == 0 ? p.y : std::max(y1, p.y);
  }
  c.sx = 4294967295.0 / std::max(x1 - c.x0, 1e-300);
  c.sy = 4294967295.0 / std::max(y1 - c.y0, 1e-300);
  return c;
}

// Puts the triangles into their canonical order: each starts at its smallest point index, and
// they follow a Morton curve through their centroids over the box of all vertices, ties broken
// by point indices. The order depends on the triangles alone, not on how they were made.
// Neighbours and break-line sides (empty: none) move along; vertexTriangle and boundarySides
// are filled afresh. previous, when given, receives for each triangle the index it had before.
void orderMesh(Mesh& mesh, std::vector<std::int32_t>* previous = nullptr);

// Derives neighbours, vertexTriangle and boundarySides from vertices and triangles (all
// triangles counter-clockwise, every side shared by at most two of them).
void linkMesh(Mesh& mesh);
// The rest of linkMesh() for a mesh whose neighbours are there already (decodeLinks()):
// vertexTriangle and boundarySides, and breakLineSides where missing. The corners must name
// vertices.
void completeLinks(Mesh& mesh);

// Every side of every triangle once, as (a < b), in the order of the first triangle that has
// it. Needs the neighbours.
std::vector<Edge> meshEdges(const Mesh& mesh);

// The closed rings where the surface ends, each with the surface on its left: outer rings
// counter-clockwise, holes clockwise. The last point joins the first and is not repeated. The
// ring of largest area comes first. A vertex where two rings touch appears in both.
std::vector<std::vector<Point3>> boundaryRings(const Mesh& mesh);

// Elevation of plan point p on the plane through a, b, c (exactly the corner's z at a corner).
// Inline, as many elevations in one call ask it once each.
inline double planeElevation(const Point3& a, const Point3& b, const Point3& c, const Point2& p) {
  if (p.x == a.x && p.y == a.y) return a.z;
  if (p.x == b.x && p.y == b.y) return b.z;
  if (p.x == c.x && p.y == c.y) return c.z;
  const double bx = b.x - a.x, by = b.y - a.y, cx = c.x - a.x, cy = c.y - a.y;
  const double px = p.x - a.x, py = p.y - a.y;
  const double d = bx * cy - cx * by;
  if (d == 0.0) return a.z;
  const double wb = (px * cy - cx * py) / d;
  const double wc = (bx * py - px * by) / d;
  return a.z + wb * (b.z - a.z) + wc * (c.z - a.z);
}
inline double elevationInTriangle(const Mesh& mesh, std::int32_t t, const Point2& p) {
  return planeElevation(mesh.corner(t, 0), mesh.corner(t, 1), mesh.corner(t, 2), p);
}

// The surface triangles around vertex v (any order).
void trianglesAround(const Mesh& mesh, std::int32_t v, std::vector<std::int32_t>& out);

// The same place told by the triangle of smallest index among those that hold it: a point on
// a side or a corner lies in several, and whichever a walk reached first, every query about
// it then names the same one (and computes its elevation on the same plane).
MeshLocation canonicalLocation(const Mesh& mesh, const MeshLocation& at);

// Triangles whose centroid lies inside the polygon, and edges whose midpoint does (even-odd
// rule of insidePolygon). A centroid is inside exactly one of several polygons that tile the
// plane, so a surface drawn piece by piece has neither gaps nor overlaps.
std::vector<std::int32_t> trianglesInPolygon(const Mesh& mesh, std::span<const Point2> polygon);
std::vector<std::int32_t> edgesInPolygon(const Mesh& mesh, std::span<const Edge> edges,
                                         std::span<const Point2> polygon);

// Plan area, positive for counter-clockwise.
double signedArea(std::span<const Point3> ring);

}  // namespace tin
