// SPDX-License-Identifier: GPL-3.0-or-later
#include "tin/Delaunay.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "tin/HugePages.h"
#include "tin/Mesh.h"
#include "tin/Predicates.h"
#include "tin/RadixSort.h"

namespace tin::detail {

std::uint32_t hilbertKey(double x, double y, double x0, double y0, double x1, double y1) {
  auto cell = [](double v, double v0, double v1) {
    constexpr double side = 65535.0;
    const double span = v1 - v0;
    const double f = span > 0.0 ? (v - v0) / span * side : 0.0;
    return static_cast<std::uint32_t>(std::clamp(f, 0.0, side));
  };
  std::uint32_t cx = cell(x, x0, x1), cy = cell(y, y0, y1), key = 0;
  for (int b = 15; b >= 0; --b) {
    const std::uint32_t rx = (cx >> b) & 1u, ry = (cy >> b) & 1u;
    key |= ((3u * rx) ^ ry) << (2 * b);
    // Turn the quadrant so that the curve inside it starts and ends where the outer one runs:
    // mirrored (c -> 65535 - c, an xor on 16 bits) in the lower right one, then x and y swapped
    // in both lower ones. With masks rather than branches, which random positions mispredict.
    const std::uint32_t mirror = (0u - (rx & ~ry)) & 0xFFFFu;
    cx ^= mirror;
    cy ^= mirror;
    const std::uint32_t swap = (cx ^ cy) & (ry - 1u);
    cx ^= swap;
    cy ^= swap;
  }
  return key;
}

namespace {

// Incremental Delaunay triangulation (Bowyer-Watson) over a sphere: a vertex at infinity closes
// the plane, and each hull side has a "ghost" triangle with that vertex, so a position outside
// the hull is handled like one inside. A ghost's circumcircle is the open half-plane beyond its
// hull side together with the open side itself.
class Builder {
 public:
  explicit Builder(std::vector<Point2> sorted) : p_(std::move(sorted)), ghost_(static_cast<std::int32_t>(p_.size())) {}

  bool run();
  // The finite triangles, corners renumbered by `original`, neighbours renumbered. Drops the
  // positions first: a large triangulation needs the room.
  void extract(const std::vector<std::int32_t>& original, const MeshCurve* curve, FlatTriangulation& out);

 private:
  bool isGhost(std::int32_t t) const {
    return v_[t].v[0] == ghost_ || v_[t].v[1] == ghost_ || v_[t].v[2] == ghost_;
  }
  bool conflicts(std::int32_t t, const Point2& q) const;
  std::int32_t locate(std::int32_t start, const Point2& q) const;
  std::int32_t conflictByScan(const Point2& q) const;
  void insert(std::int32_t vertex);
  std::int32_t newTriangle() {
    if (!free_.empty()) {
      const std::int32_t t = free_.back();
      free_.pop_back();
      return t;
    }
    v_.push_back({});
    n_.push_back({-1, -1, -1});
    return static_cast<std::int32_t>(v_.size() - 1);
  }

  std::vector<Point2> p_;
  std::int32_t ghost_;
  // Corners and neighbours, laid out as the result wants them so that it can take them over.
  std::vector<Triangle> v_;
  std::vector<std::array<std::int32_t, 3>> n_;
  std::vector<std::int32_t> free_;
  std::vector<std::int32_t> start_;  // new triangle by the first vertex of its cavity side
  std::int32_t last_ = 0;            // a triangle made by the last insertion

