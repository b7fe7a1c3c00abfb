// SPDX-License-Identifier: GPL-3.0-or-later
#include "tin/Surface.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <set>
#include <sstream>
#include <stdexcept>

#include "tin/Delaunay.h"
#include "tin/LargeArrays.h"
#include "tin/PointLocator.h"
#include "tin/Predicates.h"
#include "tin/Triangulation.h"

namespace tin {

// A position that the definition names: a survey point, a break-line end, or both.
struct Surface::Site {
  double x = 0.0;
  double y = 0.0;
  std::int32_t point = -1;   // survey point index, -1 if none
  std::int32_t vertex = -1;  // triangulation vertex, -1 until inserted
};

// Views built on first use after a change.
struct Surface::Cache {
  // A surface of points alone keeps its mesh here; an editable one publishes the
  // triangulation's own mesh, or a peeled copy of it under an edge-length limit.
  Mesh own;
  const Mesh* mesh = &own;
  std::vector<std::int32_t> surfaceTriangle;  // peeled: triangulation triangle -> surface triangle
  std::optional<std::vector<Edge>> edges;
  std::optional<std::vector<std::vector<Point3>>> rings;
  std::unique_ptr<PointLocator> locator;
  std::unique_ptr<LevelIndex> levels;
};

namespace {

constexpr double kUnset = std::numeric_limits<double>::quiet_NaN();

// Room for one more in a table as long as the surface: an eighth more, not double, so that an
// edit to a large surface does not double what it keeps.
template <class V>
void roomForOne(V& v) {
  if (v.size() == v.capacity()) v.reserve(v.size() + v.size() / 8 + 256);
}

// Room for `more` at once (at least what roomForOne gives): a batch of a million points grew
// the tables an eighth at a time, copying them at every step.
template <class V>
void roomForMore(V& v, std::size_t more) {
  if (v.size() + more <= v.capacity()) return;
  detail::reserveLarge(v, std::max(v.size() + more, v.size() + v.size() / 8 + 256));
}

bool takes(const Point3& p) { return isPlanCoordinate(p.x) && isPlanCoordinate(p.y) && isCoordinate(p.z); }

std::uint64_t lineKey(std::int32_t a, std::int32_t b) {
  if (a > b) std::swap(a, b);
  return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(a)) << 32) | static_cast<std::uint32_t>(b);
}

void checkSettings(const SurfaceSettings& s) {
  if (!isPlanTolerance(s.planTolerance))
    throw std::invalid_argument("surface: the plan tolerance must be a positive number of at least 1e-300");
  if (!(s.maxEdgeLength >= 0.0) || !std::isfinite(s.maxEdgeLength))
    throw std::invalid_argument("surface: the edge-length limit must be 0 or a positive number");
}

}  // namespace

Surface::Surface(const SurfaceSettings& settings)
    : siteGrid_(isPlanTolerance(settings.planTolerance) ? settings.planTolerance : kDefaultPlanTolerance) {
  checkSettings(settings);
  def_.settings = settings;
  if (compactable(def_)) buildCompact();
  else tri_ = std::make_unique<detail::Triangulation>();
  changedWhole();
}

Surface::~Surface() = default;
Surface::Surface(Surface&&) noexcept = default;
Surface& Surface::operator=(Surface&&) noexcept = default;

Surface Surface::fromDefinition(const Definition& definition) {
  Surface s(definition.settings);
  if (compactable(definition)) s.setPoints(definition.points);
  else s.rebuild(definition);
  return s;
}

bool Surface::compactable(const Definition& d) {
  return d.breakLines.empty() && d.swaps.empty() && d.settings.maxEdgeLength == 0.0;
}

void Surface::buildCompact(const std::vector<Point3>* from) {
  sitesPending_ = false;
  detail::release(sites_);
  siteGrid_ = PlanGrid(def_.settings.planTolerance);
  detail::release(pointSite_);
  detail::release(lineSites_);
  lineKeys_ = {};
  detail::release(vertexSite_);
  detail::release(swapApplied_);
  tri_.reset();
  cache_.reset();
  auto c = std::make_unique<Cache>();
  const std::vector<Point3>& points = from ? *from : def_.points;
  detail::delaunayMesh(points, c->own);
  // Copied last, when the room the triangulation needed is free again.
  detail::reserveWithRoom(c->own.vertices, points.size());
  c->own.vertices.assign(points.begin(), points.end());
  if (from) {
    detail::reserveWithRoom(def_.points, from->size());
    def_.points.assign(from->begin(), from->end());
  }
  cache_ = std::move(c);
  changedWhole();
}

void Surface::ensureEditable() {
  if (tri_) return;
  // The flat mesh becomes the editable triangulation as it is, vertex k at survey point k:
  // nothing is triangulated again, and the triangles stay what callers saw.
  pointSites();
  // Built with room to grow (see reserveWithRoom()), so that the edits add to the arrays
  // without copying them whole; a mesh made otherwise gets it here.
  Mesh& m = cache_->own;
  detail::reserveWithRoom(def_.points, def_.points.size());
  detail::reserveWithRoom(m.vertices, m.vertices.size());
  detail::reserveWithRoom(m.vertexTriangle, m.vertexTriangle.size());
  detail::reserveWithRoom(m.triangles, m.triangles.size());
  detail::reserveWithRoom(m.neighbours, m.neighbours.size());
  detail::reserveWithRoom(m.breakLineSides, m.triangles.size());
  tri_ = std::make_unique<detail::Triangulation>();
  tri_->adopt(std::move(m));
  cache_.reset();
}

