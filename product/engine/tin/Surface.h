// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <unordered_set>
#include <vector>

#include "tin/Contours.h"
#include "tin/Definition.h"
#include "tin/Drape.h"
#include "tin/Geometry.h"
#include "tin/Mesh.h"
#include "tin/PlanGrid.h"
#include "tin/UniquePointSet.h"

namespace tin {

class PointLocator;

namespace detail {
class Triangulation;
}

struct PointsResult {
  std::size_t added = 0;
  std::size_t replaced = 0;  // an existing point took the new elevation
  std::size_t refused = 0;   // a coordinate was no number a surface takes (isCoordinate, isPlanCoordinate)
};

enum class BreakLineResult {
  Added,
  AlreadyPresent,  // a break line between the same two positions exists
  Degenerate,      // both ends are one position in plan
  Refused,         // a coordinate was no number a surface takes (isCoordinate, isPlanCoordinate)
  Failed,          // the triangulation could not take it; the surface is as it was
};

enum class SwapResult { Swapped, NoSuchTriangle, SameTriangle, NotAdjacent, BreakLine, NotConvex };

struct Validity {
  std::vector<std::string> problems;
  bool ok() const { return problems.empty(); }
  explicit operator bool() const { return ok(); }
};

// A terrain surface: a constrained Delaunay triangulation in plan of survey points and break
// lines, with elevations carried along, and the diagonal swaps a user made.
//
// Elevations of vertices:
// - A survey point keeps its measured elevation, always: the surface passes through every shot.
// - A break line is straight in 3D between its knots: its two ends and any survey point that
//   lies on it. An end that is a survey point has the point's elevation; an end that is not
//   has the break line's own end elevation (if several break lines end there, the earliest
//   added decides), unless it lies on an earlier break line (see crossings).
// - Where break lines cross, a vertex is created; it takes the elevation of the earliest-added
//   break line through it, interpolated along that line between its knots. The later line gets
//   a kink there rather than a step: the earlier line was drawn first and is usually the one
//   the later was digitised against.
// These rules depend on the definition alone, not on the order of calls, so a surface and its
// rebuild from definition() agree. One limit: a crossing is computed (and rounded) from the
// pieces its two lines have been split into at that moment, so where a point lies exactly on
// a break line, a surface built step by step and its rebuild may place a crossing a last bit
// apart. A rebuild from the same definition is always the same.
//
// Break lines partly or wholly outside the hull: their ends are inserted like points and extend
// the hull. Break-line ends are measured data as much as points are, and clipping would make
// the result depend on whether the points or the break lines came first.
//
// Positions: a point or break-line end within the plan tolerance of an existing point or
// break-line end takes that position exactly (see UniquePointSet for which elevation wins
// between points).
//
// Swaps are kept as the plan positions of the new diagonal. After every later change the
// constrained Delaunay triangulation is brought up to date first and the swaps are then made
// again in their order, where still possible: both ends are still vertices, the other
// diagonal of their quadrilateral is no break line and the quadrilateral is strictly convex.
// A swap that is not possible now stays in the definition.
//
// Indices: point indices 0..n-1 are the survey points in definition order; vertices that are
// no survey point (break-line ends, crossings) follow, in the order the edits made them. A
// surface of points alone has its triangles in a canonical order (each starts at its smallest
// point index; they follow a space-filling curve through their centroids), which depends on
// the points alone. An edit keeps the triangles it does not touch where they are and puts its
// own in the places of those it replaced or at the end, so nothing is renumbered or sorted
// after it and a query right after an edit costs what it costs before. Edges are (a < b), in
// the order of the first triangle that has them. A surface saved with saved() comes back from
// fromSaved() with the very same indices; one rebuilt from its definition alone has the same
// triangles and survey-point indices, the rest numbered by its build.
//
// Storage: a surface of survey points alone (no break lines, no swaps, no edge-length limit)
// keeps its definition and the flat mesh, nothing else, as built by delaunay(). The first
// change that needs more (later points, a break line, a swap, a limit) takes that mesh as its
// editable triangulation, without triangulating again, and every edit after it costs its own
// work only. The editable triangulation is the published mesh itself, so a surface never
// holds two copies of its triangles (except a peeled copy under an edge-length limit).
//
// Not safe for concurrent use: queries build cached views on first use. References that
// queries return (mesh, triangles, edges, rings) stay valid until the next change.
class Surface {
 public:
  explicit Surface(const SurfaceSettings& settings = {});
  ~Surface();
  Surface(Surface&&) noexcept;
  Surface& operator=(Surface&&) noexcept;