  struct Side {
    std::int32_t a, b, outside, outsideSide;
  };
  std::vector<std::int32_t> cavity_;
  std::vector<Side> sides_;
};

bool Builder::conflicts(std::int32_t t, const Point2& q) const {
  const std::int32_t* c = v_[t].v;
  int g = c[0] == ghost_ ? 0 : c[1] == ghost_ ? 1 : c[2] == ghost_ ? 2 : -1;
  if (g < 0) return inCircle(p_[c[0]], p_[c[1]], p_[c[2]], q) > 0;
  const Point2& a = p_[c[(g + 1) % 3]];
  const Point2& b = p_[c[(g + 2) % 3]];
  const int o = orientation(a, b, q);
  if (o != 0) return o > 0;
  // Exactly on the hull side's line: in conflict strictly between its ends, which one
  // coordinate decides.
  if (a.x != b.x) return q.x > std::min(a.x, b.x) && q.x < std::max(a.x, b.x);
  return q.y > std::min(a.y, b.y) && q.y < std::max(a.y, b.y);
}

std::int32_t Builder::locate(std::int32_t t, const Point2& q) const {
  // A visibility walk: leave through a side with q strictly beyond it. On a Delaunay
  // triangulation it cannot cycle; the step limit only guards against the unforeseen.
  const std::size_t limit = 64 + 4 * v_.size();
  unsigned turn = 0;
  for (std::size_t step = 0; step < limit; ++step) {
    const std::int32_t* c = v_[t].v;
    const int g = c[0] == ghost_ ? 0 : c[1] == ghost_ ? 1 : c[2] == ghost_ ? 2 : -1;
    if (g >= 0) {
      if (conflicts(t, q)) return t;
      t = n_[t][g];  // back across the hull side
      continue;
    }
    int exit = -1;
    for (int k = 0; k < 3 && exit < 0; ++k) {
      const int i = static_cast<int>((k + turn) % 3);
      if (orientation(p_[c[(i + 1) % 3]], p_[c[(i + 2) % 3]], q) < 0) exit = i;
    }
    if (exit < 0) return t;
    ++turn;
    t = n_[t][exit];
  }
  return conflictByScan(q);
}

std::int32_t Builder::conflictByScan(const Point2& q) const {
  std::vector<bool> isFree(v_.size(), false);
  for (std::int32_t f : free_) isFree[f] = true;
  for (std::size_t t = 0; t < v_.size(); ++t)
    if (!isFree[t] && conflicts(static_cast<std::int32_t>(t), q)) return static_cast<std::int32_t>(t);
  return -1;
}

void Builder::insert(std::int32_t vertex) {
  const Point2& q = p_[vertex];
  std::int32_t t0 = locate(last_, q);
  if (t0 < 0 || !conflicts(t0, q)) {
    // Only a position equal to a vertex can be in conflict with nothing.
    throw std::invalid_argument("delaunay: two positions are the same");
  }
  // The cavity: every triangle whose circumcircle holds q strictly, grown from t0 (it is
  // connected). Its sides face q, so joining them to q gives triangles again.
  cavity_.assign(1, t0);
  sides_.clear();
  for (std::size_t k = 0; k < cavity_.size(); ++k) {
    const std::int32_t t = cavity_[k];
    for (int i = 0; i < 3; ++i) {
      const std::int32_t nb = n_[t][i];
      if (std::find(cavity_.begin(), cavity_.end(), nb) != cavity_.end()) continue;
      if (conflicts(nb, q)) {
        cavity_.push_back(nb);
        continue;
      }
      const int back = n_[nb][0] == t ? 0 : n_[nb][1] == t ? 1 : 2;
      sides_.push_back({v_[t].v[(i + 1) % 3], v_[t].v[(i + 2) % 3], nb, back});
    }
  }
  // Each cavity side (a, b) with the outside neighbour becomes the triangle (a, b, q).
  for (std::int32_t t : cavity_) free_.push_back(t);
  for (const Side& s : sides_) {
    const std::int32_t t = newTriangle();
    v_[t].v[0] = s.a;
    v_[t].v[1] = s.b;
    v_[t].v[2] = vertex;
    n_[t][2] = s.outside;
    n_[s.outside][s.outsideSide] = t;
    start_[s.a] = t;
    last_ = t;
  }
  // Around q: the side (b, q) of triangle (a, b, q) is the side (q, b) of triangle (b, c, q).
  for (const Side& s : sides_) {
    const std::int32_t t = start_[s.a], next = start_[s.b];
    n_[t][0] = next;
    n_[next][1] = t;
  }
  if (!isGhost(last_)) return;
  for (const Side& s : sides_)
    if (!isGhost(start_[s.a])) last_ = start_[s.a];
}

bool Builder::run() {
  const auto n = static_cast<std::int32_t>(p_.size());
  if (n < 3) return false;
  // The first triangle: the first two positions and the first one off their line.
  std::int32_t k = 2;
  while (k < n && orientation(p_[0], p_[1], p_[k]) == 0) ++k;
  if (k == n) return false;
  // With the vertex at infinity, n + 1 vertices on a sphere make exactly 2n - 2 triangles.
  reserveLarge(v_, 2 * static_cast<std::size_t>(n));
  reserveLarge(n_, 2 * static_cast<std::size_t>(n));
  reserveLarge(start_, static_cast<std::size_t>(n) + 1);
  start_.assign(static_cast<std::size_t>(n) + 1, -1);
  std::int32_t a = 0, b = 1, c = k;
  if (orientation(p_[a], p_[b], p_[c]) < 0) std::swap(b, c);
  // Triangle 0 is (a, b, c); ghosts 1, 2, 3 lie beyond its sides opposite a, b and c.
  v_.push_back({{a, b, c}});
  v_.push_back({{c, b, ghost_}});
  v_.push_back({{a, c, ghost_}});
  v_.push_back({{b, a, ghost_}});
  n_.push_back({1, 2, 3});
  n_.push_back({3, 2, 0});
  n_.push_back({1, 3, 0});
  n_.push_back({2, 1, 0});
  for (std::int32_t i = 1; i < n; ++i)
    if (i != b && i != c) insert(i);
  return true;
}

void Builder::extract(const std::vector<std::int32_t>& original, const MeshCurve* curve, FlatTriangulation& out) {
  start_ = {};
  const std::size_t all = v_.size();
  std::vector<std::int32_t> index;
  reserveLarge(index, all);
  index.assign(all, -1);
  {
    std::vector<bool> isFree(all, false);
    for (std::int32_t f : free_) isFree[f] = true;
    std::int32_t count = 0;
    for (std::size_t t = 0; t < all; ++t)
      if (!isFree[t] && !isGhost(static_cast<std::int32_t>(t))) index[t] = count++;
  }
  // In place: a triangle only ever moves down.
  std::size_t kept = 0;
  out.keys.clear();
  if (curve) reserveLarge(out.keys, v_.size());
  for (std::size_t t = 0; t < all; ++t) {
    if (index[t] < 0) continue;
    if (curve) {
      const std::int32_t* c = v_[t].v;
      const std::int32_t a = original[c[0]], b = original[c[1]], d = original[c[2]];
      const int r = a < b ? (a < d ? 0 : 2) : (b < d ? 1 : 2);
      out.keys.push_back({curve->key(p_[c[r]], p_[c[(r + 1) % 3]], p_[c[(r + 2) % 3]]), static_cast<std::int32_t>(kept)});
    }
    for (int i = 0; i < 3; ++i) {
      v_[kept].v[i] = original[v_[t].v[i]];
      n_[kept][i] = index[n_[t][i]];
    }
    ++kept;
  }
  p_ = {};
  v_.resize(kept);
  n_.resize(kept);
  out.triangles = std::move(v_);
  out.neighbours = std::move(n_);
}

template <class P>
void triangulate(std::span<const P> positions, FlatTriangulation& out, bool withKeys) {
  out.triangles.clear();
  out.neighbours.clear();
  out.keys.clear();
  const std::size_t n = positions.size();
  if (n < 3) return;
  // Inserted along a Hilbert curve, each position lies next to the last one made.
  double x0 = positions[0].x, x1 = x0, y0 = positions[0].y, y1 = y0;
  for (const P& p : positions) {
    x0 = std::min(x0, p.x);
    x1 = std::max(x1, p.x);
    y0 = std::min(y0, p.y);
    y1 = std::max(y1, p.y);
  }
  std::vector<std::uint64_t> keys;
  reserveLarge(keys, n);
  for (std::size_t i = 0; i < n; ++i)
    keys.push_back((static_cast<std::uint64_t>(hilbertKey(positions[i].x, positions[i].y, x0, y0, x1, y1)) << 32) | i);
  {
    // The low half (the input index) already increases, so a stable sort on the high half
    // orders the whole key.
    std::vector<std::uint64_t> scratch;
    radixSort(keys, [](std::uint64_t k) { return k >> 32; }, 32, scratch);
  }
  std::vector<std::int32_t> original;
  std::vector<Point2> sorted;
  reserveLarge(original, n);
  reserveLarge(sorted, n);
  for (std::size_t i = 0; i < n; ++i) {
    original.push_back(static_cast<std::int32_t>(keys[i] & 0xFFFFFFFFu));
    sorted.push_back({positions[original[i]].x, positions[original[i]].y});
  }
  keys = {};
  const MeshCurve curve = meshCurve(positions);
  Builder builder(std::move(sorted));
  if (!builder.run()) return;
  builder.extract(original, withKeys ? &curve : nullptr, out);
}

}  // namespace

void delaunay(std::span<const Point2> positions, FlatTriangulation& out, bool keys) {
  triangulate(positions, out, keys);
}
void delaunay(std::span<const Point3> points, FlatTriangulation& out, bool keys) { triangulate(points, out, keys); }

}  // namespace tin::detail
