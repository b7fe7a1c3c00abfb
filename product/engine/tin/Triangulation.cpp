// SPDX-License-Identifier: GPL-3.0-or-later
#include "tin/Triangulation.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <limits>
#include <sstream>
#include <stdexcept>
#include <unordered_map>
#include <unordered_set>

#include "tin/LargeArrays.h"
#include "tin/MeshOrder.h"
#include "tin/NearestFill.h"
#include "tin/Predicates.h"

namespace tin::detail {

namespace {

// A bend made within rounding may meet a further line, and its crossing bend again; real data
// never nests more than a few, and only a hostile file nests without end.
constexpr int kMostBendsWithinBends = 32;

int next(int i) { return i == 2 ? 0 : i + 1; }
int prev(int i) { return i == 0 ? 2 : i - 1; }

double cross(double ax, double ay, double bx, double by) { return ax * by - ay * bx; }

// q on the ray from u through t, all three on one line: one coordinate decides, exactly.
bool onRay(const Point2& u, const Point2& t, const Point2& q) {
  if (t.x != u.x) return (q.x - u.x > 0) == (t.x - u.x > 0) && q.x != u.x;
  return (q.y - u.y > 0) == (t.y - u.y > 0) && q.y != u.y;
}

std::uint64_t edgeKey(std::int32_t a, std::int32_t b) {
  if (a > b) std::swap(a, b);
  return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(a)) << 32) | static_cast<std::uint32_t>(b);
}

}  // namespace

struct Triangulation::Impl {
  // The triangulation itself: vertices with their positions and elevations, triangles,
  // neighbours, break-line flags and one triangle per vertex are kept current through every
  // change; the boundary sides by publish(), when a change reached the hull.
  Mesh m;
  bool boundaryDirty = true;
  std::vector<std::vector<std::int32_t>> chains;          // break line -> vertices along it
  std::vector<std::array<std::int32_t, 2>> lineEnds;      // break line -> its two end vertices
  std::unordered_map<std::int32_t, std::vector<std::int32_t>> linesAt;  // vertex -> lines, ascending
  // Flips made since the last undoFlips(), in order: the new diagonal, then the one it replaced.
  struct Flip {
    std::int32_t u, v, a, b;
  };
  std::vector<Flip> flips;
  std::int32_t lastTriangle = -1;  // where the last insertion ended: the next walk starts there
  // A coarse grid of vertices over the box of the vertices when it was made, about four
  // vertices a cell: a walk starts at the vertex of the cell of its point. Stale entries are
  // harmless (vertices are never removed), so it follows insertions and renumbering cheaply.
  mutable std::vector<std::int32_t> cells;
  mutable double cx0 = 0, cy0 = 0, cix = 1, ciy = 1;
  mutable std::int64_t cn = 0;
  mutable std::size_t cellsFor = 0;
  std::vector<std::pair<std::int32_t, std::int32_t>> work;  // sides to make Delaunay again
  // The triangles whose corners were written since takeWritten(), for callers that keep a copy
  // of them; once they would be more than an eighth of all, only that fact is kept.
  std::vector<std::int32_t> written;
  bool writtenWhole = true;

  bool hasTriangles() const { return !m.triangles.empty(); }
  std::int32_t triangleCount() const { return static_cast<std::int32_t>(m.triangles.size()); }
  Point2 pos(std::int32_t v) const { return m.vertices[v].plan(); }
  const std::int32_t* corners(std::int32_t t) const { return m.triangles[t].v; }
  int indexOf(std::int32_t t, std::int32_t v) const {
    const std::int32_t* c = corners(t);
    return c[0] == v ? 0 : c[1] == v ? 1 : c[2] == v ? 2 : -1;
  }
  int sideTo(std::int32_t t, std::int32_t n) const {
    const auto& nb = m.neighbours[t];
    return nb[0] == n ? 0 : nb[1] == n ? 1 : nb[2] == n ? 2 : -1;
  }
  bool constrained(std::int32_t t, int i) const { return (m.breakLineSides[t] >> i) & 1u; }
  void setFlag(std::int32_t t, int i, bool on) {
    if (on) m.breakLineSides[t] |= static_cast<std::uint8_t>(1u << i);
    else m.breakLineSides[t] &= static_cast<std::uint8_t>(~(1u << i));
  }
  void relink(std::int32_t n, std::int32_t from, std::int32_t to) {
    if (n < 0) return;
    const int k = sideTo(n, from);
    if (k < 0) throw std::runtime_error("triangulation: broken neighbour link");
    m.neighbours[n][k] = to;
  }
  // Arrays of a large surface grow by an eighth, not by doubling: an edited surface keeps
  // what it has, and a few edits do not double its memory.
  template <class V>
  static void roomFor(V& v) {
    if (v.size() == v.capacity()) v.reserve(v.size() + v.size() / 8 + 256);
  }
  std::int32_t newTriangle() {
    roomFor(m.triangles);
    roomFor(m.neighbours);
    roomFor(m.breakLineSides);
    m.triangles.push_back({});
    m.neighbours.push_back({-1, -1, -1});
    m.breakLineSides.push_back(0);
    return triangleCount() - 1;
  }
  void noteWritten(std::int32_t t) {
    if (writtenWhole) return;
    written.push_back(t);
    if (written.size() > 4096 + m.triangles.size() / 8) {
      writtenWhole = true;
      detail::release(written);
    }
  }
  void setTriangle(std::int32_t t, std::int32_t a, std::int32_t b, std::int32_t c) {
    m.triangles[t] = Triangle{{a, b, c}};
    noteWritten(t);
    m.vertexTriangle[a] = m.vertexTriangle[b] = m.vertexTriangle[c] = t;
  }
  void pushSides(std::int32_t t) {
    for (int i = 0; i < 3; ++i) work.push_back({t, i});
  }

  // Calls fn(t, k) for the triangles around v (k: v's corner in t) until it returns true.
  template <class Fn>
  bool around(std::int32_t v, Fn&& fn) const {
    const std::int32_t t0 = m.vertexTriangle[v];
    if (t0 < 0) return false;
    std::int32_t t = t0;
    for (;;) {
      const int k = indexOf(t, v);
      if (fn(t, k)) return true;
      t = m.neighbours[t][next(k)];
      if (t == t0) return false;
      if (t < 0) break;
    }
    for (t = m.neighbours[t0][prev(indexOf(t0, v))]; t >= 0; t = m.neighbours[t][prev(indexOf(t, v))])
      if (fn(t, indexOf(t, v))) return true;
    return false;
  }

  // The side (t, i) between vertices a and b.
  bool findEdge(std::int32_t a, std::int32_t b, std::int32_t& t, int& i) const {
    return around(a, [&](std::int32_t f, int k) {
      const int kb = indexOf(f, b);
      if (kb < 0) return false;
      t = f;
      i = 3 - k - kb;
      return true;
    });
  }

  // Replaces the diagonal q-r of the quadrilateral p, q, d, r (t = p, q, r; its side i, across
  // which lies d) by p-d: t becomes (p, q, d), its neighbour (p, d, r).
  void flip(std::int32_t t, int i) {
    const std::int32_t n = m.neighbours[t][i];
    const int j = sideTo(n, t);
    const std::int32_t p = corners(t)[i], q = corners(t)[next(i)], r = corners(t)[prev(i)], d = corners(n)[j];
    const std::int32_t nRP = m.neighbours[t][next(i)], nPQ = m.neighbours[t][prev(i)];
    const std::int32_t nQD = m.neighbours[n][next(j)], nDR = m.neighbours[n][prev(j)];
    const bool cRP = constrained(t, next(i)), cPQ = constrained(t, prev(i));
    const bool cQD = constrained(n, next(j)), cDR = constrained(n, prev(j));
    if (nRP < 0 || nPQ < 0 || nQD < 0 || nDR < 0) boundaryDirty = true;
    setTriangle(t, p, q, d);
    setTriangle(n, p, d, r);
    m.neighbours[t] = {nQD, n, nPQ};
    m.neighbours[n] = {nDR, nRP, t};
    m.breakLineSides[t] = static_cast<std::uint8_t>(cQD | (cPQ << 2));
    m.breakLineSides[n] = static_cast<std::uint8_t>(cDR | (cRP << 1));
    relink(nQD, n, t);
    relink(nRP, t, n);
  }

