// SPDX-License-Identifier: GPL-3.0-or-later
// The editable constrained Delaunay triangulation under a surface, kept in the flat arrays of a
// Mesh: three corners, three neighbours and the break-line flags per triangle, one triangle per
// vertex. A surface of points hands over its mesh as it is, so the first edit costs nothing but
// its own work, and the published surface is this very mesh, in the order its edits left it:
// nothing is renumbered or sorted after an edit, so a query after one costs no more than
// before it.
//
// Vertices are never removed; a new one is numbered on from vertexCount(), and swapNumbers()
// is the only other way numbers change. Break lines are numbered by the caller. The
// triangulation decides positions; the elevations of the vertices (NaN for a new one) are
// Surface's to set, by its rules.
#pragma once

#include <array>
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

  std::int32_t vertexCount() const;
  std::size_t triangleCount() const;
  Point2 position(std::int32_t v) const;

  // Inserts the positions (in a spatial order, for speed) and writes the vertex at each into
  // ids; a position where a vertex already is gets that vertex. A position on a break line
  // splits it there.
  void insert(std::span<const Point2> positions, std::vector<std::int32_t>& ids);
  // Into an empty triangulation: takes `flat`, the Delaunay triangulation of the positions
  // (see delaunay()), as it is, vertex k at positions[k].
  void assign(std::span<const Point2> positions, const FlatTriangulation& flat, std::vector<std::int32_t>& ids);
  // Into an empty triangulation: takes a Delaunay mesh over its own vertices, vertex k at
  // mesh.vertices[k], without copying it.
  void adopt(Mesh&& mesh);
  // Into an empty triangulation: a saved one (see SavedTriangulation): mesh with its vertices
  // and triangles (links are made here, unless the mesh has its neighbours as decodeLinks()
  // gives them: mutual, and not checked again), break lines as chains of vertices, the flips of the
  // swaps. Checks that they form a triangulation of the vertices (links, orientation, one
  // convex hull, every vertex used, break lines along edges); false with the reason, and
  // the triangulation empty, where they do not.
  bool restore(Mesh&& mesh, std::vector<std::vector<std::int32_t>> chains,
               const std::vector<std::array<std::int32_t, 4>>& flips, std::string& why);
  // The triangles whose corners changed since the last call (indices, perhaps repeated, new
  // ones included), appended to out; false when the triangles were replaced whole or too many
  // changed to list, and a copy of them is to be read again whole.
  bool takeWritten(std::vector<std::int32_t>& out);
  // The mesh, leaving the triangulation empty.
  Mesh release();
  const std::vector<std::vector<std::int32_t>>& chains() const;
  std::vector<std::array<std::int32_t, 4>> flips() const;

  // Constrains the segment between vertices a and b as break line `line` (numbers increase with
  // each call). Where it crosses an earlier break line a vertex is created; where it passes
  // through a vertex it is split there. Throws std::runtime_error if the structure cannot take
  // it (never seen; the caller restores the surface).
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

  void setElevation(std::int32_t v, double z);
  double elevation(std::int32_t v) const;
  // Vertices a and b exchange their numbers everywhere (triangles, break lines, flips); costs
  // the triangles and break lines at the two.
  void swapNumbers(std::int32_t a, std::int32_t b);
  // The same as swapNumbers(a, b) for each pair in order, in one pass over the triangles: for
  // the many exchanges after a large batch of points, where one at a time cost the triangles
  // around each vertex, and lists made for each, a million times over.
  void swapNumbers(std::span<const std::pair<std::int32_t, std::int32_t>> pairs);

  // Brings the mesh's boundary sides up to date where a change reached the hull; mesh() is
  // then the surface, until the next change.
  void publish();
  const Mesh& mesh() const;
  // The triangles that stay when outer triangles are peeled while a side where the surface
  // ends is longer than maxEdgeLength and is no break line, as a mesh of their own;
  // surfaceTriangle maps each triangle of mesh() to its index there (-1: peeled). After publish().
  void peeledMesh(double maxEdgeLength, Mesh& out, std::vector<std::int32_t>& surfaceTriangle) const;
  // Where p lies among all triangles of mesh() (after publish()).
  MeshLocation locate(const Point2& p) const;

  // Re-checks the structure: links, orientation, constrained flags, the Delaunay property away
  // from break lines and flipped diagonals, every break line as a chain of constrained edges
  // along its segment, every remembered flip still an edge. Appends what is wrong.
  void check(std::vector<std::string>& problems) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace tin::detail