  // Rebuilds a surface from its definition, deterministically. Throws std::invalid_argument for
  // a tolerance that is not a positive number.
  static Surface fromDefinition(const Definition& definition);
  const Definition& definition() const { return def_; }
  // The triangulation as it stands, for a file: with the definition, fromSaved() makes this
  // very surface again (the same points, triangles and indices) without triangulating.
  SavedTriangulation saved() const;
  // saved() in two parts, for a writer that reads the triangles where they lie: all of it but
  // the triangles, and the triangles (no copy; a quarter of a gigabyte at ten million points).
  SavedTriangulation savedWithoutTriangles() const;
  const std::vector<Triangle>& savedTriangles() const;
  // The neighbours of saved()'s triangles, for the file's links (no copy).
  const std::vector<std::array<std::int32_t, 3>>& savedNeighbours() const;
  // Nothing, with the reason in `why`, when `saved` is no triangulation of the definition's
  // positions (a damaged file); fromDefinition() then makes the surface. Throws as
  // fromDefinition() for impossible settings.
  static std::optional<Surface> fromSaved(const Definition& definition, SavedTriangulation&& saved, std::string& why);
  // The same, taking the definition's points over instead of copying them when it succeeds;
  // when it fails, `definition` is left as it was, for fromDefinition().
  static std::optional<Surface> fromSaved(Definition&& definition, SavedTriangulation&& saved, std::string& why);

  // Survey points. setPoints replaces them all; break lines and swaps stay.
  PointsResult addPoints(std::span<const Point3> points);
  PointsResult setPoints(std::span<const Point3> points);
  // The same for a set whose tolerance is at least the surface's: no two of its points can be
  // one position here, so they are taken without looking for duplicates again (by addPoints
  // when the surface has no points yet; into a filled one they go as the span does).
  PointsResult setPoints(const UniquePointSet& points);
  PointsResult addPoints(const UniquePointSet& points);

  BreakLineResult addBreakLine(const Point3& a, const Point3& b);

  // Swaps the shared diagonal of two adjacent triangles (indices into triangles()).
  SwapResult swapDiagonal(std::int32_t t1, std::int32_t t2);

  // 0 switches the limit off. Only the outer triangles are peeled, as long as the side where the
  // surface ends is longer than the limit; break lines are never peeled away.
  void setMaxEdgeLength(double length);

  // For callers that keep a copy of triangles(): revision() counts the changes, and
  // trianglesWrittenSince(r, out) appends the indices (perhaps repeated, new triangles
  // included) of the triangles whose corners may differ from what they were at revision r.
  // False when the surface cannot tell (made again, loaded, peeled by an edge-length limit,
  // or changed too much since r): the copy is then to be read again whole.
  std::uint64_t revision() const { return revision_; }
  bool trianglesWrittenSince(std::uint64_t revision, std::vector<std::int32_t>& out) const;

  // Queries.
  std::int32_t pointCount() const;
  bool pointAtIndex(std::int32_t index, Point3& out) const;
  const Mesh& mesh() const;
  // triangles().size(), without bringing the mesh up to date after an edit where it need not.
  std::size_t triangleCount() const;
  const std::vector<Triangle>& triangles() const { return mesh().triangles; }
  const std::vector<Edge>& edges() const;
  // The surface triangle at p (-1 off the surface); on a side or a vertex, one of the triangles
  // there.
  std::int32_t triangleAt(const Point2& p) const;
  // Where p lies on the mesh: the triangle, and whether on a side or a corner of it.
  MeshLocation locate(const Point2& p) const;
  // Elevation by the plane of the triangle at p; nothing off the surface.
  std::optional<double> elevation(const Point2& p) const;
  // triangleAt() for many points at once (out[i] for points[i]), much faster than one by one.
  void trianglesAt(std::span<const Point2> points, std::vector<std::int32_t>& out) const;
  // elevation() for many points at once: z[i] for points[i], NaN off the surface.
  void elevations(std::span<const Point2> points, std::vector<double>& z) const;
  // The same for plan positions read where the caller keeps them.
  void elevations(PlanView points, std::vector<double>& z) const;
  std::vector<std::int32_t> trianglesInPolygon(std::span<const Point2> polygon) const;
  std::vector<std::int32_t> edgesInPolygon(std::span<const Point2> polygon) const;
  const std::vector<std::vector<Point3>>& boundaryRings() const;
  // Of all vertices, also those no triangle uses.
  Extents extents() const;