void Surface::pointSites() {
  const auto n = static_cast<std::int32_t>(def_.points.size());
  sites_.clear();
  siteGrid_ = PlanGrid(def_.settings.planTolerance);
  detail::reserveWithRoom(sites_, def_.points.size());
  detail::reserveWithRoom(pointSite_, def_.points.size());
  detail::reserveWithRoom(vertexSite_, def_.points.size());
  siteGrid_.reserve(def_.points.size());
  pointSite_.resize(def_.points.size());
  vertexSite_.resize(def_.points.size());
  for (std::int32_t k = 0; k < n; ++k) {
    const Point3& p = def_.points[k];
    sites_.push_back(Site{p.x, p.y, k, k});
    pointSite_[k] = k;
    vertexSite_[k] = k;
  }
  siteGrid_.insertMany(0, n, [this](std::int32_t i) -> const Site& { return sites_[i]; });
}

void Surface::ensureSites() {
  if (!sitesPending_) return;
  sitesPending_ = false;
  std::string why;
  // Only a damaged file gets past the checks of the load and fails here: the surface is then
  // made from its definition, as a file with damaged triangles is.
  if (!restoreSites(why)) rebuild(Definition(def_));
}

bool Surface::restoreSites(std::string& why) {
  pointSites();
  adoptNewVertices();
  const auto& chains = tri_->chains();
  lineSites_.clear();
  lineKeys_.clear();
  for (std::size_t line = 0; line < def_.breakLines.size(); ++line) {
    std::array<std::int32_t, 2> ends{};
    for (int e = 0; e < 2; ++e) {
      const Point3& at = e == 0 ? def_.breakLines[line].a : def_.breakLines[line].b;
      const std::int32_t v = e == 0 ? chains[line].front() : chains[line].back();
      std::int32_t s = siteAt(at.x, at.y);
      if (s < 0) {
        s = addSite(at.x, at.y);
        sites_[s].vertex = v;
        vertexSite_[v] = s;
      }
      const Point2 p = tri_->position(v);
      if (sites_[s].vertex != v || p.x != sites_[s].x || p.y != sites_[s].y) {
        why = "a break line does not end where the definition says";
        return false;
      }
      ends[e] = s;
    }
    lineSites_.push_back(ends);
    lineKeys_.insert(lineKey(ends[0], ends[1]));
  }
  return true;
}

SavedTriangulation Surface::saved() const {
  SavedTriangulation st = savedWithoutTriangles();
  const std::vector<Triangle>& triangles = savedTriangles();
  detail::reserveLarge(st.triangles, triangles.size());
  st.triangles.assign(triangles.begin(), triangles.end());
  return st;
}

const std::vector<Triangle>& Surface::savedTriangles() const {
  if (!tri_) return cache_->own.triangles;
  cache();
  return tri_->mesh().triangles;
}

SavedTriangulation Surface::savedWithoutTriangles() const {
  SavedTriangulation st;
  const std::size_t np = def_.points.size();
  if (!tri_) return st;
  cache();
  const Mesh& m = tri_->mesh();
  st.editable = true;
  st.extraVertices.assign(m.vertices.begin() + static_cast<std::ptrdiff_t>(np), m.vertices.end());
  st.chains = tri_->chains();
  st.flips = tri_->flips();
  st.swapsMade.assign(swapApplied_.begin(), swapApplied_.end());
  return st;
}

const std::vector<std::array<std::int32_t, 3>>& Surface::savedNeighbours() const {
  if (!tri_) return cache_->own.neighbours;
  cache();
  return tri_->mesh().neighbours;
}

std::optional<Surface> Surface::fromSaved(const Definition& d, SavedTriangulation&& st, std::string& why) {
  Definition copy = d;
  return fromSaved(std::move(copy), std::move(st), why);
}

std::optional<Surface> Surface::fromSaved(Definition&& d, SavedTriangulation&& st, std::string& why) {
  Surface s(d.settings);
  const std::size_t np = d.points.size();
  if (st.editable ? st.chains.size() != d.breakLines.size() || st.swapsMade.size() != d.swaps.size()
                  : !compactable(d) || !st.extraVertices.empty() || !st.chains.empty() || !st.flips.empty()) {
    why = "the triangles do not belong to the definition";
    return std::nullopt;
  }
  Mesh mesh;
  detail::reserveWithRoom(mesh.vertices, np + st.extraVertices.size());
  mesh.vertices.assign(d.points.begin(), d.points.end());
  mesh.vertices.insert(mesh.vertices.end(), st.extraVertices.begin(), st.extraVertices.end());
  mesh.triangles = std::move(st.triangles);
  if (st.neighbours.size() == mesh.triangles.size()) mesh.neighbours = std::move(st.neighbours);
  auto tri = std::make_unique<detail::Triangulation>();
  if (!tri->restore(std::move(mesh), std::move(st.chains), st.flips, why)) return std::nullopt;
  // The table of positions the edits look points up in is made by the first edit that needs
  // it (a million-point load would spend a good part of its time on it); here only each break
  // line's ends are checked to be where the definition says. The last check: the definition
  // is taken over only after it.
  const auto& chains = tri->chains();
  for (std::size_t line = 0; st.editable && line < d.breakLines.size(); ++line) {
    const Point2 a = tri->position(chains[line].front()), b = tri->position(chains[line].back());
    const Segment3& l = d.breakLines[line];
    if (a.x != l.a.x || a.y != l.a.y || b.x != l.b.x || b.y != l.b.y) {
      why = "a break line does not end where the definition says";
      return std::nullopt;
    }
  }
  // Given room to grow by the first edit (see ensureEditable()), like a surface of points.
  s.def_.settings = d.settings;
  s.def_.points = std::move(d.points);
  s.def_.breakLines = d.breakLines;
  s.def_.swaps = d.swaps;
  s.cache_.reset();
  if (!st.editable) {
    // A surface of points alone keeps the flat mesh only.
    auto c = std::make_unique<Cache>();
    c->own = tri->release();
    s.tri_.reset();
    s.cache_ = std::move(c);
    s.changedWhole();
    return s;
  }
  s.tri_ = std::move(tri);
  s.swapApplied_.assign(st.swapsMade.begin(), st.swapsMade.end());
  s.sitesPending_ = true;
  s.changedWhole();
  return s;
}