  // Lawson's flips from the queued sides: the result is the constrained Delaunay triangulation
  // wherever the queued sides reach.
  void legalize() {
    while (!work.empty()) {
      const auto [t, i] = work.back();
      work.pop_back();
      const std::int32_t n = m.neighbours[t][i];
      if (n < 0 || constrained(t, i)) continue;
      const int j = sideTo(n, t);
      const std::int32_t* c = corners(t);
      if (inCircle(pos(c[0]), pos(c[1]), pos(c[2]), pos(corners(n)[j])) <= 0) continue;
      flip(t, i);
      work.push_back({t, 0});
      work.push_back({t, 2});
      work.push_back({n, 0});
      work.push_back({n, 1});
    }
  }

  // --- point location ---

  std::int32_t startNear(const Point2& p) const {
    const auto nv = m.vertices.size();
    if (nv == 0) return 0;
    if (cells.empty() || nv > 4 * cellsFor + 1024) buildCells();
    std::int32_t best = -1;
    double bestD = std::numeric_limits<double>::infinity();
    auto consider = [&](std::int32_t v) {
      if (v < 0 || m.vertexTriangle[v] < 0) return;
      const double dx = m.vertices[v].x - p.x, dy = m.vertices[v].y - p.y, d = dx * dx + dy * dy;
      if (d < bestD) {
        bestD = d;
        best = v;
      }
    };
    // The cell of p (an empty cell was given a near one's vertex when the cells were made),
    // else the nearest ring of cells around it that holds a vertex still there (one removed
    // since leaves its cells to the rings); the last insertion's vertex may lie anywhere (a
    // walk from across the surface took thousands of steps).
    const std::size_t home = cellOf(p);
    const auto hx = static_cast<std::int64_t>(home % static_cast<std::size_t>(cn));
    const auto hy = static_cast<std::int64_t>(home / static_cast<std::size_t>(cn));
    consider(cells[home]);
    for (std::int64_t r = 1; best < 0 && r <= 8; ++r)
      for (std::int64_t y = std::max<std::int64_t>(0, hy - r); y <= std::min(cn - 1, hy + r); ++y)
        for (std::int64_t x = std::max<std::int64_t>(0, hx - r); x <= std::min(cn - 1, hx + r); ++x)
          if (std::max(std::abs(x - hx), std::abs(y - hy)) == r) consider(cells[static_cast<std::size_t>(y * cn + x)]);
    if (lastTriangle >= 0 && lastTriangle < triangleCount()) consider(corners(lastTriangle)[0]);
    if (best < 0) {
      // Nothing near (a position far outside the box the grid was made for): a sample of the
      // vertices.
      const auto step = std::max<std::size_t>(1, nv / 400);
      for (std::size_t v = 0; v < nv; v += step) consider(static_cast<std::int32_t>(v));
    }
    return best >= 0 ? m.vertexTriangle[best] : 0;
  }

  // A visibility walk from `start` (turning where it starts its tests, so that it cannot
  // circle for ever on a triangulation that is not Delaunay); Outside names the hull side
  // that p lies strictly beyond.
  MeshLocation walk(std::int32_t start, const Point2& p) const {
    std::int32_t t = start;
    const std::size_t limit = 64 + 4 * m.triangles.size();
    unsigned turn = 0;
    for (std::size_t step = 0; step < limit; ++step) {
      const std::int32_t* c = corners(t);
      int exit = -1, zeros = 0;
      for (int k = 0; k < 3 && exit < 0; ++k) {
        const int i = static_cast<int>((k + turn) % 3);
        const int o = orientation(pos(c[next(i)]), pos(c[prev(i)]), p);
        if (o < 0) exit = i;
        else if (o == 0) zeros |= 1 << i;
      }
      if (exit < 0) {
        switch (zeros) {
          case 0: return {MeshLocation::Kind::Face, t, -1};
          case 1: case 2: case 4: return {MeshLocation::Kind::Edge, t, zeros == 1 ? 0 : zeros == 2 ? 1 : 2};
          default: return {MeshLocation::Kind::Vertex, t, zeros == 6 ? 0 : zeros == 5 ? 1 : 2};
        }
      }
      ++turn;
      const std::int32_t n = m.neighbours[t][exit];
      if (n < 0) return {MeshLocation::Kind::Outside, t, exit};
      t = n;
    }
    return scan(p);
  }

  MeshLocation scan(const Point2& p) const {
    for (std::int32_t t = 0; t < triangleCount(); ++t) {
      const std::int32_t* c = corners(t);
      int zeros = 0, outside = -1;
      for (int i = 0; i < 3; ++i) {
        const int o = orientation(pos(c[next(i)]), pos(c[prev(i)]), p);
        if (o < 0) outside = i;
        else if (o == 0) zeros |= 1 << i;
      }
      if (outside >= 0) {
        if (m.neighbours[t][outside] < 0) return {MeshLocation::Kind::Outside, t, outside};
        continue;
      }
      if (zeros == 0) return {MeshLocation::Kind::Face, t, -1};
      if (zeros == 1 || zeros == 2 || zeros == 4) return {MeshLocation::Kind::Edge, t, zeros == 1 ? 0 : zeros == 2 ? 1 : 2};
      return {MeshLocation::Kind::Vertex, t, zeros == 6 ? 0 : zeros == 5 ? 1 : 2};
    }
    throw std::runtime_error("triangulation: a position lies nowhere");
  }

  // --- insertion of a vertex ---

  std::int32_t addVertex(const Point2& p) {
    roomFor(m.vertices);
    roomFor(m.vertexTriangle);
    m.vertices.push_back({p.x, p.y, std::numeric_limits<double>::quiet_NaN()});
    m.vertexTriangle.push_back(-1);
    const auto v = static_cast<std::int32_t>(m.vertices.size() - 1);
    if (!cells.empty()) cells[cellOf(p)] = v;
    return v;
  }

  // --- the grid of start vertices ---

  std::size_t cellOf(const Point2& p) const {
    // Compared as doubles first: a place far outside the grid (a cell of subnormal size) makes a
    // number no integer holds.
    const auto clampTo = [this](double f) {
      if (!(f >= 0.0)) return std::int64_t{0};
      return f < static_cast<double>(cn - 1) ? static_cast<std::int64_t>(f) : std::int64_t{cn - 1};
    };
    return static_cast<std::size_t>(clampTo((p.y - cy0) * ciy) * cn + clampTo((p.x - cx0) * cix));
  }
  void buildCells() const {
    const std::size_t nv = m.vertices.size();
    cellsFor = nv;
    double x1 = 0, y1 = 0;
    for (std::size_t v = 0; v < nv; ++v) {
      const Point3& q = m.vertices[v];
      cx0 = v == 0 ? q.x : std::min(cx0, q.x);
      cy0 = v == 0 ? q.y : std::min(cy0, q.y);
      x1 = v == 0 ? q.x : std::max(x1, q.x);
      y1 = v == 0 ? q.y : std::max(y1, q.y);
    }
    cn = std::max<std::int64_t>(1, static_cast<std::int64_t>(std::sqrt(static_cast<double>(nv) / 4.0)));
    cix = static_cast<double>(cn) / std::max(x1 - cx0, 1e-300);
    ciy = static_cast<double>(cn) / std::max(y1 - cy0, 1e-300);
    cells.assign(static_cast<std::size_t>(cn * cn), -1);
    for (std::size_t v = 0; v < nv; ++v) cells[cellOf(m.vertices[v].plan())] = static_cast<std::int32_t>(v);
    fillFromNearest(cells, cn, cn);
  }

