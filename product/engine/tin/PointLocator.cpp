// SPDX-License-Identifier: GPL-3.0-or-later
#include "tin/PointLocator.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

#include "tin/Delaunay.h"
#include "tin/LargeArrays.h"
#include "tin/Predicates.h"
#include "tin/RadixSort.h"

namespace tin {

namespace {

constexpr std::uint32_t kSeed = 0x9E3779B9u;

// Where p lies in triangle t by the orientations o[i] of p against side i: beyond a side
// (Outside), inside, on one side or on a corner (two sides through p meet at the corner
// opposite the third).
MeshLocation classifyBy(std::int32_t t, const int o[3]) {
  if (o[0] < 0 || o[1] < 0 || o[2] < 0) return {};
  const int zeros = (o[0] == 0) + (o[1] == 0) + (o[2] == 0);
  if (zeros == 0) return {MeshLocation::Kind::Face, t, -1};
  if (zeros == 1) return {MeshLocation::Kind::Edge, t, o[0] == 0 ? 0 : o[1] == 0 ? 1 : 2};
  return {MeshLocation::Kind::Vertex, t, o[0] != 0 ? 0 : o[1] != 0 ? 1 : 2};
}

// Where p lies on the mesh by a test of every triangle: the last resort of a walk that has taken
// an absurd number of steps (never seen).
MeshLocation scanMesh(const Mesh& mesh, const Point2& p) {
  for (std::size_t t = 0; t < mesh.triangles.size(); ++t) {
    const auto ti = static_cast<std::int32_t>(t);
    int o[3];
    for (int i = 0; i < 3; ++i) o[i] = orientation(mesh.corner(ti, (i + 1) % 3).plan(), mesh.corner(ti, (i + 2) % 3).plan(), p);
    const MeshLocation loc = classifyBy(ti, o);
    if (loc.kind != MeshLocation::Kind::Outside) return canonicalLocation(mesh, loc);
  }
  return {};
}

// The sides of the counter-clockwise triangle c that p lies strictly beyond (bit i for side i,
// from c[i+1] to c[i+2]) and those it lies strictly inside of; a side in neither holds p.
// Exact, as orientation() is, by the same filter, but without a branch on each sign, which a
// walk cannot predict: only a sign the filter cannot decide takes the exact test.
struct Sides {
  unsigned beyond = 0, inside = 0;
};
inline Sides sidesOf(const Point2 (&c)[3], const Point2& p) {
  Sides s;
  unsigned unsure = 0;
  for (unsigned i = 0; i < 3; ++i) {
    const detail::FilteredSign f = detail::orientationFilter(c[(i + 1) % 3], c[(i + 2) % 3], p);
    s.inside |= static_cast<unsigned>(f.certain & (f.det > 0)) << i;
    s.beyond |= static_cast<unsigned>(f.certain & (f.det < 0)) << i;
    unsure |= static_cast<unsigned>(!f.certain) << i;
  }
  unsure |= ~(s.inside | s.beyond) & 7u;
  if (unsure != 0) [[unlikely]] {
    for (unsigned i = 0; i < 3; ++i) {
      if (!(unsure >> i & 1u)) continue;
      const int o = orientationExact(c[(i + 1) % 3], c[(i + 2) % 3], p);
      s.inside = (s.inside & ~(1u << i)) | static_cast<unsigned>(o > 0) << i;
      s.beyond = (s.beyond & ~(1u << i)) | static_cast<unsigned>(o < 0) << i;
    }
  }
  return s;
}

// The side a walk leaves by, by the sides the point lies beyond and a random bit: of two, the
// first or the second.
constexpr std::int8_t kExit[8][2] = {{-1, -1}, {0, 0}, {1, 1}, {0, 1}, {2, 2}, {0, 2}, {1, 2}, {0, 2}};

// The corner where the two sides p lies beyond meet (0 for one side), and the side the line to
// p leaves by, by whether that corner lies right or left of it.
constexpr std::int8_t kCornerOf[8] = {0, 0, 0, 2, 0, 1, 0, 0};
constexpr std::int8_t kExitBy[8][2] = {{0, 0}, {0, 0}, {1, 1}, {1, 0}, {2, 2}, {0, 2}, {2, 1}, {0, 0}};

// classifyBy() for a point beyond no side of t, on those not in `inside`.
MeshLocation classifyInside(std::int32_t t, unsigned inside) {
  const int o[3] = {static_cast<int>(inside & 1u), static_cast<int>(inside >> 1 & 1u), static_cast<int>(inside >> 2 & 1u)};
  return classifyBy(t, o);
}

// The centroids of every stride-th triangle, which start walks: the mesh's order follows a curve
// through the plane, so the sample is spread as the triangles are.
std::vector<std::pair<Point2, std::int32_t>> centroidSample(const Mesh& mesh, std::size_t stride) {
  const std::size_t nt = mesh.triangles.size();
  constexpr std::size_t kAhead = 8;
  std::vector<std::pair<Point2, std::int32_t>> sample;
  sample.reserve(nt / stride + 1);
  for (std::size_t t = 0; t < nt; t += stride) {
    if (t + kAhead * stride < nt) {
      for (const std::int32_t v : mesh.triangles[t + kAhead * stride].v)
        __builtin_prefetch(&mesh.vertices[static_cast<std::size_t>(v)]);
    }
    const auto ti = static_cast<std::int32_t>(t);
    const Point3 &a = mesh.corner(ti, 0), &b = mesh.corner(ti, 1), &c = mesh.corner(ti, 2);
    sample.push_back({{(a.x + b.x + c.x) / 3.0, (a.y + b.y + c.y) / 3.0}, ti});
  }
  return sample;
}

}  // namespace

PointLocator::PointLocator(const Mesh& mesh) : mesh_(mesh) { fill(kFirstStride); }

void PointLocator::fill(std::size_t stride) const {
  const std::size_t nt = mesh_.triangles.size();
  stride_ = stride;
  if (nt == 0) return;
  // A sample of the triangles gives each cell a start: a first query on a large surface reads
  // a small share of the mesh instead of all of it.
  const std::vector<std::pair<Point2, std::int32_t>> sample = centroidSample(mesh_, stride);
  for (std::size_t k = 0; k < sample.size(); ++k) {
    const Point2 c = sample[k].first;
    x0_ = k == 0 ? c.x : std::min(x0_, c.x);
    y0_ = k == 0 ? c.y : std::min(y0_, c.y);
    x1_ = k == 0 ? c.x : std::max(x1_, c.x);
    y1_ = k == 0 ? c.y : std::max(y1_, c.y);
  }
  // About two sampled triangles a cell (2 x stride triangles): a walk crosses about a cell. Points
  // beyond the sample's box take the nearest cell.
  const double w = x1_ - x0_, h = y1_ - y0_;
  const double cells = std::max(1.0, static_cast<double>(sample.size()) / 2.0);
  const double side = std::max({std::sqrt(std::max(w * h, 1e-300) / cells), std::max(w, h) / 8192.0, 1e-300});
  inv_ = 1.0 / side;
  nx_ = std::clamp<std::int64_t>(static_cast<std::int64_t>(w * inv_) + 1, 1, 8192);
  ny_ = std::clamp<std::int64_t>(static_cast<std::int64_t>(h * inv_) + 1, 1, 8192);
  cells_.assign(static_cast<std::size_t>(nx_ * ny_), -1);
  for (const auto& [c, t] : sample) {
    std::int32_t& cell = cells_[static_cast<std::size_t>(hint(c))];
    if (cell < 0) cell = t;
  }
  // Empty cells borrow the nearest filled one in storage order.
  std::int32_t carry = -1;
  for (auto& c : cells_) (c < 0) ? void(c = carry) : void(carry = c);
  carry = -1;
  for (auto it = cells_.rbegin(); it != cells_.rend(); ++it) (*it < 0) ? void(*it = carry) : void(carry = *it);
}

std::int32_t PointLocator::hint(const Point2& p) const {
  auto index = [&](double v, double v0, std::int64_t n) {
    const double k = std::floor((v - v0) * inv_);
    return static_cast<std::int64_t>(std::clamp(k, 0.0, static_cast<double>(n - 1)));
  };
  return static_cast<std::int32_t>(index(p.y, y0_, ny_) * nx_ + index(p.x, x0_, nx_));
}

MeshLocation PointLocator::walk(std::int32_t t, const Point2& p, std::uint32_t& seed, std::int32_t& last) const {
  const std::size_t limit = 256 + 4 * mesh_.triangles.size();
  for (std::size_t step = 0; step < limit; ++step) {
    last = t;
    int o[3];
    for (int i = 0; i < 3; ++i) o[i] = orientation(corner(t, (i + 1) % 3).plan(), corner(t, (i + 2) % 3).plan(), p);
    const int beyond = (o[0] < 0) + (o[1] < 0) + (o[2] < 0);
    if (beyond == 0) return canonicalLocation(mesh_, classifyBy(t, o));
    int exit = o[0] < 0 ? 0 : o[1] < 0 ? 1 : 2;
    if (beyond > 1) {
      // Which of the two sides to leave by is drawn at random, which keeps the walk from
      // circling on a triangulation that is not Delaunay.
      seed ^= seed << 13;
      seed ^= seed >> 17;
      seed ^= seed << 5;
      if (seed & 1u) exit = o[2] < 0 ? 2 : 1;
    }
    const std::int32_t next = mesh_.neighbours[t][exit];
    if (next < 0) return {};  // beyond a side of the convex hull
    t = next;
  }
  return scanMesh(mesh_, p);
}

MeshLocation PointLocator::locate(const Point2& p) const {
  if (cells_.empty() || !std::isfinite(p.x) || !std::isfinite(p.y)) return {};
  // Many queries one by one pay for a finer grid (four times the sample) in shorter walks
  // once they number a quarter of the triangles it reads.
  if (stride_ > kLastStride && ++queries_ * 4 * (stride_ / 4) >= mesh_.triangles.size()) fill(stride_ / 4);
  std::uint32_t seed = kSeed;
  std::int32_t last = -1;
  return walk(cells_[static_cast<std::size_t>(hint(p))], p, seed, last);
}

namespace {

// One stretch of the curve being walked: its next query and where its walk stands.
struct Stretch {
  std::size_t next = 0, end = 0;  // positions in the visiting order
  std::int32_t t = -1;             // the triangle the walk stands in
  Point2 from;                     // where the walk comes from: the query before, in t or near it
  std::size_t steps = 0;           // of the current query's walk
  std::uint32_t seed = kSeed;
  bool jumped = false;             // to t from afar: `from` is to be t's centroid
  std::size_t primed = 0;          // the query whose start's positions were asked for last
};

// The side a walk in the triangle with corners c leaves by toward p, of the sides p lies beyond
// (bits, as sidesOf() gives them). Of two, the one the line from the walk's start to p crosses:
// the walk then follows that line, which ends on any triangulation. A walk that has not ended
// in a few dozen steps (its start not in the triangle it began in, after a query off the
// surface) draws the side at random instead, which ends too.
inline int exitToward(unsigned beyond, Stretch& w, const Point2 (&c)[3], const Point2& p) {
  if (w.steps >= 64) [[unlikely]] {
    w.seed ^= w.seed << 13;
    w.seed ^= w.seed >> 17;
    w.seed ^= w.seed << 5;
    return kExit[beyond][w.seed & 1u];
  }
  // Two sides meet at a corner, and the line passes it on one side or the other; for one side
  // the answer is that side whichever way, so no branch waits on the test.
  return kExitBy[beyond][leftOf(w.from, p, c[kCornerOf[beyond]])];
}

}  // namespace

void locateMany(const Mesh& mesh, PlanView points, std::int32_t* triangles, double* z) {
  constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
  const std::size_t nt = mesh.triangles.size();
  auto none = [&](std::size_t i) {
    if (triangles) triangles[i] = -1;
    if (z) z[i] = kNone;
  };
  if (nt == 0) {
    for (std::size_t i = 0; i < points.size(); ++i) none(i);
    return;
  }
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  bool first = true;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const Point2 p = points[i];
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) continue;
    x0 = first ? p.x : std::min(x0, p.x);
    y0 = first ? p.y : std::min(y0, p.y);
    x1 = first ? p.x : std::max(x1, p.x);
    y1 = first ? p.y : std::max(y1, p.y);
    first = false;
  }
  // The points' places along a curve, sorted; the low half (the caller's index) already
  // increases, so a stable sort on the high half is enough. On a mesh with cells along its
  // curve, the place is the point's cell there: a walk may then start in the point's own cell
  // instead of at the point before, which on a large mesh lies many triangles away. Otherwise
  // the top 22 bits of a Hilbert curve over the points (two passes instead of three): its cells
  // are a 2048th of the points' box across, finer than the spacing of a million points. Points
  // within a cell keep the caller's order. After the walks the high half holds the answer's
  // triangle.
  const CurveCells& cells = mesh.curveCells;
  const bool jumps = !cells.first.empty();
  std::vector<std::uint64_t> order;
  detail::reserveLarge(order, points.size());
  for (std::size_t i = 0; i < points.size(); ++i) {
    const Point2 p = points[i];
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) {
      none(i);
      continue;
    }
    const std::uint32_t place = jumps ? cells.cellOf(p) : detail::hilbertKey(p.x, p.y, x0, y0, x1, y1) >> 10;
    order.push_back((static_cast<std::uint64_t>(place) << 32) | i);
  }
  if (order.empty()) return;
  {
    std::vector<std::uint64_t> scratch;
    detail::reserveLarge(scratch, order.size());
    detail::radixSort(order, [](std::uint64_t k) { return k >> 32; }, jumps ? cells.bits : 22, scratch);
  }
  auto indexOf = [&](std::size_t k) { return static_cast<std::size_t>(order[k] & 0xFFFFFFFFu); };
  // The points gathered in the visiting order, in one pass of independent reads: read one by
  // one between the steps of the walks, each was a wait of its own on the caller's scattered
  // records. After its walk a query's x holds its elevation.
  std::vector<Point2> at;
  detail::reserveLarge(at, order.size());
  {
    constexpr std::size_t kAhead = 16;
    for (std::size_t k = 0; k < order.size(); ++k) {
      if (k + kAhead < order.size()) __builtin_prefetch(points.address(indexOf(k + kAhead)));
      at.push_back(points[indexOf(k)]);
    }
  }
  const Point3* vertices = mesh.vertices.data();
  const Triangle* corners = mesh.triangles.data();
  const auto* neighbours = mesh.neighbours.data();
  // Each query that opens a cell gets its start in that cell now, in one pass that reads the
  // cells in their order, instead of a wait on the cell table between the walks' steps. The high
  // half then holds the start, or kNoJump for a query that walks on from the one before.
  constexpr std::uint32_t kNoJump = ~0u;
  if (jumps) {
    std::uint32_t before = kNoJump;
    for (std::size_t k = 0; k < order.size(); ++k) {
      const auto cell = static_cast<std::uint32_t>(order[k] >> 32);
      const std::int32_t start = cell != before ? cells.startFor(cell, at[k]) : -1;
      before = cell;
      const std::uint32_t jump = start >= 0 && static_cast<std::size_t>(start) < nt ? static_cast<std::uint32_t>(start) : kNoJump;
      order[k] = (static_cast<std::uint64_t>(jump) << 32) | (order[k] & 0xFFFFFFFFu);
    }
  }
  auto startOf = [&](std::size_t k) { return static_cast<std::uint32_t>(order[k] >> 32); };

  // Each stretch starts at the nearest of a sample of triangles spread over the mesh: a few
  // dozen steps, once per stretch.
  constexpr std::size_t kSample = 4096;
  const std::vector<std::pair<Point2, std::int32_t>> sample = centroidSample(mesh, std::max<std::size_t>(1, nt / kSample));
  auto startFor = [&](const Point2& p) {
    std::pair<Point2, std::int32_t> best = sample.front();
    double bestD = std::numeric_limits<double>::infinity();
    for (const auto& [c, t] : sample) {
      const double dx = c.x - p.x, dy = c.y - p.y, d = dx * dx + dy * dy;
      if (d < bestD) {
        bestD = d;
        best = {c, t};
      }
    }
    return best;
  };

  // Sixteen stretches: enough walks in flight that what one asked for has arrived when its
  // turn comes again, few enough that each stays a long run along the curve.
  const std::size_t count = std::min<std::size_t>(16, (order.size() + 63) / 64);
  std::vector<Stretch> stretches(count);
  for (std::size_t s = 0; s < count; ++s) {
    Stretch& w = stretches[s];
    w.next = order.size() * s / count;
    w.end = order.size() * (s + 1) / count;
    std::tie(w.from, w.t) = startFor(at[w.next]);
  }
  const std::size_t limit = 256 + 4 * nt;
  auto finish = [&](Stretch& w, const MeshLocation& where) {
    const std::size_t k = w.next;
    w.from = at[k];
    std::int32_t t = -1;
    double height = kNone;
    if (where.kind != MeshLocation::Kind::Outside) {
      // A point inside a triangle is told by it; on a side or a corner by the smallest there.
      t = where.kind == MeshLocation::Kind::Face ? where.triangle : canonicalLocation(mesh, where).triangle;
      const Triangle& c = corners[t];
      if (z) height = planeElevation(vertices[c.v[0]], vertices[c.v[1]], vertices[c.v[2]], at[k]);
    }
    order[k] = (static_cast<std::uint64_t>(static_cast<std::uint32_t>(t)) << 32) | (order[k] & 0xFFFFFFFFu);
    at[k].x = height;
    ++w.next;
    w.steps = 0;
    // The start of the query after next is asked for now, two queries ahead of its turn.
    if (jumps && w.next + 2 < w.end) {
      if (const std::uint32_t start = startOf(w.next + 2); start != kNoJump) {
        __builtin_prefetch(&corners[start]);
        __builtin_prefetch(&neighbours[start]);
      }
    }
  };
  // A step to a triangle asks for its record (its corners and neighbours); the next round reads
  // the corners and asks for their positions, which the same round then tests. Asking ahead for
  // the records of all the triangles a walk might enter next, as this did before, fetched lines
  // it never used, and cost more than it saved.
  constexpr std::size_t kQueriesAhead = 8;
  for (bool active = true; active;) {
    // Each round asks for the corners of the triangle each walk stands in, in one run of
    // independent reads, and then steps each walk once.
    for (Stretch& w : stretches) {
      if (w.next >= w.end) continue;
      for (const std::int32_t v : corners[w.t].v) __builtin_prefetch(&vertices[v]);
      // The next query's start was asked for a query ago: its corners are at hand, their
      // positions are asked for now.
      if (jumps && w.primed != w.next + 1 && w.next + 1 < w.end) {
        w.primed = w.next + 1;
        if (const std::uint32_t start = startOf(w.next + 1); start != kNoJump)
          for (const std::int32_t v : corners[start].v) __builtin_prefetch(&vertices[v]);
      }
      // The stretch's queries lie in a run of the visiting order, read and written there: a
      // few ahead are asked for, as sixteen runs at once are more than the processor follows
      // by itself.
      if (w.next + kQueriesAhead < w.end) {
        __builtin_prefetch(&at[w.next + kQueriesAhead]);
        __builtin_prefetch(&order[w.next + kQueriesAhead]);
      }
    }
    active = false;
    for (Stretch& w : stretches) {
      if (w.next >= w.end) continue;
      active = true;
      // Steps in the triangle whose corners are at hand, query after query while they lie in
      // it; a step to another triangle waits for the next round.
      const Triangle& c = corners[w.t];
      const Point2 plan[3] = {vertices[c.v[0]].plan(), vertices[c.v[1]].plan(), vertices[c.v[2]].plan()};
      if (w.jumped) {
        w.from = {(plan[0].x + plan[1].x + plan[2].x) / 3.0, (plan[0].y + plan[1].y + plan[2].y) / 3.0};
        w.jumped = false;
      }
      while (w.next < w.end) {
        const Point2 p = at[w.next];
        const Sides sides = sidesOf(plan, p);
        if (sides.beyond == 0) {
          finish(w, sides.inside == 7u ? MeshLocation{MeshLocation::Kind::Face, w.t, -1} : classifyInside(w.t, sides.inside));
          continue;
        }
        if (jumps && w.steps == 0) {
          // A point in another cell than the one before starts in its own cell, where its
          // place on the curve says, unless the cell is empty (off the surface, or in a gap).
          const std::uint32_t start = startOf(w.next);
          if (start != kNoJump && static_cast<std::int32_t>(start) != w.t) {
            w.t = static_cast<std::int32_t>(start);
            w.jumped = true;
            __builtin_prefetch(&corners[start]);
            __builtin_prefetch(&neighbours[start]);
            break;
          }
        }
        const int exit = exitToward(sides.beyond, w, plan, p);
        const std::int32_t n = neighbours[w.t][exit];
        if (n < 0) {
          // Beyond a side of the convex hull: off the surface; the next walk starts here.
          finish(w, {});
          continue;
        }
        if (++w.steps > limit) {
          finish(w, scanMesh(mesh, p));  // never seen: every triangle is tried, as one query alone would
          continue;
        }
        w.t = n;
        __builtin_prefetch(&corners[n]);
        __builtin_prefetch(&neighbours[n]);
        break;
      }
    }
  }
  // The answers back to the caller's order: independent writes, in one pass.
  for (std::size_t k = 0; k < order.size(); ++k) {
    const std::size_t i = indexOf(k);
    if (triangles) triangles[i] = static_cast<std::int32_t>(order[k] >> 32);
    if (z) z[i] = at[k].x;
  }
}

}  // namespace tin