// --- definition and sites --------------------------------------------------------------------

std::int32_t Surface::siteAt(double x, double y) const {
  return siteGrid_.find(x, y, [this](std::int32_t i) -> const Site& { return sites_[i]; });
}

std::int32_t Surface::addSite(double x, double y) {
  roomForOne(sites_);
  sites_.push_back(Site{x, y});
  const auto s = static_cast<std::int32_t>(sites_.size() - 1);
  siteGrid_.insert(s, [this](std::int32_t i) -> const Site& { return sites_[i]; });
  return s;
}

void Surface::stagePoints(std::span<const Point3> points, PointsResult& result, std::vector<std::int32_t>& fresh,
                          std::vector<std::int32_t>& touched) {
  siteGrid_.reserve(sites_.size() + points.size());
  roomForMore(sites_, points.size());
  roomForMore(def_.points, points.size());
  roomForMore(pointSite_, points.size());
  for (const Point3& p : points) {
    if (!takes(p)) {
      ++result.refused;
      continue;
    }
    std::int32_t s = siteAt(p.x, p.y);
    if (s < 0) {
      s = addSite(p.x, p.y);
      fresh.push_back(s);
    }
    Site& site = sites_[s];
    if (site.point >= 0) {
      def_.points[site.point].z = p.z;  // the last elevation wins, see UniquePointSet
      ++result.replaced;
    } else {
      site.point = static_cast<std::int32_t>(def_.points.size());
      roomForOne(def_.points);
      roomForOne(pointSite_);
      def_.points.push_back({site.x, site.y, p.z});
      pointSite_.push_back(s);
      ++result.added;
    }
    if (site.vertex >= 0) touched.push_back(site.vertex);
  }
}

BreakLineResult Surface::stageBreakLine(const Point3& a, const Point3& b, std::vector<std::int32_t>& fresh) {
  if (!takes(a) || !takes(b)) return BreakLineResult::Refused;
  std::int32_t sa = siteAt(a.x, a.y), sb = siteAt(b.x, b.y);
  if (sa >= 0 && sa == sb) return BreakLineResult::Degenerate;
  const double tol = def_.settings.planTolerance;
  if (sa < 0 && sb < 0 && std::fabs(a.x - b.x) <= tol && std::fabs(a.y - b.y) <= tol)
    return BreakLineResult::Degenerate;
  if (sa >= 0 && sb >= 0 && lineKeys_.count(lineKey(sa, sb))) return BreakLineResult::AlreadyPresent;
  if (sa < 0) fresh.push_back(sa = addSite(a.x, a.y));
  if (sb < 0) fresh.push_back(sb = addSite(b.x, b.y));
  def_.breakLines.push_back({{sites_[sa].x, sites_[sa].y, a.z}, {sites_[sb].x, sites_[sb].y, b.z}});
  lineSites_.push_back({sa, sb});
  lineKeys_.insert(lineKey(sa, sb));
  return BreakLineResult::Added;
}

void Surface::adoptNewVertices() {
  const auto n = static_cast<std::size_t>(tri_->vertexCount());
  if (vertexSite_.size() == vertexSite_.capacity()) vertexSite_.reserve(n + n / 8 + 256);
  vertexSite_.resize(n, -1);
}

void Surface::numberPoints(std::size_t firstNew) {
  // Survey point k is vertex k: a new point's vertex takes that number from whichever vertex
  // has it (a break-line end or a crossing, numbered after all points), which takes the
  // point's. Ascending, so that a number once given stays.
  // The exchanges are listed and made at once when there are many (a batch of points inserted
  // along a curve numbers nearly all of them so), one by one when a few.
  std::vector<std::pair<std::int32_t, std::int32_t>> exchanges;
  for (std::size_t k = firstNew; k < def_.points.size(); ++k) {
    const auto want = static_cast<std::int32_t>(k);
    const std::int32_t v = sites_[pointSite_[k]].vertex;
    if (v == want) continue;
    exchanges.emplace_back(v, want);
    const std::int32_t sv = vertexSite_[v], sw = vertexSite_[want];
    std::swap(vertexSite_[v], vertexSite_[want]);
    if (sv >= 0) sites_[sv].vertex = want;
    if (sw >= 0) sites_[sw].vertex = v;
  }
  if (exchanges.size() * 64 >= static_cast<std::size_t>(tri_->vertexCount())) {
    tri_->swapNumbers(exchanges);
  } else {
    for (const auto& [a, b] : exchanges) tri_->swapNumbers(a, b);
  }
}