  void addLineAt(std::int32_t v, std::int32_t line) {
    auto& lines = linesAt[v];
    auto it = std::lower_bound(lines.begin(), lines.end(), line);
    if (it == lines.end() || *it != line) lines.insert(it, line);
  }

  void splitTriangle(std::int32_t t, std::int32_t v) {
    const std::int32_t a = corners(t)[0], b = corners(t)[1], c = corners(t)[2];
    const auto nb = m.neighbours[t];
    const std::uint8_t bits = m.breakLineSides[t];
    if (nb[0] < 0 || nb[1] < 0 || nb[2] < 0) boundaryDirty = true;
    const std::int32_t t1 = newTriangle(), t2 = newTriangle();
    setTriangle(t, v, b, c);
    setTriangle(t1, a, v, c);
    setTriangle(t2, a, b, v);
    m.neighbours[t] = {nb[0], t1, t2};
    m.neighbours[t1] = {t, nb[1], t2};
    m.neighbours[t2] = {t, t1, nb[2]};
    m.breakLineSides[t] = bits & 1u;
    m.breakLineSides[t1] = bits & 2u;
    m.breakLineSides[t2] = bits & 4u;
    relink(nb[1], t, t1);
    relink(nb[2], t, t2);
    m.vertexTriangle[v] = t;
    work.push_back({t, 0});
    work.push_back({t1, 1});
    work.push_back({t2, 2});
  }

  // v on the side i of t, strictly between its ends.
  void splitEdge(std::int32_t t, int i, std::int32_t v) {
    const std::int32_t n = m.neighbours[t][i];
    const bool c = constrained(t, i);
    const std::int32_t p = corners(t)[i], q = corners(t)[next(i)], r = corners(t)[prev(i)];
    const std::int32_t nRP = m.neighbours[t][next(i)], nPQ = m.neighbours[t][prev(i)];
    const bool cRP = constrained(t, next(i)), cPQ = constrained(t, prev(i));
    if (n < 0 || nRP < 0 || nPQ < 0) boundaryDirty = true;
    const std::int32_t t2 = newTriangle();
    std::int32_t n2 = -1;
    setTriangle(t2, p, v, r);
    setTriangle(t, p, q, v);
    if (n >= 0) {
      const int j = sideTo(n, t);
      const std::int32_t d = corners(n)[j];
      const std::int32_t nQD = m.neighbours[n][next(j)], nDR = m.neighbours[n][prev(j)];
      const bool cQD = constrained(n, next(j)), cDR = constrained(n, prev(j));
      if (nQD < 0 || nDR < 0) boundaryDirty = true;
      n2 = newTriangle();
      setTriangle(n2, d, v, q);
      setTriangle(n, d, r, v);
      m.neighbours[n] = {t2, n2, nDR};
      m.neighbours[n2] = {t, nQD, n};
      m.breakLineSides[n] = static_cast<std::uint8_t>(c | (cDR << 2));
      m.breakLineSides[n2] = static_cast<std::uint8_t>(c | (cQD << 1));
      relink(nQD, n, n2);
      work.push_back({n, 2});
      work.push_back({n2, 1});
    }
    m.neighbours[t] = {n2, t2, nPQ};
    m.neighbours[t2] = {n, nRP, t};
    m.breakLineSides[t] = static_cast<std::uint8_t>(c | (cPQ << 2));
    m.breakLineSides[t2] = static_cast<std::uint8_t>(c | (cRP << 1));
    relink(nRP, t, t2);
    work.push_back({t, 2});
    work.push_back({t2, 1});
    if (c) threadThrough(q, r, v);
  }

  // The break lines along the edge q-r now run through v, between q and r.
  // The break lines through both q and r (those along the edge q-r among them).
  std::vector<std::int32_t> linesAlong(std::int32_t q, std::int32_t r) const {
    std::vector<std::int32_t> both;
    const auto lq = linesAt.find(q), lr = linesAt.find(r);
    if (lq == linesAt.end() || lr == linesAt.end()) return both;
    std::set_intersection(lq->second.begin(), lq->second.end(), lr->second.begin(), lr->second.end(),
                          std::back_inserter(both));
    return both;
  }

  void threadThrough(std::int32_t q, std::int32_t r, std::int32_t v) {
    for (std::int32_t line : linesAlong(q, r)) {
      auto& chain = chains[line];
      for (std::size_t k = 0; k + 1 < chain.size(); ++k)
        if ((chain[k] == q && chain[k + 1] == r) || (chain[k] == r && chain[k + 1] == q)) {
          chain.insert(chain.begin() + static_cast<std::ptrdiff_t>(k + 1), v);
          addLineAt(v, line);
          break;
        }
    }
  }

  // The hull side (t, i) hides v from the surface: v joins with every hull side it sees.
  void extendHull(std::int32_t t, int i, std::int32_t v) {
    boundaryDirty = true;
    const Point2 p = pos(v);
    // A new triangle (y, x, v) on the hull side x -> y of triangle h, side s.
    auto attach = [&](std::int32_t h, int s) {
      const std::int32_t x = corners(h)[next(s)], y = corners(h)[prev(s)];
      const std::int32_t f = newTriangle();
      setTriangle(f, y, x, v);
      m.neighbours[f][2] = h;
      m.breakLineSides[f] = static_cast<std::uint8_t>(constrained(h, s) << 2);
      m.neighbours[h][s] = f;
      work.push_back({f, 2});
      return f;
    };
    const std::int32_t a = corners(t)[next(i)], b = corners(t)[prev(i)];
    const std::int32_t first = attach(t, i);
    // Forward from b: the next hull side turning clockwise around b.
    std::int32_t last = first, at = b, h = t;
    for (;;) {
      int k = indexOf(h, at);
      while (m.neighbours[h][prev(k)] >= 0 && m.neighbours[h][prev(k)] != last) {
        h = m.neighbours[h][prev(k)];
        k = indexOf(h, at);
      }
      if (m.neighbours[h][prev(k)] == last) break;  // around the whole hull
      const std::int32_t c = corners(h)[next(k)];
      if (orientation(pos(at), pos(c), p) >= 0) break;
      const std::int32_t f = attach(h, prev(k));
      m.neighbours[last][1] = f;
      m.neighbours[f][0] = last;
      last = f;
      at = c;
    }
    // Backward from a: the previous hull side turning counter-clockwise around a.
    std::int32_t firstNew = first;
    at = a;
    h = t;
    for (;;) {
      int k = indexOf(h, at);
      while (m.neighbours[h][next(k)] >= 0 && m.neighbours[h][next(k)] != firstNew) {
        h = m.neighbours[h][next(k)];
        k = indexOf(h, at);
      }
      if (m.neighbours[h][next(k)] == firstNew) break;
      const std::int32_t z = corners(h)[prev(k)];
      if (orientation(pos(z), pos(at), p) >= 0) break;
      const std::int32_t f = attach(h, next(k));
      m.neighbours[f][1] = firstNew;
      m.neighbours[firstNew][0] = f;
      firstNew = f;
      at = z;
    }
    m.vertexTriangle[v] = first;
  }

  std::int32_t insertAt(const Point2& p, std::int32_t start) {
    const MeshLocation loc = walk(start, p);
    if (loc.kind == MeshLocation::Kind::Vertex) {
      lastTriangle = loc.triangle;
      return corners(loc.triangle)[loc.index];
    }
    const std::int32_t v = addVertex(p);
    switch (loc.kind) {
      case MeshLocation::Kind::Face: splitTriangle(loc.triangle, v); break;
      case MeshLocation::Kind::Edge: splitEdge(loc.triangle, loc.index, v); break;
      default: extendHull(loc.triangle, loc.index, v); break;
    }
    legalize();
    lastTriangle = m.vertexTriangle[v];
    return v;
  }