  DrapeResult drape(std::span<const Point3> points, std::span<const double> bulges,
                    const DrapeOptions& options = {}) const;
  void traceContours(std::span<const double> levels, ContourSink& sink) const;
  void traceContour(double level, ContourSink& sink) const { traceContours({&level, 1}, sink); }

  // Re-checks everything: the triangulation (links, orientation, the Delaunay property away
  // from break lines and swaps, each break line as a chain of constrained edges), the swaps
  // that were made, the positions and elevations of all vertices against the rules above, and
  // the mesh. Cost grows with the surface; meant for tests and diagnostics.
  Validity isValid() const;

 private:
  struct Site;
  struct Cache;

  std::int32_t siteAt(double x, double y) const;
  std::int32_t addSite(double x, double y);
  void stagePoints(std::span<const Point3> points, PointsResult& result, std::vector<std::int32_t>& fresh,
                   std::vector<std::int32_t>& touched);
  BreakLineResult stageBreakLine(const Point3& a, const Point3& b, std::vector<std::int32_t>& fresh);
  void insertSites(const std::vector<std::int32_t>& sites);
  void adoptNewVertices();
  void numberPoints(std::size_t firstNew);
  void beginChange();
  void endChange(std::vector<std::int32_t> pendingLines);
  void linesThrough(std::int32_t v, std::vector<std::int32_t>& out) const;
  bool isPointVertex(std::int32_t v) const;
  // Sets the elevations of break line `line` by the rules: in the triangulation (table null)
  // or in *table. Vertices whose elevation changed go to *changed.
  void resolveLine(std::int32_t line, std::vector<double>* table, std::vector<std::int32_t>* changed) const;
  void resolveAll(std::vector<double>& z) const;
  void reapplySwaps();
  // Each change ends in one of these: the triangles were replaced whole, or changed where the
  // triangulation wrote them.
  void changedWhole();
  void changedInPlace();
  void reset(const SurfaceSettings& settings);
  void rebuild(const Definition& definition);
  static bool compactable(const Definition& definition);
  // From the (unique) points of def_ alone, into the flat mesh; no editable triangulation.
  // Given `from` (the points to become def_'s), they are copied in only after the
  // triangulation, when the room it needed is free again.
  void buildCompact(const std::vector<Point3>* from = nullptr);
  void ensureEditable();
  // Sites of the survey points, each its own vertex (of the same number).
  void pointSites();
  bool restoreSites(std::string& why);
  // restoreSites() where a load left it to the first edit that needs the sites.
  void ensureSites();
  void checkCompact(Validity& r) const;
  const Cache& cache() const;
  const PointLocator* locator() const;
  // Under an edge-length limit: where p lies on the peeled surface, by a walk on the whole
  // triangulation.
  MeshLocation surfaceLocation(const Point2& p) const;

  Definition def_;
  std::vector<Site> sites_;
  PlanGrid siteGrid_;
  std::vector<std::int32_t> pointSite_;                  // survey point -> site
  std::vector<std::array<std::int32_t, 2>> lineSites_;   // break line -> sites of its ends
  std::unordered_set<std::uint64_t> lineKeys_;           // the site pairs of all break lines
  std::vector<std::int32_t> vertexSite_;                 // vertex -> site, -1 for crossings
  std::vector<bool> swapApplied_;                        // swap -> made in the current surface
  bool sitesPending_ = false;                            // sites_ and their tables not made yet
  std::unique_ptr<detail::Triangulation> tri_;  // null while the flat mesh is all there is
  mutable std::unique_ptr<Cache> cache_;
  // The triangles written by the changes after revision journalFrom_: those of change
  // journalFrom_ + 1 + k start at journalStarts_[k].
  std::uint64_t revision_ = 0;
  std::uint64_t journalFrom_ = 0;
  std::vector<std::int32_t> journal_;
  std::vector<std::size_t> journalStarts_;
};

}  // namespace tin