void Surface::insertSites(const std::vector<std::int32_t>& sites) {
  if (sites.empty()) return;
  std::vector<Point2> positions;
  positions.reserve(sites.size());
  for (std::int32_t s : sites) positions.push_back({sites_[s].x, sites_[s].y});
  std::vector<std::int32_t> ids;
  if (tri_->vertexCount() == 0) {
    detail::FlatTriangulation flat;
    detail::delaunay(positions, flat);
    tri_->assign(positions, flat, ids);
  } else {
    tri_->insert(positions, ids);
  }
  adoptNewVertices();
  for (std::size_t k = 0; k < sites.size(); ++k) {
    Site& site = sites_[sites[k]];
    site.vertex = ids[k];
    vertexSite_[ids[k]] = sites[k];
    if (site.point >= 0) tri_->setElevation(ids[k], def_.points[site.point].z);
  }
}

bool Surface::isPointVertex(std::int32_t v) const { return v >= 0 && static_cast<std::size_t>(v) < def_.points.size(); }

void Surface::linesThrough(std::int32_t v, std::vector<std::int32_t>& out) const {
  if (def_.breakLines.empty()) {
    out.clear();
    return;
  }
  tri_->breakLinesThrough(v, out);
}

// --- changes -------------------------------------------------------------------------------

void Surface::beginChange() {
  // Insertions expect the constrained Delaunay triangulation; swaps are made again afterwards.
  tri_->undoFlips();
  cache_.reset();
}

void Surface::endChange(std::vector<std::int32_t> pendingLines) {
  // A line's elevations depend only on earlier lines and on points, so resolving in ascending
  // order, and passing a change on to later lines through the changed vertex, settles all.
  std::set<std::int32_t> work(pendingLines.begin(), pendingLines.end());
  std::vector<std::int32_t> changed, through;
  while (!work.empty()) {
    const std::int32_t line = *work.begin();
    work.erase(work.begin());
    changed.clear();
    resolveLine(line, nullptr, &changed);
    for (std::int32_t v : changed) {
      linesThrough(v, through);
      for (std::int32_t later : through)
        if (later > line) work.insert(later);
    }
  }
  reapplySwaps();
  cache_.reset();
}

PointsResult Surface::addPoints(std::span<const Point3> points) {
  if (!tri_ && def_.points.empty()) return setPoints(points);
  ensureEditable();
  ensureSites();
  PointsResult result;
  std::vector<std::int32_t> fresh, touched;
  const std::size_t firstNew = def_.points.size();
  stagePoints(points, result, fresh, touched);
  if (fresh.empty() && touched.empty()) return result;
  beginChange();
  insertSites(fresh);
  // Touched vertices are named by site, as numbering the new points moves vertices.
  for (std::int32_t& v : touched) v = vertexSite_[v];
  for (std::int32_t s : fresh) touched.push_back(s);
  numberPoints(firstNew);
  std::vector<std::int32_t> pending, through;
  for (std::int32_t& v : touched) v = sites_[v].vertex;
  for (std::int32_t v : touched) {
    tri_->setElevation(v, def_.points[v].z);
    linesThrough(v, through);
    pending.insert(pending.end(), through.begin(), through.end());
  }
  endChange(std::move(pending));
  changedInPlace();
  return result;
}

PointsResult Surface::addPoints(const UniquePointSet& points) {
  if (!tri_ && def_.points.empty()) return setPoints(points);
  return addPoints(std::span<const Point3>(points.points()));
}

PointsResult Surface::setPoints(std::span<const Point3> points) {
  UniquePointSet unique(def_.settings.planTolerance);
  unique.reserve(points.size());
  PointsResult result;
  for (const Point3& p : points) {
    switch (unique.add(p)) {
      case UniquePointSet::Outcome::Added: ++result.added; break;
      case UniquePointSet::Outcome::Replaced: ++result.replaced; break;
      case UniquePointSet::Outcome::Refused: ++result.refused; break;
    }
  }
  Definition d{def_.settings, unique.takePoints(), std::move(def_.breakLines), std::move(def_.swaps)};
  if (compactable(d)) {
    def_ = std::move(d);
    buildCompact();
  } else {
    rebuild(d);
  }
  return result;
}

PointsResult Surface::setPoints(const UniquePointSet& points) {
  if (!(points.tolerance() >= def_.settings.planTolerance)) return setPoints(points.points());
  PointsResult result;
  result.added = points.size();
  Definition d{def_.settings, {}, std::move(def_.breakLines), std::move(def_.swaps)};
  if (compactable(d)) {
    def_ = std::move(d);
    buildCompact(&points.points());
  } else {
    d.points = points.points();
    rebuild(d);
  }
  return result;
}

BreakLineResult Surface::addBreakLine(const Point3& a, const Point3& b) {
  ensureEditable();
  ensureSites();
  std::vector<std::int32_t> fresh;
  const BreakLineResult staged = stageBreakLine(a, b, fresh);
  if (staged != BreakLineResult::Added) return staged;
  const auto line = static_cast<std::int32_t>(def_.breakLines.size() - 1);
  try {
    beginChange();
    insertSites(fresh);
    const std::int32_t before = tri_->vertexCount();
    const auto [sa, sb] = lineSites_[line];
    tri_->insertBreakLine(line, sites_[sa].vertex, sites_[sb].vertex);
    adoptNewVertices();
    std::vector<std::int32_t> pending{line}, through, created;
    for (std::int32_t s : fresh) created.push_back(sites_[s].vertex);
    for (std::int32_t v = before; v < tri_->vertexCount(); ++v) created.push_back(v);
    for (std::int32_t v : created) {
      linesThrough(v, through);
      pending.insert(pending.end(), through.begin(), through.end());
    }
    endChange(std::move(pending));
    changedInPlace();
  } catch (const std::exception&) {
    // Never leave a half-made surface: rebuild what was there.
    Definition d = def_;
    d.breakLines.pop_back();
    rebuild(d);
    return BreakLineResult::Failed;
  }
  return BreakLineResult::Added;
}

