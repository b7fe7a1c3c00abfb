// SPDX-License-Identifier: GPL-3.0-or-later
// The constrained Delaunay triangulation under a surface. This header stays free of CGAL:
// everything that includes CGAL lives in Triangulation.cpp, the one heavy translation unit.
//
// Vertices are numbered in the order they are created, from 0, and are never removed. Break
// lines are numbered by the caller. The triangulation knows positions only; elevations and the
// rules for them belong to Surface.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "tin/Delaunay.h"
#include "tin/Geometry.h"
#include "tin/Mesh.h"

namespace tin::detail {

enum class FlipOutcome { Flipped, AlreadyEdge, MissingVertex, NotAdjacent, BreakLine, NotConvex };

class Triangulation {
 public:
  Triangulation();
  ~Triangulation();
  Triangulation(const Triangulation&) = delete;
  Triangulation& operator=(const Triangulation&) = delete;

  void clear();
  std::int32_t vertexCount() const;
  Point2 position(std::int32_t v) const;

  // Inserts the positions (in a spatial order, for speed) and writes the vertex at each into
  // ids; a position where a vertex already is gets that vertex. New vertices are numbered on
  // from vertexCount().
  void insert(std::span<const Point2> positions, std::vector<std::int32_t>& ids);
  // Into an empty triangulation: takes `flat`, the Delaunay triangulation of the positions
  // (see delaunay()), as it is, vertex k at positions[k]. Positions all on one line (no
  // triangles) are inserted one by one; ids says where each went.
  void assign(std::span<const Point2> positions, const FlatTriangulation& flat, std::vector<std::int32_t>& ids);

  // Constrains the segment between vertices a and b as break line `line` (numbers increase with
  // each call). Where it crosses an earlier break line a vertex is created; where it passes
  // through a vertex it is split there.
  void insertBreakLine(std::int32_t line, std::int32_t a, std::int32_t b);
  // The vertices along break line `line`, from its first end to its second.
  void breakLineChain(std::int32_t line, std::vector<std::int32_t>& out) const;
  // The break lines through vertex v, ascending.
  void breakLinesThrough(std::int32_t v, std::vector<std::int32_t>& out) const;

  // The vertex exactly at p or, failing that, the nearest corner of the triangle at p when it
  // lies within `tolerance` in x and y; -1 otherwise.
  std::int32_t vertexNear(const Point2& p, double tolerance) const;

  // Makes u-v an edge by flipping the diagonal that it crosses, when the two triangles on that
  // diagonal form a strictly convex quadrilateral and the diagonal is no break line. Flips are
  // remembered so that undoFlips() can restore the constrained Delaunay triangulation, which
  // every insertion expects.
  FlipOutcome flipTo(std::int32_t u, std::int32_t v);
  void undoFlips();

  // Fills `out` with the surface: publicIndex maps vertex -> point index, z gives vertex
  // elevations. With maxEdgeLength > 0, triangles are peeled from the outside while a side
  // where the surface ends is longer than that and is no break line.
  void buildMesh(std::span<const std::int32_t> publicIndex, std::span<const double> z,
                 double maxEdgeLength, Mesh& out);
  // Where p lies on the mesh last built (valid until the next change).
  MeshLocation locate(const Point2& p) const;
  // The surface elevation at p, from the triangle there (false off the surface); the same as
  // locate() and elevationInTriangle(), without touching the mesh.
  bool elevation(const Point2& p, double& z) const;

  // Re-checks the structure: links, orientation, constrained flags, the Delaunay property away
  // from break lines and flipped diagonals, every break line as a chain of constrained edges
  // along its segment, every remembered flip still an edge. Appends what is wrong.
  void check(std::vector<std::string>& problems) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace tin::detail