  // While there are no triangles (fewer than three positions, or all on one line), vertices
  // are kept as positions; once they span an area, all are triangulated at once and the break
  // lines made again in their order.
  void triangulateAll() {
    std::vector<Point2> positions(m.vertices.size());
    for (std::size_t v = 0; v < positions.size(); ++v) positions[v] = pos(static_cast<std::int32_t>(v));
    FlatTriangulation flat;
    delaunay(positions, flat);
    if (flat.triangles.empty()) return;
    takeFlat(std::move(flat));
    for (auto& chain : chains) chain.clear();
    linesAt.clear();
    for (std::size_t line = 0; line < lineEnds.size(); ++line)
      if (lineEnds[line][0] >= 0) insertLine(static_cast<std::int32_t>(line));
  }

  void takeFlat(FlatTriangulation&& flat) {
    boundaryDirty = true;
    writtenWhole = true;
    detail::release(written);
    cells.clear();
    m.triangles = std::move(flat.triangles);
    m.neighbours = std::move(flat.neighbours);
    m.breakLineSides.assign(m.triangles.size(), 0);
    m.vertexTriangle.assign(m.vertices.size(), -1);
    for (std::int32_t t = 0; t < triangleCount(); ++t)
      for (int i = 0; i < 3; ++i) m.vertexTriangle[corners(t)[i]] = t;
  }

  // --- break lines ---

  struct Trace {
    std::int32_t vertex = -1;                         // the next vertex on the segment
    std::int32_t blockT = -1;                         // or a break line crossed first: side
    int blockI = -1;                                  //   blockI of triangle blockT
    std::vector<std::pair<std::int32_t, std::int32_t>> crossed;  // sides crossed before that
  };

  Trace trace(std::int32_t u, std::int32_t target) const {
    Trace r;
    const Point2 pu = pos(u), pt = pos(target);
    std::int32_t t = -1;
    int i = -1;
    around(u, [&](std::int32_t f, int k) {
      const std::int32_t q = corners(f)[next(k)], s = corners(f)[prev(k)];
      const int oq = orientation(pu, pt, pos(q)), os = orientation(pu, pt, pos(s));
      if (oq == 0 && onRay(pu, pt, pos(q))) return r.vertex = q, true;
      if (os == 0 && onRay(pu, pt, pos(s))) return r.vertex = s, true;
      if (oq < 0 && os > 0) return t = f, i = k, true;
      return false;
    });
    if (r.vertex >= 0) return r;
    if (t < 0) throw std::runtime_error("triangulation: no way from a vertex towards another");
    std::int32_t q = corners(t)[next(i)], s = corners(t)[prev(i)];
    for (;;) {
      if (constrained(t, i)) {
        r.blockT = t;
        r.blockI = i;
        return r;
      }
      r.crossed.push_back({q, s});
      const std::int32_t n = m.neighbours[t][i];
      if (n < 0) throw std::runtime_error("triangulation: a segment leaves the surface");
      const int j = sideTo(n, t);
      const std::int32_t d = corners(n)[j];
      const int od = d == target ? 0 : orientation(pu, pt, pos(d));
      if (od == 0) {
        r.vertex = d;
        return r;
      }
      t = n;
      if (od < 0) {
        q = d;
        i = prev(j);
      } else {
        s = d;
        i = next(j);
      }
    }
  }