SwapResult Surface::swapDiagonal(std::int32_t t1, std::int32_t t2) {
  ensureEditable();
  const Cache& c = cache();
  const Mesh& m = *c.mesh;
  const auto n = static_cast<std::int32_t>(m.triangles.size());
  if (t1 < 0 || t2 < 0 || t1 >= n || t2 >= n) return SwapResult::NoSuchTriangle;
  if (t1 == t2) return SwapResult::SameTriangle;
  int i = 0, j = 0;
  while (i < 3 && m.neighbours[t1][i] != t2) ++i;
  while (j < 3 && m.neighbours[t2][j] != t1) ++j;
  if (i == 3 || j == 3) return SwapResult::NotAdjacent;
  if (m.breakLineSides[t1] & (1u << i)) return SwapResult::BreakLine;
  // The published mesh is the triangulation itself: its point indices are the vertices.
  (void)c;
  const std::int32_t u = m.triangles[t1].v[i];
  const std::int32_t v = m.triangles[t2].v[j];
  switch (tri_->flipTo(u, v)) {
    case detail::FlipOutcome::Flipped: break;
    case detail::FlipOutcome::BreakLine: return SwapResult::BreakLine;
    // The other diagonal already being an edge means it runs outside the quadrilateral.
    case detail::FlipOutcome::NotConvex:
    case detail::FlipOutcome::AlreadyEdge: return SwapResult::NotConvex;
    default: return SwapResult::NotAdjacent;
  }
  def_.swaps.push_back({tri_->position(u), tri_->position(v)});
  swapApplied_.push_back(true);
  cache_.reset();
  changedInPlace();
  return SwapResult::Swapped;
}

void Surface::reapplySwaps() {
  swapApplied_.assign(def_.swaps.size(), false);
  const double tol = def_.settings.planTolerance;
  for (std::size_t k = 0; k < def_.swaps.size(); ++k) {
    const std::int32_t u = tri_->vertexNear(def_.swaps[k].a, tol);
    const std::int32_t v = tri_->vertexNear(def_.swaps[k].b, tol);
    const detail::FlipOutcome o = tri_->flipTo(u, v);
    swapApplied_[k] = o == detail::FlipOutcome::Flipped || o == detail::FlipOutcome::AlreadyEdge;
  }
}

void Surface::setMaxEdgeLength(double length) {
  SurfaceSettings s = def_.settings;
  s.maxEdgeLength = length;
  checkSettings(s);
  if (s == def_.settings) return;
  ensureEditable();
  def_.settings = s;
  cache_.reset();
  changedWhole();
}

void Surface::reset(const SurfaceSettings& settings) {
  checkSettings(settings);
  def_ = Definition{settings, {}, {}, {}};
  sitesPending_ = false;
  sites_.clear();
  siteGrid_ = PlanGrid(settings.planTolerance);
  pointSite_.clear();
  lineSites_.clear();
  lineKeys_.clear();
  vertexSite_.clear();
  swapApplied_.clear();
  tri_ = std::make_unique<detail::Triangulation>();
  cache_.reset();
}

void Surface::rebuild(const Definition& definition) {
  reset(definition.settings);
  PointsResult ignored;
  std::vector<std::int32_t> fresh, touched;
  stagePoints(definition.points, ignored, fresh, touched);
  for (const Segment3& line : definition.breakLines) stageBreakLine(line.a, line.b, fresh);
  insertSites(fresh);
  numberPoints(0);
  for (std::size_t line = 0; line < lineSites_.size(); ++line) {
    const auto [sa, sb] = lineSites_[line];
    tri_->insertBreakLine(static_cast<std::int32_t>(line), sites_[sa].vertex, sites_[sb].vertex);
  }
  adoptNewVertices();
  for (std::size_t line = 0; line < def_.breakLines.size(); ++line)
    resolveLine(static_cast<std::int32_t>(line), nullptr, nullptr);
  def_.swaps = definition.swaps;
  reapplySwaps();
  changedWhole();
}

void Surface::changedWhole() {
  ++revision_;
  journalFrom_ = revision_;
  detail::release(journal_);
  detail::release(journalStarts_);
  // What the triangulation noted before is part of the whole.
  std::vector<std::int32_t> before;
  if (tri_) tri_->takeWritten(before);
}

void Surface::changedInPlace() {
  if (!tri_ || def_.settings.maxEdgeLength > 0.0) return changedWhole();
  const std::size_t start = journal_.size();
  // Past an eighth of the triangles, reading them all again costs little more than the list.
  const std::size_t limit = 4096 + tri_->triangleCount() / 8;
  if (!tri_->takeWritten(journal_) || journal_.size() > limit || journalStarts_.size() >= limit)
    return changedWhole();
  journalStarts_.push_back(start);
  ++revision_;
}

bool Surface::trianglesWrittenSince(std::uint64_t revision, std::vector<std::int32_t>& out) const {
  if (revision < journalFrom_ || revision > revision_) return false;
  const std::size_t from = revision == revision_ ? journal_.size() : journalStarts_[revision - journalFrom_];
  out.insert(out.end(), journal_.begin() + static_cast<std::ptrdiff_t>(from), journal_.end());
  return true;
}

// --- elevations ----------------------------------------------------------------------------

void Surface::resolveLine(std::int32_t line, std::vector<double>* table, std::vector<std::int32_t>* changed) const {
  std::vector<std::int32_t> chain, through;
  // The rules' elevations: into the triangulation, or into the caller's table.
  struct Heights {
    detail::Triangulation& tri;
    std::vector<double>* table;
    double operator[](std::int32_t v) const { return table ? (*table)[v] : tri.elevation(v); }
  } z{*tri_, table};
  tri_->breakLineChain(line, chain);
  const std::size_t n = chain.size();
  if (n < 2) return;
  auto decidedHere = [&](std::int32_t v) {
    if (isPointVertex(v)) return false;
    linesThrough(v, through);
    return !through.empty() && through.front() == line;
  };
  auto set = [&](std::int32_t v, double value) {
    if (z[v] == value) return;
    if (table) (*table)[v] = value;
    else tri_->setElevation(v, value);
    if (changed) changed->push_back(v);
  };
  const Segment3& seg = def_.breakLines[line];
  if (decidedHere(chain.front())) set(chain.front(), seg.a.z);
  if (decidedHere(chain.back())) set(chain.back(), seg.b.z);

  // Interpolate by the position along the segment between neighbouring knots.
  const Point2 a = tri_->position(chain.front()), b = tri_->position(chain.back());
  const double dx = b.x - a.x, dy = b.y - a.y;
  auto along = [&](std::int32_t v) {
    const Point2 p = tri_->position(v);
    return (p.x - a.x) * dx + (p.y - a.y) * dy;
  };
  std::size_t knot = 0;
  double knotT = 0.0;
  for (std::size_t i = 1; i < n; ++i) {
    if (i != n - 1 && !isPointVertex(chain[i])) continue;
    const double t = along(chain[i]);
    const double z0 = z[chain[knot]], z1 = z[chain[i]];
    for (std::size_t j = knot + 1; j < i; ++j) {
      if (!decidedHere(chain[j])) continue;
      const double f = (along(chain[j]) - knotT) / (t - knotT);
      set(chain[j], z0 + f * (z1 - z0));
    }
    knot = i;
    knotT = t;
  }
}

void Surface::resolveAll(std::vector<double>& z) const {
  z.assign(static_cast<std::size_t>(tri_->vertexCount()), kUnset);
  for (std::size_t v = 0; v < z.size(); ++v)
    if (isPointVertex(static_cast<std::int32_t>(v))) z[v] = def_.points[v].z;
  for (std::size_t line = 0; line < def_.breakLines.size(); ++line)
    resolveLine(static_cast<std::int32_t>(line), &z, nullptr);
}

// --- queries -------------------------------------------------------------------------------

const Surface::Cache& Surface::cache() const {
  if (cache_) return *cache_;
  auto c = std::make_unique<Cache>();
  // The triangulation's mesh is the surface as it stands: survey points first, in definition
  // order (see numberPoints), the triangles where the edits left them.
  tri_->publish();
  if (def_.settings.maxEdgeLength > 0.0) {
    tri_->peeledMesh(def_.settings.maxEdgeLength, c->own, c->surfaceTriangle);
    c->mesh = &c->own;
  } else {
    c->mesh = &tri_->mesh();
  }
  cache_ = std::move(c);
  return *cache_;
}

const Mesh& Surface::mesh() const { return *cache().mesh; }

std::size_t Surface::triangleCount() const {
  // Publishing reorders the triangles but keeps their number; only peeling changes it.
  if (tri_ && !cache_ && def_.settings.maxEdgeLength == 0.0) return tri_->triangleCount();
  return mesh().triangles.size();
}

std::int32_t Surface::pointCount() const {
  return tri_ ? tri_->vertexCount() : static_cast<std::int32_t>(cache_->own.vertices.size());
}

bool Surface::pointAtIndex(std::int32_t index, Point3& out) const {
  const Mesh& m = mesh();
  if (index < 0 || static_cast<std::size_t>(index) >= m.vertices.size()) return false;
  out = m.vertices[index];
  return true;
}

const std::vector<Edge>& Surface::edges() const {
  const Cache& c = cache();
  if (!c.edges) cache_->edges = meshEdges(*c.mesh);
  return *c.edges;
}

const std::vector<std::vector<Point3>>& Surface::boundaryRings() const {
  const Cache& c = cache();
  if (!c.rings) cache_->rings = tin::boundaryRings(*c.mesh);
  return *c.rings;
}

Extents Surface::extents() const {
  Extents e;
  for (const Point3& p : mesh().vertices) e.add(p);
  return e;
}

const PointLocator* Surface::locator() const {
  const Cache& c = cache();
  // Peeled by the edge-length limit, the mesh need not be convex: a walk could leave it
  // between two arms of the surface, so the triangulation itself decides.
  if (def_.settings.maxEdgeLength > 0.0) return nullptr;
  if (!c.locator) cache_->locator = std::make_unique<PointLocator>(*c.mesh);
  return cache_->locator.get();
}

MeshLocation Surface::locate(const Point2& p) const {
  if (!std::isfinite(p.x) || !std::isfinite(p.y)) return {};
  // An edited surface answers one question by a walk on the triangulation, which needs
  // nothing built after an edit; many at once walk the mesh side by side (trianglesAt()).
  if (tri_ && def_.settings.maxEdgeLength == 0.0) {
    cache();
    const MeshLocation at = tri_->locate(p);
    return at.kind == MeshLocation::Kind::Outside ? at : canonicalLocation(tri_->mesh(), at);
  }
  if (const PointLocator* l = locator()) return l->locate(p);
  // Peeled: the whole triangulation is walked, and the answer told in the surface's terms.
  const Cache& c = cache();
  const MeshLocation found = surfaceLocation(p);
  return found.kind == MeshLocation::Kind::Outside ? found : canonicalLocation(*c.mesh, found);
}