  // Makes u-w an edge by flipping away the sides that the segment crosses (each flip of a
  // strictly convex quadrilateral; one that is not convex waits for its neighbours), then
  // constrains it and makes the rest Delaunay again.
  void makeEdge(std::int32_t u, std::int32_t w, const std::vector<std::pair<std::int32_t, std::int32_t>>& crossed) {
    std::deque<std::pair<std::int32_t, std::int32_t>> queue(crossed.begin(), crossed.end());
    std::vector<std::int32_t> touched;
    const Point2 pu = pos(u), pw = pos(w);
    std::size_t guard = 0;
    const std::size_t limit = 64 + 16 * crossed.size() * crossed.size();
    while (!queue.empty()) {
      if (++guard > limit) throw std::runtime_error("triangulation: cannot clear a segment's way");
      const auto [c, d] = queue.front();
      queue.pop_front();
      std::int32_t t;
      int i;
      if (!findEdge(c, d, t, i)) throw std::runtime_error("triangulation: a crossed side went missing");
      const std::int32_t n = m.neighbours[t][i];
      const std::int32_t p = corners(t)[i], e = corners(n)[sideTo(n, t)];
      const int oq = orientation(pos(p), pos(e), pos(corners(t)[next(i)]));
      const int os = orientation(pos(p), pos(e), pos(corners(t)[prev(i)]));
      if (!(oq < 0 && os > 0)) {
        queue.push_back({c, d});
        continue;
      }
      flip(t, i);
      touched.push_back(t);
      touched.push_back(n);
      if (p != u && p != w && e != u && e != w && orientation(pu, pw, pos(p)) * orientation(pu, pw, pos(e)) < 0)
        queue.push_back({p, e});
    }
    constrain(u, w);
    // Each triangle once, at its last place in the list: a triangle flipped again and again
    // on the way put its sides up many times, and every copy after the first was tested for
    // nothing (about two million tests for 10k break lines on a million points).
    std::vector<std::pair<std::int32_t, std::size_t>> last(touched.size());
    for (std::size_t k = 0; k < touched.size(); ++k) last[k] = {touched[k], k};
    std::sort(last.begin(), last.end(), [](const auto& a, const auto& b) {
      return a.first != b.first ? a.first < b.first : a.second > b.second;
    });
    last.erase(std::unique(last.begin(), last.end(), [](const auto& a, const auto& b) { return a.first == b.first; }),
               last.end());
    std::sort(last.begin(), last.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
    for (const auto& [t, at] : last) pushSides(t);
    legalize();
  }

  void constrain(std::int32_t u, std::int32_t w) {
    std::int32_t t;
    int i;
    if (!findEdge(u, w, t, i)) throw std::runtime_error("triangulation: a break-line edge went missing");
    setFlag(t, i, true);
    const std::int32_t n = m.neighbours[t][i];
    if (n >= 0) setFlag(n, sideTo(n, t), true);
  }

  // The crossing of the segment a-b with the break line on side i of t: a new vertex that
  // splits that side, or one of its ends where the rounded crossing falls onto it. `depth`
  // counts the bends this crossing is made within (each bend may meet a further line).
  std::int32_t crossing(const Point2& a, const Point2& b, std::int32_t t, int i, int depth = 0) {
    const std::int32_t c = corners(t)[next(i)], d = corners(t)[prev(i)];
    const Point2 pc = pos(c), pd = pos(d);
    const double den = cross(pd.x - pc.x, pd.y - pc.y, b.x - a.x, b.y - a.y);
    double s = cross(a.x - pc.x, a.y - pc.y, b.x - a.x, b.y - a.y) / den;
    if (!std::isfinite(s)) s = 0.5;
    s = std::clamp(s, 0.0, 1.0);
    const Point2 x{pc.x + s * (pd.x - pc.x), pc.y + s * (pd.y - pc.y)};
    const std::int32_t n = m.neighbours[t][i];
    const std::int32_t p = corners(t)[i], e = corners(n)[sideTo(n, t)];
    const bool fits = orientation(pos(p), pc, x) > 0 && orientation(pos(p), x, pd) > 0 &&
                      orientation(pos(e), pd, x) > 0 && orientation(pos(e), x, pc) > 0;
    if (x == pc) return c;
    if (x == pd) return d;
    if (!fits) {
      // The rounded crossing lies beside c-d, beyond a corner that lies within rounding of the
      // earlier line: x goes where it lies, and the earlier line bends through it.
      const std::vector<std::int32_t> lines = linesAlong(c, d);
      setFlag(t, i, false);
      setFlag(n, sideTo(n, t), false);
      const std::int32_t v = insertAt(x, t);
      std::vector<std::int32_t> path{c};
      for (std::int32_t from : {c, v}) {
        const std::int32_t to = from == c ? v : d;
        std::int32_t at = from, target = to;
        for (std::size_t step = 0; at != to; ++step) {
          if (step > 16 + m.vertices.size()) throw std::runtime_error("triangulation: a bend does not end");
          Trace tr = trace(at, target);
          if (tr.blockT >= 0) {
            // The bent part meets a third line (it lies within rounding of the bend): it crosses
            // that line there, as a break line met on the way is crossed, and goes on to `to`.
            if (depth >= kMostBendsWithinBends)
              throw std::runtime_error("triangulation: bends of break lines within rounding do not end");
            target = crossing(pos(from), pos(to), tr.blockT, tr.blockI, depth + 1);
            if (target == at) target = to;
            continue;
          }
          if (!tr.crossed.empty()) makeEdge(at, tr.vertex, tr.crossed);
          else constrain(at, tr.vertex);
          at = tr.vertex;
          path.push_back(at);
          if (at == target) target = to;
        }
      }
      // c-d, a break line until now, was never tested as a side of the surface: beside a bend
      // within rounding it may be the long side of a sliver.
      std::int32_t ct;
      int ci;
      if (findEdge(c, d, ct, ci) && !constrained(ct, ci)) {
        work.push_back({ct, ci});
        legalize();
      }
      for (std::int32_t l : lines) {
        auto& chain = chains[l];
        for (std::size_t k = 0; k + 1 < chain.size(); ++k) {
          if (chain[k] == c && chain[k + 1] == d) {
            chain.insert(chain.begin() + static_cast<std::ptrdiff_t>(k + 1), path.begin() + 1, path.end() - 1);
          } else if (chain[k] == d && chain[k + 1] == c) {
            chain.insert(chain.begin() + static_cast<std::ptrdiff_t>(k + 1), path.rbegin() + 1, path.rend() - 1);
          } else {
            continue;
          }
          for (std::size_t q = 1; q + 1 < path.size(); ++q) addLineAt(path[q], l);
          break;
        }
      }
      return v;
    }
    const std::int32_t v = addVertex(x);
    splitEdge(t, i, v);
    legalize();
    return v;
  }

  void insertLine(std::int32_t line) {
    const auto [a, b] = lineEnds[line];
    auto& chain = chains[line];
    chain.assign(1, a);
    addLineAt(a, line);
    if (a == b) return;
    std::int32_t u = a, target = b;
    const std::size_t limit = 16 + 4 * m.vertices.size();
    for (std::size_t step = 0; u != b; ++step) {
      if (step > limit) throw std::runtime_error("triangulation: a break line does not end");
      Trace tr = trace(u, target);
      if (tr.blockT >= 0) {
        // Heading for a rounded crossing, the walk may meet a third line first (the crossing
        // lies within rounding of the line, not on it): that crossing comes first, and the walk
        // goes on to the end from there, meeting the earlier line again where it crosses.
        target = crossing(pos(a), pos(b), tr.blockT, tr.blockI);
        if (target == u) target = b;  // the earlier line now bends through u
        continue;
      }
      if (!tr.crossed.empty()) makeEdge(u, tr.vertex, tr.crossed);
      else constrain(u, tr.vertex);
      u = tr.vertex;
      chain.push_back(u);
      addLineAt(u, line);
      if (u == target) target = b;
    }
  }
};

Triangulation::Triangulation() : impl_(std::make_unique<Impl>()) {}
Triangulation::~Triangulation() = default;

std::int32_t Triangulation::vertexCount() const { return static_cast<std::int32_t>(impl_->m.vertices.size()); }

std::size_t Triangulation::triangleCount() const { return impl_->m.triangles.size(); }

Point2 Triangulation::position(std::int32_t v) const { return impl_->pos(v); }

void Triangulation::insert(std::span<const Point2> positions, std::vector<std::int32_t>& ids) {
  Impl& m = *impl_;
  ids.assign(positions.size(), -1);
  if (positions.empty()) return;
  if (!m.hasTriangles()) {
    for (std::size_t k = 0; k < positions.size(); ++k) {
      std::int32_t same = -1;
      for (std::int32_t v = 0; v < vertexCount() && same < 0; ++v)
        if (m.pos(v) == positions[k]) same = v;
      ids[k] = same >= 0 ? same : m.addVertex(positions[k]);
    }
    m.triangulateAll();
    return;
  }
  // Room for a large batch at once (two triangles a point, a few more where the hull grows):
  // growing by an eighth at a time moved every array several times over.
  if (positions.size() >= 1024) {
    auto room = [](auto& v, std::size_t more) {
      if (v.size() + more > v.capacity()) reserveLarge(v, v.size() + more + (v.size() + more) / 32);
    };
    room(m.m.vertices, positions.size());
    room(m.m.vertexTriangle, positions.size());
    room(m.m.triangles, 2 * positions.size());
    room(m.m.neighbours, 2 * positions.size());
    room(m.m.breakLineSides, 2 * positions.size());
  }
  // Along a Hilbert curve, each insertion starts next to the previous one.
  double x0 = positions[0].x, x1 = x0, y0 = positions[0].y, y1 = y0;
  for (const Point2& p : positions) {
    x0 = std::min(x0, p.x);
    x1 = std::max(x1, p.x);
    y0 = std::min(y0, p.y);
    y1 = std::max(y1, p.y);
  }
  std::vector<std::pair<std::uint32_t, std::int32_t>> order(positions.size());
  for (std::size_t k = 0; k < positions.size(); ++k)
    order[k] = {hilbertKey(positions[k].x, positions[k].y, x0, y0, x1, y1), static_cast<std::int32_t>(k)};
  std::sort(order.begin(), order.end());
  // Each insertion starts where the one before ended, unless the grid offers a vertex nearer
  // (a jump along the curve, or the two ends of a break line ten metres apart).
  for (const auto& [key, k] : order) ids[k] = m.insertAt(positions[k], m.startNear(positions[k]));
}

void Triangulation::assign(std::span<const Point2> positions, const FlatTriangulation& flat,
                           std::vector<std::int32_t>& ids) {
  Impl& m = *impl_;
  m = Impl{};
  m.m.vertices.reserve(positions.size());
  for (const Point2& p : positions) m.m.vertices.push_back({p.x, p.y, std::numeric_limits<double>::quiet_NaN()});
  m.m.vertexTriangle.assign(positions.size(), -1);
  ids.resize(positions.size());
  for (std::size_t k = 0; k < positions.size(); ++k) ids[k] = static_cast<std::int32_t>(k);
  if (!flat.triangles.empty()) m.takeFlat(FlatTriangulation(flat));
}

void Triangulation::adopt(Mesh&& mesh) {
  Impl& m = *impl_;
  m = Impl{};
  m.m = std::move(mesh);
  m.boundaryDirty = m.m.boundarySides.empty();
  m.m.breakLineSides.assign(m.m.triangles.size(), 0);
  m.m.vertexTriangle.resize(m.m.vertices.size(), -1);
  // The triangles stay where they were: what callers copied of them still holds.
  m.writtenWhole = false;
}

bool Triangulation::restore(Mesh&& mesh, std::vector<std::vector<std::int32_t>> chains,
                            const std::vector<std::array<std::int32_t, 4>>& flips, std::string& why) {
  Impl& m = *impl_;
  m = Impl{};
  auto fail = [&](std::string reason) {
    m = Impl{};
    why = std::move(reason);
    return false;
  };
  const auto nv = static_cast<std::int32_t>(mesh.vertices.size());
  const auto nt = static_cast<std::int32_t>(mesh.triangles.size());
  if (nt > 0 && (nv < 3 || static_cast<std::int64_t>(nt) > 2 * static_cast<std::int64_t>(nv)))
    return fail("too many triangles for the points");
  // The corners are read where the survey put them, often scattered: each is asked for a few
  // triangles ahead, so that the reads overlap instead of waiting one after the other.
  // Their places on the curve are read on the way: the cells that start many queries at once.
  constexpr std::int32_t kAhead = 8;
  const bool findCells = mesh.curveCells.first.empty();
  CellsInOrder curveCells(mesh.vertices, findCells ? static_cast<std::size_t>(nt) : 0);
  for (std::int32_t k = 0; k < nt; ++k) {
    if (k + kAhead < nt)
      for (std::int32_t c : mesh.triangles[k + kAhead].v)
        if (c >= 0 && c < nv) __builtin_prefetch(&mesh.vertices[c]);
    const Triangle& t = mesh.triangles[k];
    for (std::int32_t c : t.v)
      if (c < 0 || c >= nv) return fail("a triangle names no point");
    const Point2 a = mesh.vertices[t.v[0]].plan(), b = mesh.vertices[t.v[1]].plan(), c = mesh.vertices[t.v[2]].plan();
    if (orientation(a, b, c) <= 0) return fail("a triangle is not counter-clockwise");
    if (findCells) curveCells.add(a, b, c);
  }
  if (findCells) mesh.curveCells = curveCells.finish();
  // Links read with the triangles are mutual already (decodeLinks() makes them both ways).
  const bool linked = mesh.neighbours.size() == static_cast<std::size_t>(nt);
  if (linked) completeLinks(mesh);
  else linkMesh(mesh);
  m.m = std::move(mesh);
  m.boundaryDirty = false;
  const Mesh& g = m.m;
  // Every link mutual, across the same side the other way round.
  for (std::int32_t t = 0; !linked && t < nt; ++t)
    for (int i = 0; i < 3; ++i) {
      const std::int32_t n = g.neighbours[t][i];
      if (n < 0) continue;
      const int j = m.sideTo(n, t);
      if (j < 0 || m.corners(n)[next(j)] != m.corners(t)[prev(i)] || m.corners(n)[prev(j)] != m.corners(t)[next(i)])
        return fail("triangles overlap along a side");
    }
  if (nt > 0) {
    for (std::int32_t v = 0; v < nv; ++v)
      if (g.vertexTriangle[v] < 0) return fail("a point lies in no triangle");
    // The hull: one ring, turning left only, and as many triangles as a triangulation of
    // these points with that hull has.
    const auto h = static_cast<std::int32_t>(g.boundarySides.size());
    if (nt != 2 * nv - 2 - h) return fail("the triangles do not cover the points' hull once");
    std::vector<std::int32_t> after(static_cast<std::size_t>(nv), -1);
    for (const TriangleSide& s : g.boundarySides) {
      const std::int32_t a = m.corners(s.triangle)[next(s.side)], b = m.corners(s.triangle)[prev(s.side)];
      if (after[a] >= 0) return fail("the hull touches itself");
      after[a] = b;
    }
    const std::int32_t first = m.corners(g.boundarySides[0].triangle)[next(g.boundarySides[0].side)];
    std::int32_t at = first, steps = 0;
    do {
      const std::int32_t b = after[at], c = b >= 0 ? after[b] : -1;
      if (c < 0 || orientation(m.pos(at), m.pos(b), m.pos(c)) < 0) return fail("the hull is not convex");
      at = b;
    } while (at != first && ++steps <= h);
    if (steps + 1 != h) return fail("the hull is more than one ring");
  }
  // Break lines along edges, which become constrained.
  m.chains = std::move(chains);
  m.lineEnds.resize(m.chains.size());
  for (std::size_t line = 0; line < m.chains.size(); ++line) {
    const auto& chain = m.chains[line];
    if (chain.empty()) return fail("a break line has no vertices");
    for (std::int32_t v : chain)
      if (v < 0 || v >= nv) return fail("a break line names no point");
    m.lineEnds[line] = {chain.front(), chain.back()};
    for (std::size_t k = 0; k < chain.size(); ++k) {
      m.addLineAt(chain[k], static_cast<std::int32_t>(line));
      if (k == 0 || nt == 0) continue;
      if (chain[k - 1] == chain[k]) return fail("a break line stands still");
      std::int32_t t;
      int i;
      if (!m.findEdge(chain[k - 1], chain[k], t, i)) return fail("a break line leaves the triangles' sides");
      m.setFlag(t, i, true);
      if (g.neighbours[t][i] >= 0) m.setFlag(g.neighbours[t][i], m.sideTo(g.neighbours[t][i], t), true);
    }
  }
  for (const auto& f : flips) {
    for (std::int32_t v : f)
      if (v < 0 || v >= nv) return fail("a swap names no point");
    m.flips.push_back({f[0], f[1], f[2], f[3]});
  }
  // From here on the triangles as restored are what a caller's copy starts from.
  m.writtenWhole = false;
  return true;
}

bool Triangulation::takeWritten(std::vector<std::int32_t>& out) {
  Impl& m = *impl_;
  const bool listed = !m.writtenWhole;
  if (listed) out.insert(out.end(), m.written.begin(), m.written.end());
  m.written.clear();
  m.writtenWhole = false;
  return listed;
}

Mesh Triangulation::release() {
  Mesh out = std::move(impl_->m);
  *impl_ = Impl{};
  return out;
}

const std::vector<std::vector<std::int32_t>>& Triangulation::chains() const { return impl_->chains; }

std::vector<std::array<std::int32_t, 4>> Triangulation::flips() const {
  std::vector<std::array<std::int32_t, 4>> out;
  for (const auto& f : impl_->flips) out.push_back({f.u, f.v, f.a, f.b});
  return out;
}

void Triangulation::insertBreakLine(std::int32_t line, std::int32_t a, std::int32_t b) {
  Impl& m = *impl_;
  if (static_cast<std::size_t>(line) >= m.lineEnds.size()) {
    m.lineEnds.resize(line + 1, {-1, -1});
    m.chains.resize(line + 1);
  }
  m.lineEnds[line] = {a, b};
  if (!m.hasTriangles()) {
    m.chains[line] = {a, b};
    m.addLineAt(a, line);
    m.addLineAt(b, line);
    return;
  }
  m.insertLine(line);
}

void Triangulation::breakLineChain(std::int32_t line, std::vector<std::int32_t>& out) const {
  out.clear();
  const Impl& m = *impl_;
  if (static_cast<std::size_t>(line) < m.chains.size()) out = m.chains[line];
}

void Triangulation::breakLinesThrough(std::int32_t v, std::vector<std::int32_t>& out) const {
  out.clear();
  const auto found = impl_->linesAt.find(v);
  if (found != impl_->linesAt.end()) out = found->second;
}

std::int32_t Triangulation::vertexNear(const Point2& p, double tolerance) const {
  const Impl& m = *impl_;
  std::int32_t best = -1;
  double bestDistance = tolerance;
  auto consider = [&](std::int32_t v) {
    const Point2 q = m.pos(v);
    const double d = std::max(std::fabs(q.x - p.x), std::fabs(q.y - p.y));
    if (d < bestDistance || (d == bestDistance && (best < 0 || v < best))) {
      bestDistance = d;
      best = v;
    }
  };
  if (!m.hasTriangles()) {
    for (std::int32_t v = 0; v < vertexCount(); ++v) consider(v);
    return best;
  }
  const MeshLocation loc = m.walk(m.startNear(p), p);
  if (loc.kind == MeshLocation::Kind::Vertex) return m.corners(loc.triangle)[loc.index];
  for (int i = 0; i < 3; ++i) consider(m.corners(loc.triangle)[i]);
  if (loc.kind == MeshLocation::Kind::Edge && m.m.neighbours[loc.triangle][loc.index] >= 0)
    for (int i = 0; i < 3; ++i) consider(m.corners(m.m.neighbours[loc.triangle][loc.index])[i]);
  return best;
}

FlipOutcome Triangulation::flipTo(std::int32_t u, std::int32_t v) {
  Impl& m = *impl_;
  if (u < 0 || v < 0 || u == v || !m.hasTriangles()) return FlipOutcome::MissingVertex;
  std::int32_t t;
  int i;
  if (m.findEdge(u, v, t, i)) return FlipOutcome::AlreadyEdge;
  const bool found = m.around(u, [&](std::int32_t f, int k) {
    const std::int32_t n = m.m.neighbours[f][k];
    if (n < 0 || m.corners(n)[m.sideTo(n, f)] != v) return false;
    t = f;
    i = k;
    return true;
  });
  if (!found) return FlipOutcome::NotAdjacent;
  if (m.constrained(t, i)) return FlipOutcome::BreakLine;
  // The quadrilateral u, a, v, b is strictly convex when a and b lie strictly on opposite
  // sides of u-v (u and v already lie on opposite sides of a-b).
  const std::int32_t a = m.corners(t)[next(i)], b = m.corners(t)[prev(i)];
  const int oa = orientation(m.pos(u), m.pos(v), m.pos(a)), ob = orientation(m.pos(u), m.pos(v), m.pos(b));
  if (oa == 0 || ob == 0 || oa == ob) return FlipOutcome::NotConvex;
  m.flip(t, i);
  m.flips.push_back({u, v, a, b});
  return FlipOutcome::Flipped;
}

void Triangulation::undoFlips() {
  Impl& m = *impl_;
  // Flipping the new diagonals back, newest first, restores exactly the triangulation that
  // was there before the first flip.
  for (auto it = m.flips.rbegin(); it != m.flips.rend(); ++it) {
    std::int32_t t;
    int i;
    if (m.findEdge(it->u, it->v, t, i)) m.flip(t, i);
  }
  m.flips.clear();
}

void Triangulation::publish() {
  Impl& m = *impl_;
  Mesh& mesh = m.m;
  if (!m.hasTriangles()) {
    mesh.boundarySides.clear();
    return;
  }
  if (!m.boundaryDirty) return;
  mesh.boundarySides.clear();
  for (std::int32_t t = 0; t < m.triangleCount(); ++t)
    for (int i = 0; i < 3; ++i)
      if (mesh.neighbours[t][i] < 0) mesh.boundarySides.push_back({t, i});
  m.boundaryDirty = false;
}

void Triangulation::setElevation(std::int32_t v, double z) { impl_->m.vertices[v].z = z; }

double Triangulation::elevation(std::int32_t v) const { return impl_->m.vertices[v].z; }

void Triangulation::swapNumbers(std::int32_t a, std::int32_t b) {
  Impl& m = *impl_;
  if (a == b) return;
  // The triangles at either vertex, found while the links still name them.
  std::vector<std::int32_t> at;
  for (std::int32_t v : {a, b})
    m.around(v, [&](std::int32_t t, int) {
      at.push_back(t);
      return false;
    });
  std::sort(at.begin(), at.end());
  at.erase(std::unique(at.begin(), at.end()), at.end());
  auto other = [a, b](std::int32_t v) { return v == a ? b : v == b ? a : v; };
  for (std::int32_t t : at) {
    for (std::int32_t& c : m.m.triangles[t].v) c = other(c);
    m.noteWritten(t);
  }
  std::swap(m.m.vertices[a], m.m.vertices[b]);
  std::swap(m.m.vertexTriangle[a], m.m.vertexTriangle[b]);
  // Break lines through either.
  std::vector<std::int32_t> lines;
  for (std::int32_t v : {a, b}) {
    const auto found = m.linesAt.find(v);
    if (found != m.linesAt.end()) lines.insert(lines.end(), found->second.begin(), found->second.end());
  }
  std::sort(lines.begin(), lines.end());
  lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
  for (std::int32_t line : lines) {
    for (std::int32_t& v : m.chains[line]) v = other(v);
    for (std::int32_t& v : m.lineEnds[line]) v = other(v);
  }
  auto la = m.linesAt.extract(a), lb = m.linesAt.extract(b);
  if (!la.empty()) {
    la.key() = b;
    m.linesAt.insert(std::move(la));
  }
  if (!lb.empty()) {
    lb.key() = a;
    m.linesAt.insert(std::move(lb));
  }
  for (auto& f : m.flips) f = {other(f.u), other(f.v), other(f.a), other(f.b)};
  if (!m.cells.empty()) {
    m.cells[m.cellOf(m.pos(a))] = a;
    m.cells[m.cellOf(m.pos(b))] = b;
  }
}

void Triangulation::swapNumbers(std::span<const std::pair<std::int32_t, std::int32_t>> pairs) {
  Impl& m = *impl_;
  if (pairs.empty()) return;
  const std::size_t nv = m.m.vertices.size();
  // who[n]: the vertex (by its number before) that carries number n after the exchanges so far.
  std::vector<std::int32_t> who(nv);
  for (std::size_t v = 0; v < nv; ++v) who[v] = static_cast<std::int32_t>(v);
  for (const auto& [a, b] : pairs) {
    if (a == b) continue;
    std::swap(who[a], who[b]);
    // The grid of start vertices takes the two as one exchange at a time would.
    if (!m.cells.empty()) {
      m.cells[m.cellOf(m.pos(who[a]))] = a;
      m.cells[m.cellOf(m.pos(who[b]))] = b;
    }
  }
  std::vector<std::int32_t> numberOf(nv);
  for (std::size_t n = 0; n < nv; ++n) numberOf[who[n]] = static_cast<std::int32_t>(n);
  auto renumbered = [&](std::int32_t v) { return v < 0 ? v : numberOf[v]; };
  for (std::int32_t t = 0; t < m.triangleCount(); ++t) {
    bool changed = false;
    for (std::int32_t& c : m.m.triangles[t].v) {
      const std::int32_t now = renumbered(c);
      changed = changed || now != c;
      c = now;
    }
    if (changed) m.noteWritten(t);
  }
  {
    const std::vector<Point3> vertices(m.m.vertices);
    const std::vector<std::int32_t> vertexTriangle(m.m.vertexTriangle);
    for (std::size_t n = 0; n < nv; ++n) {
      m.m.vertices[n] = vertices[who[n]];
      m.m.vertexTriangle[n] = vertexTriangle[who[n]];
    }
  }
  for (auto& chain : m.chains)
    for (std::int32_t& v : chain) v = renumbered(v);
  for (auto& ends : m.lineEnds)
    for (std::int32_t& v : ends) v = renumbered(v);
  if (!m.linesAt.empty()) {
    decltype(m.linesAt) linesAt;
    for (auto& [v, lines] : m.linesAt) linesAt.emplace(renumbered(v), std::move(lines));
    m.linesAt.swap(linesAt);
  }
  for (auto& f : m.flips) f = {renumbered(f.u), renumbered(f.v), renumbered(f.a), renumbered(f.b)};
}

const Mesh& Triangulation::mesh() const { return impl_->m; }

void Triangulation::peeledMesh(double maxEdgeLength, Mesh& out, std::vector<std::int32_t>& surfaceTriangle) const {
  const Impl& m = *impl_;
  const Mesh& all = m.m;
  const std::int32_t nt = m.triangleCount();
  std::vector<char> on(static_cast<std::size_t>(nt), 1);
  const double limit2 = maxEdgeLength * maxEdgeLength;
  std::vector<std::int32_t> stack;
  for (const TriangleSide& s : all.boundarySides) stack.push_back(s.triangle);
  while (!stack.empty()) {
    const std::int32_t t = stack.back();
    stack.pop_back();
    if (!on[t]) continue;
    bool peel = false;
    for (int i = 0; i < 3 && !peel; ++i) {
      const std::int32_t n = all.neighbours[t][i];
      if ((n >= 0 && on[n]) || m.constrained(t, i)) continue;
      const Point2 a = m.pos(m.corners(t)[next(i)]), b = m.pos(m.corners(t)[prev(i)]);
      peel = (a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) > limit2;
    }
    if (!peel) continue;
    on[t] = 0;
    for (int i = 0; i < 3; ++i)
      if (all.neighbours[t][i] >= 0 && on[all.neighbours[t][i]]) stack.push_back(all.neighbours[t][i]);
  }
  surfaceTriangle.assign(static_cast<std::size_t>(nt), -1);
  out = Mesh{};
  out.vertices = all.vertices;
  std::int32_t kept = 0;
  for (std::int32_t t = 0; t < nt; ++t)
    if (on[t]) surfaceTriangle[t] = kept++;
  for (std::int32_t t = 0; t < nt; ++t) {
    if (!on[t]) continue;
    out.triangles.push_back(all.triangles[t]);
    auto nb = all.neighbours[t];
    for (auto& n : nb) n = n >= 0 ? surfaceTriangle[n] : -1;
    out.neighbours.push_back(nb);
    out.breakLineSides.push_back(all.breakLineSides[t]);
  }
  // Still in canonical order: a subsequence of an ordered list is ordered.
  out.vertexTriangle.assign(out.vertices.size(), -1);
  for (std::int32_t t = 0; t < kept; ++t)
    for (int i = 0; i < 3; ++i) {
      if (out.neighbours[t][i] < 0) out.boundarySides.push_back({t, i});
      std::int32_t& vt = out.vertexTriangle[out.triangles[t].v[i]];
      if (vt < 0) vt = t;
    }
}

MeshLocation Triangulation::locate(const Point2& p) const {
  const Impl& m = *impl_;
  if (!m.hasTriangles()) return {};
  MeshLocation loc = m.walk(m.startNear(p), p);
  if (loc.kind == MeshLocation::Kind::Outside) return {};
  if (loc.kind == MeshLocation::Kind::Edge) {
    // The side's owner is the triangle the walk ended in; report it in the published mesh's terms.
    return loc;
  }
  return loc;
}

void Triangulation::check(std::vector<std::string>& problems) const {
  const Impl& m = *impl_;
  const Mesh& mesh = m.m;
  auto problem = [&](auto&&... parts) {
    std::ostringstream s;
    s.precision(17);
    (s << ... << parts);
    problems.push_back(s.str());
  };
  const auto nv = static_cast<std::int32_t>(mesh.vertices.size());
  const std::int32_t nt = m.triangleCount();
  if (!m.hasTriangles()) {
    if (!m.flips.empty()) problem("flips remembered on a triangulation without triangles");
    return;
  }
  if (mesh.neighbours.size() != mesh.triangles.size() || mesh.breakLineSides.size() != mesh.triangles.size() ||
      mesh.vertexTriangle.size() != mesh.vertices.size()) {
    problem("triangulation arrays differ in length");
    return;
  }
  std::int32_t hull = 0;
  for (std::int32_t t = 0; t < nt; ++t) {
    const std::int32_t* c = m.corners(t);
    for (int i = 0; i < 3; ++i)
      if (c[i] < 0 || c[i] >= nv) {
        problem("triangle ", t, " names no vertex");
        return;
      }
    if (orientation(m.pos(c[0]), m.pos(c[1]), m.pos(c[2])) <= 0) problem("triangle ", t, " is not counter-clockwise");
    for (int i = 0; i < 3; ++i) {
      const std::int32_t n = mesh.neighbours[t][i];
      if (n < 0) {
        ++hull;
        continue;
      }
      const int j = m.sideTo(n, t);
      if (j < 0) {
        problem("neighbour link of triangle ", t, " is not mutual");
        continue;
      }
      if (m.corners(n)[next(j)] != c[prev(i)] || m.corners(n)[prev(j)] != c[next(i)])
        problem("triangles ", t, " and ", n, " disagree on their shared side");
      if (m.constrained(t, i) != m.constrained(n, j)) problem("side of triangle ", t, " constrained on one side only");
    }
  }
  for (std::int32_t v = 0; v < nv; ++v) {
    const std::int32_t t = mesh.vertexTriangle[v];
    if (t < 0 || t >= nt || m.indexOf(t, v) < 0) problem("vertex ", v, " names a triangle without it");
  }
  if (nt != 2 * nv - 2 - hull) problem(nt, " triangles for ", nv, " vertices and ", hull, " hull sides");

  // Every flipped diagonal is an edge unless a later flip replaced it; triangles beside one
  // are exempt from the Delaunay test.
  std::unordered_set<std::int32_t> exempt;
  for (std::size_t k = 0; k < m.flips.size(); ++k) {
    const Impl::Flip& fl = m.flips[k];
    const bool replaced = std::any_of(m.flips.begin() + static_cast<std::ptrdiff_t>(k) + 1, m.flips.end(),
                                      [&](const Impl::Flip& later) { return edgeKey(later.a, later.b) == edgeKey(fl.u, fl.v); });
    std::int32_t t;
    int i;
    if (!m.findEdge(fl.u, fl.v, t, i)) {
      if (!replaced) problem("swapped diagonal ", fl.u, "-", fl.v, " is not an edge");
      continue;
    }
    exempt.insert(t);
    if (mesh.neighbours[t][i] >= 0) exempt.insert(mesh.neighbours[t][i]);
  }
  for (std::int32_t t = 0; t < nt; ++t) {
    if (exempt.count(t)) continue;
    const std::int32_t* c = m.corners(t);
    for (int i = 0; i < 3; ++i) {
      const std::int32_t n = mesh.neighbours[t][i];
      if (n < 0 || m.constrained(t, i) || exempt.count(n)) continue;
      const Point2 d = m.pos(m.corners(n)[m.sideTo(n, t)]);
      if (inCircle(m.pos(c[0]), m.pos(c[1]), m.pos(c[2]), d) > 0)
        problem("side ", c[next(i)], "-", c[prev(i)], " is not Delaunay");
    }
  }

  // Break lines: a chain from the first end to the second, every link a constrained edge,
  // every vertex on the segment (up to the rounding of crossings) and in order along it.
  // A crossing is rounded to the larger of the two lines that make it, and a later crossing lies
  // on the links between earlier ones, so a line keeps to its segment within the rounding of the
  // largest line that crosses it.
  auto scaleOf = [&](std::size_t line) {
    const auto [a, b] = m.lineEnds[line];
    if (a < 0) return 0.0;
    const Point2 pa = m.pos(a), pb = m.pos(b);
    return std::max({std::fabs(pa.x), std::fabs(pa.y), std::fabs(pb.x), std::fabs(pb.y), std::hypot(pb.x - pa.x, pb.y - pa.y)});
  };
  for (std::size_t line = 0; line < m.lineEnds.size(); ++line) {
    const auto [a, b] = m.lineEnds[line];
    if (a < 0 || a == b) continue;
    const auto& chain = m.chains[line];
    if (chain.size() < 2 || chain.front() != a || chain.back() != b) {
      problem("break line ", line, " does not run between its ends");
      continue;
    }
    const Point2 pa = m.pos(a), pb = m.pos(b);
    const double dx = pb.x - pa.x, dy = pb.y - pa.y, length = std::hypot(dx, dy);
    double scale = scaleOf(line);
    for (std::int32_t v : chain)
      if (const auto at = m.linesAt.find(v); at != m.linesAt.end())
        for (std::int32_t other : at->second) scale = std::max(scale, scaleOf(static_cast<std::size_t>(other)));
    const double slack = 1e-13 * scale;
    double lastT = -1.0;
    for (std::size_t k = 0; k < chain.size(); ++k) {
      const Point2 q = m.pos(chain[k]);
      const auto at = m.linesAt.find(chain[k]);
      const double t = ((q.x - pa.x) * dx + (q.y - pa.y) * dy) / (length * length);
      const double off = std::fabs((q.x - pa.x) * dy - (q.y - pa.y) * dx) / length;
      if (off > slack) problem("break line ", line, " passes ", off, " beside its segment");
      // Two vertices within rounding of each other on a very long segment may share one t.
      if (!(t > lastT) && !(k > 0 && t + slack / length >= lastT && chain[k] != chain[k - 1]))
        problem("break line ", line, " goes back along its segment");
      lastT = t;
      std::int32_t f;
      int i;
      if (k > 0 && (!m.findEdge(chain[k - 1], chain[k], f, i) || !m.constrained(f, i)))
        problem("break line ", line, " misses a constrained edge at ", q.x, ",", q.y);
      if (at == m.linesAt.end() || !std::binary_search(at->second.begin(), at->second.end(), static_cast<std::int32_t>(line)))
        problem("vertex ", chain[k], " does not know break line ", line, " runs through it");
    }
  }
}

}  // namespace tin::detail