MeshLocation Surface::surfaceLocation(const Point2& p) const {
  const Cache& c = cache();
  const MeshLocation at = tri_->locate(p);
  if (at.kind == MeshLocation::Kind::Outside) return {};
  const std::int32_t t = c.surfaceTriangle[at.triangle];
  const Mesh& all = tri_->mesh();
  switch (at.kind) {
    case MeshLocation::Kind::Face:
      if (t >= 0) return {at.kind, t, -1};
      return {};
    case MeshLocation::Kind::Edge: {
      if (t >= 0) return at.triangle == t ? at : MeshLocation{at.kind, t, at.index};
      const std::int32_t n = all.neighbours[at.triangle][at.index];
      if (n < 0 || c.surfaceTriangle[n] < 0) return {};
      const int j = all.neighbours[n][0] == at.triangle ? 0 : all.neighbours[n][1] == at.triangle ? 1 : 2;
      return {at.kind, c.surfaceTriangle[n], j};
    }
    default: {
      const std::int32_t v = all.triangles[at.triangle].v[at.index];
      const std::int32_t s = c.own.vertexTriangle[v];
      if (s < 0) return {};
      const Triangle& tri = c.own.triangles[s];
      return {at.kind, s, tri.v[0] == v ? 0 : tri.v[1] == v ? 1 : 2};
    }
  }
}

std::int32_t Surface::triangleAt(const Point2& p) const { return locate(p).triangle; }

void Surface::trianglesAt(std::span<const Point2> points, std::vector<std::int32_t>& out) const {
  detail::reserveLarge(out, points.size());
  out.resize(points.size());
  if (def_.settings.maxEdgeLength == 0.0) {
    locateMany(mesh(), points, out.data(), nullptr);
    return;
  }
  for (std::size_t i = 0; i < points.size(); ++i) out[i] = locate(points[i]).triangle;
}

void Surface::elevations(std::span<const Point2> points, std::vector<double>& z) const {
  elevations(PlanView(points), z);
}

void Surface::elevations(PlanView points, std::vector<double>& z) const {
  detail::reserveLarge(z, points.size());
  z.resize(points.size());
  if (def_.settings.maxEdgeLength == 0.0) {
    locateMany(mesh(), points, nullptr, z.data());
    return;
  }
  for (std::size_t i = 0; i < points.size(); ++i)
    z[i] = elevation(points[i]).value_or(std::numeric_limits<double>::quiet_NaN());
}

std::optional<double> Surface::elevation(const Point2& p) const {
  const MeshLocation loc = locate(p);
  if (loc.kind == MeshLocation::Kind::Outside) return std::nullopt;
  const Mesh& m = mesh();
  if (loc.kind == MeshLocation::Kind::Vertex) return m.corner(loc.triangle, loc.index).z;
  return elevationInTriangle(m, loc.triangle, p);
}

std::vector<std::int32_t> Surface::trianglesInPolygon(std::span<const Point2> polygon) const {
  return tin::trianglesInPolygon(mesh(), polygon);
}

std::vector<std::int32_t> Surface::edgesInPolygon(std::span<const Point2> polygon) const {
  return tin::edgesInPolygon(mesh(), edges(), polygon);
}

DrapeResult Surface::drape(std::span<const Point3> points, std::span<const double> bulges,
                           const DrapeOptions& options) const {
  const Mesh& m = mesh();
  return tin::drape(m, [this](const Point2& p) { return locate(p); }, points, bulges, options);
}

void Surface::traceContours(std::span<const double> levels, ContourSink& sink) const {
  const Cache& c = cache();
  // Contour commands ask for one level at a time; many levels at once are traced in one pass.
  if (levels.size() != 1) return tin::traceContours(*c.mesh, levels, sink);
  if (!c.levels) cache_->levels = std::make_unique<LevelIndex>(*c.mesh);
  tin::traceContour(*c.mesh, *c.levels, levels[0], sink);
}

// --- validity ------------------------------------------------------------------------------

Validity Surface::isValid() const {
  Validity r;
  auto problem = [&](auto&&... parts) {
    std::ostringstream s;
    s.precision(17);
    (s << ... << parts);
    r.problems.push_back(s.str());
  };
  if (!tri_) {
    checkCompact(r);
    return r;
  }
  // The sites are derived from the definition and the triangulation; made here if a load
  // left them to the first edit.
  const_cast<Surface*>(this)->ensureSites();
  tri_->check(r.problems);

  // Sites, points and vertices agree.
  if (vertexSite_.size() != static_cast<std::size_t>(tri_->vertexCount()))
    problem("vertex tables hold ", vertexSite_.size(), " entries for ", tri_->vertexCount(), " vertices");
  for (std::size_t k = 0; k < def_.points.size(); ++k) {
    const Site& site = sites_[pointSite_[k]];
    if (site.point != static_cast<std::int32_t>(k) || site.vertex < 0) {
      problem("survey point ", k, " has no vertex");
      continue;
    }
    if (site.vertex != static_cast<std::int32_t>(k)) problem("survey point ", k, " is vertex ", site.vertex);
    const Point2 at = tri_->position(site.vertex);
    if (at.x != def_.points[k].x || at.y != def_.points[k].y) problem("survey point ", k, " moved");
    if (!(tri_->elevation(site.vertex) == def_.points[k].z)) problem("survey point ", k, " lost its elevation");
  }
  for (std::size_t s = 0; s < sites_.size(); ++s)
    if (sites_[s].vertex < 0 || vertexSite_[sites_[s].vertex] != static_cast<std::int32_t>(s))
      problem("position ", sites_[s].x, ",", sites_[s].y, " is not a vertex");

  // Elevations, computed afresh from the definition.
  std::vector<double> fresh;
  resolveAll(fresh);
  for (std::size_t v = 0; v < fresh.size(); ++v) {
    const double z = tri_->elevation(static_cast<std::int32_t>(v));
    if (std::isnan(fresh[v])) problem("vertex ", v, " has no elevation by the rules");
    else if (!(fresh[v] == z)) problem("vertex ", v, " has elevation ", z, ", the rules give ", fresh[v]);
  }

  if (swapApplied_.size() != def_.swaps.size()) problem("swaps made are not accounted for");

  // The mesh: counter-clockwise, links and boundary as recomputed from scratch.
  const Mesh& m = mesh();
  for (std::size_t t = 0; t < m.triangles.size(); ++t)
    if (orientation(m.corner(t, 0), m.corner(t, 1), m.corner(t, 2)) <= 0) problem("triangle ", t, " is not counter-clockwise");
  Mesh relinked = m;
  linkMesh(relinked);
  if (relinked.neighbours != m.neighbours) problem("mesh neighbours differ from the triangles' own sides");
  auto sides = [](std::vector<TriangleSide> v) {
    std::sort(v.begin(), v.end(), [](const TriangleSide& a, const TriangleSide& b) {
      return a.triangle != b.triangle ? a.triangle < b.triangle : a.side < b.side;
    });
    return v;
  };
  const auto want = sides(relinked.boundarySides), have = sides(m.boundarySides);
  if (want.size() != have.size() || !std::equal(want.begin(), want.end(), have.begin(), [](const auto& a, const auto& b) {
        return a.triangle == b.triangle && a.side == b.side;
      }))
    problem("the mesh's boundary sides are stale");
  for (std::size_t v = 0; v < m.vertices.size(); ++v)
    if (m.vertexTriangle[v] >= 0 && std::find(m.triangles[m.vertexTriangle[v]].v, m.triangles[m.vertexTriangle[v]].v + 3,
                                              static_cast<std::int32_t>(v)) == m.triangles[m.vertexTriangle[v]].v + 3)
      problem("point ", v, " names a triangle without it");
  return r;
}

void Surface::checkCompact(Validity& r) const {
  auto problem = [&](auto&&... parts) {
    std::ostringstream s;
    s.precision(17);
    (s << ... << parts);
    r.problems.push_back(s.str());
  };
  const Mesh& m = cache_->own;
  if (m.vertices != def_.points) problem("mesh points differ from the survey points");
  const auto np = static_cast<std::int32_t>(m.vertices.size());
  for (std::size_t t = 0; t < m.triangles.size(); ++t) {
    const Triangle& tri = m.triangles[t];
    if (!(tri.v[0] < tri.v[1] && tri.v[0] < tri.v[2])) problem("triangle ", t, " does not start at its smallest index");
    for (int i = 0; i < 3; ++i)
      if (tri.v[i] < 0 || tri.v[i] >= np) {
        problem("triangle ", t, " names no point");
        return;
      }
    if (orientation(m.corner(t, 0), m.corner(t, 1), m.corner(t, 2)) <= 0) problem("triangle ", t, " is not counter-clockwise");
    // Delaunay: no neighbour's far corner strictly inside the circle.
    for (int i = 0; i < 3; ++i) {
      const std::int32_t n = m.neighbours[t][i];
      if (n < 0) continue;
      const Triangle& o = m.triangles[n];
      int far = 0;
      while (far < 3 && (o.v[far] == tri.v[(i + 1) % 3] || o.v[far] == tri.v[(i + 2) % 3])) ++far;
      if (far == 3) continue;
      if (inCircle(m.corner(t, 0).plan(), m.corner(t, 1).plan(), m.corner(t, 2).plan(), m.vertices[o.v[far]].plan()) > 0)
        problem("side ", tri.v[(i + 1) % 3], "-", tri.v[(i + 2) % 3], " is not Delaunay");
    }
  }
  Mesh relinked = m;
  linkMesh(relinked);
  if (relinked.neighbours != m.neighbours) problem("mesh neighbours differ from the triangles' own sides");
  if (m.triangles.empty()) {
    // Then the points lie on one line, or there are fewer than three.
    for (std::int32_t k = 2; k < np; ++k)
      if (orientation(m.vertices[0], m.vertices[1], m.vertices[k]) != 0) problem("points off one line left untriangulated");
    return;
  }
  // One convex ring around everything, every point used.
  const auto& rings = boundaryRings();
  if (rings.size() != 1) problem("the surface ends in ", rings.size(), " rings, not one");
  for (const auto& ring : rings)
    for (std::size_t k = 0; k < ring.size(); ++k)
      if (orientation(ring[k], ring[(k + 1) % ring.size()], ring[(k + 2) % ring.size()]) < 0)
        problem("the boundary turns right at ", ring[(k + 1) % ring.size()].x, ",", ring[(k + 1) % ring.size()].y);
  for (std::int32_t v = 0; v < np; ++v)
    if (m.vertexTriangle[v] < 0) problem("point ", v, " is in no triangle");
  if (rings.size() == 1 && m.triangles.size() != 2 * m.vertices.size() - 2 - rings[0].size())
    problem(m.triangles.size(), " triangles for ", np, " points and ", rings[0].size(), " on the hull");
}

}  // namespace tin
