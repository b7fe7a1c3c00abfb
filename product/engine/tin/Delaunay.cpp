// SPDX-License-Identifier: GPL-3.0-or-later
#include "tin/Delaunay.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <stdexcept>

#include "tin/LargeArrays.h"
#include "tin/Mesh.h"
#include "tin/MeshOrder.h"
#include "tin/Predicates.h"
#include "tin/RadixSort.h"

namespace tin::detail {

namespace {

// The curve four bits of each coordinate at a time. A state is the turn the curve has taken so
// far: bit 0 x and y swapped, bit 1 both mirrored (they commute, so two bits say it all). Each
// entry holds the eight key bits of a 4 x 4 block in its low byte and the state after it above.
struct HilbertTable {
  std::uint16_t step[4][256];
  HilbertTable() {
    for (unsigned state = 0; state < 4; ++state)
      for (unsigned xy = 0; xy < 256; ++xy) {
        unsigned cx = xy >> 4, cy = xy & 15u, s = state, key = 0;
        for (int b = 3; b >= 0; --b) {
          unsigned rx = (cx >> b) & 1u, ry = (cy >> b) & 1u;
          if (s & 1u) std::swap(rx, ry);
          if (s & 2u) {
            rx ^= 1u;
            ry ^= 1u;
          }
          key |= ((3u * rx) ^ ry) << (2 * b);
          // Below the lower right quadrant the curve runs mirrored and swapped, below the lower
          // left one swapped.
          if (ry == 0) s ^= rx ? 3u : 1u;
        }
        step[state][xy] = static_cast<std::uint16_t>(key | (s << 8));
      }
  }
};

const HilbertTable kHilbert;

}  // namespace

std::uint32_t hilbertKey(double x, double y, double x0, double y0, double x1, double y1) {
  auto cell = [](double v, double v0, double v1) {
    constexpr double side = 65535.0;
    const double span = v1 - v0;
    const double f = span > 0.0 ? (v - v0) / span * side : 0.0;
    return static_cast<std::uint32_t>(std::clamp(f, 0.0, side));
  };
  const std::uint32_t cx = cell(x, x0, x1), cy = cell(y, y0, y1);
  std::uint32_t key = 0, state = 0;
  for (int b = 12; b >= 0; b -= 4) {
    const std::uint32_t e = kHilbert.step[state][(((cx >> b) & 15u) << 4) | ((cy >> b) & 15u)];
    key |= (e & 0xFFu) << (2 * b);
    state = e >> 8;
  }
  return key;
}

namespace {

// Incremental Delaunay triangulation (Bowyer-Watson) over a sphere: a vertex at infinity closes
// the plane, and each hull side has a "ghost" triangle with that vertex, so a position outside
// the hull is handled like one inside. A ghost's circumcircle is the open half-plane beyond its
// hull side together with the open side itself.
//
// Which triangles come out where several are Delaunay depends on the order of insertion only;
// where each lands in the arrays depends on the walk and on the order the cavity is explored
// and its room reused, all of which stay as they are so that delaunay() gives the very same
// arrays for the same input.
class Builder {
 public:
  // Ties: where an in-circle test meets four cocircular positions, the triangles may depend on
  // the order of insertion. With tiesBefore > 0, a tie met among the first tiesBefore
  // insertions gives up (run() false, gaveUp() true); later ones are noted, for
  // settleTies().
  Builder(std::vector<Point2> sorted, std::int32_t tiesBefore = 0)
      : p_(std::move(sorted)), ghost_(static_cast<std::int32_t>(p_.size())), tiesBefore_(tiesBefore) {}

  // False for no triangles: fewer than three positions, all on one line, or given up.
  bool run();
  bool gaveUp() const { return gaveUp_; }
  // Triangulates each group of four or more cocircular positions (a "cell": adjacent triangles
  // with one circumcircle, no position inside it) found at the noted ties as the order of
  // insertion ranked by rank(vertex) does: the first three make a triangle, each later one
  // the triangle with its nearest neighbours on the circle among those before it. That is what
  // an insertion in that order makes of the cell, and the triangles elsewhere are the only
  // Delaunay ones.
  template <class Rank>
  void settleTies(Rank rank);
  // The finite triangles, corners renumbered by `original`, neighbours renumbered. Drops the
  // positions first: a large triangulation needs the room.
  void extract(const std::vector<std::int32_t>& original, FlatTriangulation& out);
  // The finite triangles in the canonical order of orderMesh() along `curve`, into mesh.
  void extractOrdered(std::vector<std::int32_t>& original, const MeshCurve& curve, Mesh& mesh);

 private:
  bool isGhost(std::int32_t t) const {
    return v_[t].v[0] == ghost_ || v_[t].v[1] == ghost_ || v_[t].v[2] == ghost_;
  }
  // Inlined: the cavity search calls it for nearly every triangle it meets.
  [[gnu::always_inline]] bool conflicts(std::int32_t t, const Point2& q) const {
    const std::int32_t* c = v_[t].v;
    if (c[0] == ghost_ || c[1] == ghost_ || c[2] == ghost_) return ghostConflicts(c, q);
    const int side = inCircle(p_[c[0]], p_[c[1]], p_[c[2]], q);
    tie_ |= side == 0;
    return side > 0;
  }
  bool ghostConflicts(const std::int32_t* c, const Point2& q) const;
  // The triangle the walk from start ends in; inside is set when q lies strictly inside it
  // (which puts it in conflict without an in-circle test).
  std::int32_t locate(std::int32_t start, const Point2& q, bool& inside) const;
  std::int32_t conflictByScan(const Point2& q) const;
  void insert(std::int32_t vertex);

  std::vector<Point2> p_;
  std::int32_t ghost_;
  // Corners and neighbours, laid out as the result wants them so that it can take them over.
  std::vector<Triangle> v_;
  std::vector<std::array<std::int32_t, 3>> n_;
  std::int32_t last_ = 0;  // a triangle made by the last insertion
  std::int32_t tiesBefore_;
  mutable bool tie_ = false;  // an in-circle test of this insertion met a tie
  bool gaveUp_ = false;
  std::vector<std::int32_t> tied_;  // the vertices whose insertion met a tie

  struct Side {
    std::int32_t a, b, outside, outsideSide;
  };
  std::vector<std::int32_t> cavity_;
  std::vector<Side> sides_;
  std::vector<std::int32_t> made_;   // the new triangle of each side
  std::vector<std::int32_t> start_;  // the new triangle of each cavity side by its first vertex
};

bool Builder::ghostConflicts(const std::int32_t* c, const Point2& q) const {
  const int g = c[0] == ghost_ ? 0 : c[1] == ghost_ ? 1 : 2;
  const Point2& a = p_[c[(g + 1) % 3]];
  const Point2& b = p_[c[(g + 2) % 3]];
  const int o = orientation(a, b, q);
  if (o != 0) return o > 0;
  // Exactly on the hull side's line: in conflict strictly between its ends, which one
  // coordinate decides.
  if (a.x != b.x) return q.x > std::min(a.x, b.x) && q.x < std::max(a.x, b.x);
  return q.y > std::min(a.y, b.y) && q.y < std::max(a.y, b.y);
}

std::int32_t Builder::locate(std::int32_t t, const Point2& q, bool& inside) const {
  // A visibility walk: leave through a side with q strictly beyond it. On a Delaunay
  // triangulation it cannot cycle; the step limit only guards against the unforeseen.
  // The side a step came in by has q strictly on this side of it (the exact sign of the same
  // side the other way round), so it is not tested again; after a step back from beyond the
  // hull q may lie on that side's line, so then it is.
  static constexpr int kMod3[5] = {0, 1, 2, 0, 1};
  const std::size_t limit = 64 + 4 * v_.size();
  unsigned turn = 0;
  int entry = -1;
  inside = false;
  for (std::size_t step = 0; step < limit; ++step) {
    const std::int32_t* c = v_[t].v;
    const int g = c[0] == ghost_ ? 0 : c[1] == ghost_ ? 1 : c[2] == ghost_ ? 2 : -1;
    if (g >= 0) {
      if (ghostConflicts(c, q)) return t;
      t = n_[t][g];  // back across the hull side
      entry = -1;
      continue;
    }
    int exit = -1;
    bool onSide = false;
    for (int k = 0; k < 3 && exit < 0; ++k) {
      const int i = kMod3[k + turn];
      if (i == entry) continue;
      const int o = orientation(p_[c[kMod3[i + 1]]], p_[c[kMod3[i + 2]]], q);
      if (o < 0) exit = i;
      onSide |= o == 0;
    }
    if (exit < 0) {
      inside = !onSide;
      return t;
    }
    turn = turn == 2 ? 0 : turn + 1;
    const std::int32_t from = t;
    t = n_[t][exit];
    const std::int32_t* back = n_[t].data();
    entry = (back[1] == from) | (back[2] == from) << 1;
  }
  return conflictByScan(q);
}

std::int32_t Builder::conflictByScan(const Point2& q) const {
  for (std::size_t t = 0; t < v_.size(); ++t)
    if (conflicts(static_cast<std::int32_t>(t), q)) return static_cast<std::int32_t>(t);
  return -1;
}

void Builder::insert(std::int32_t vertex) {
  const Point2& q = p_[vertex];
  bool inside = false;
  const std::int32_t t0 = locate(last_, q, inside);
  if (t0 < 0 || (!inside && !conflicts(t0, q))) {
    // Only a position equal to a vertex can be in conflict with nothing.
    throw std::invalid_argument("delaunay: two positions are the same");
  }
  // The cavity: every triangle whose circumcircle holds q strictly, grown from t0 (it is
  // connected). Its sides face q, so joining them to q gives triangles again.
  // A triangle in the cavity is marked by its first corner turned negative (~v): all of them
  // are made again below, which clears the marks.
  //
  // Whether a neighbour is in conflict is a toss-up a processor cannot predict: it goes to the
  // cavity or to the sides by arithmetic, not by a branch (each list has room for three more).
  std::size_t inCavity = 1, onSides = 0;
  if (cavity_.size() < 64) cavity_.resize(64);
  if (sides_.size() < 64) sides_.resize(64);
  cavity_[0] = t0;
  std::int32_t corner[3];
  v_[t0].v[0] = ~v_[t0].v[0];
  for (std::size_t k = 0; k < inCavity; ++k) {
    if (inCavity + 3 > cavity_.size()) cavity_.resize(2 * cavity_.size());
    if (onSides + 3 > sides_.size()) sides_.resize(2 * sides_.size());
    const std::int32_t t = cavity_[k];
    corner[0] = ~v_[t].v[0];
    corner[1] = v_[t].v[1];
    corner[2] = v_[t].v[2];
    for (int i = 0; i < 3; ++i) {
      const std::int32_t nb = n_[t][i];
      std::int32_t* o = v_[nb].v;
      if (o[0] < 0) continue;
      const bool in = conflicts(nb, q);
      // nb has the side the other way round: it lies opposite nb's corner that is neither end.
      const std::int32_t a = corner[(i + 1) % 3], b = corner[(i + 2) % 3];
      const int end0 = (o[0] == a) | (o[0] == b), end1 = (o[1] == a) | (o[1] == b);
      sides_[onSides] = {a, b, nb, end0 * (1 + end1)};
      onSides += !in;
      cavity_[inCavity] = nb;
      inCavity += in;
      o[0] ^= -static_cast<std::int32_t>(in);  // ~v where in the cavity
    }
  }
  // Each cavity side (a, b) with the outside neighbour becomes the triangle (a, b, q), in the
  // room of the cavity's triangles, last one first; the two more it takes go to the end.
  const std::size_t k = onSides;
  made_.resize(k);
  std::size_t reuse = inCavity;
  for (std::size_t j = 0; j < k; ++j) {
    const Side& s = sides_[j];
    std::int32_t t;
    if (reuse > 0) {
      t = cavity_[--reuse];
    } else {
      t = static_cast<std::int32_t>(v_.size());
      v_.emplace_back();
      n_.push_back({-1, -1, -1});
    }
    v_[t].v[0] = s.a;
    v_[t].v[1] = s.b;
    v_[t].v[2] = vertex;
    n_[t][2] = s.outside;
    n_[s.outside][s.outsideSide] = t;
    made_[j] = t;
  }
  // Around q: the side (b, q) of triangle (a, b, q) is the side (q, b) of triangle (b, c, q).
  // The cavity's boundary is one cycle, so each b is the a of exactly one side.
  for (std::size_t j = 0; j < k; ++j) start_[sides_[j].a] = made_[j];
  for (std::size_t j = 0; j < k; ++j) {
    const std::int32_t next = start_[sides_[j].b];
    n_[made_[j]][0] = next;
    n_[next][1] = made_[j];
  }
  last_ = made_[k - 1];
  if (!isGhost(last_)) return;
  for (std::size_t j = 0; j < k; ++j)
    if (!isGhost(made_[j])) last_ = made_[j];
}

bool Builder::run() {
  const auto n = static_cast<std::int32_t>(p_.size());
  if (n < 3) return false;
  // The first triangle: the first two positions and the first one off their line. Two equal
  // positions make no line, so every other position would seem to lie on it.
  if (p_[0] == p_[1]) throw std::invalid_argument("delaunay: two positions are the same");
  std::int32_t k = 2;
  while (k < n && orientation(p_[0], p_[1], p_[k]) == 0) ++k;
  if (k == n) return false;
  // With the vertex at infinity, n + 1 vertices on a sphere make exactly 2n - 2 triangles.
  reserveLarge(v_, 2 * static_cast<std::size_t>(n));
  reserveLarge(n_, 2 * static_cast<std::size_t>(n));
  reserveLarge(start_, static_cast<std::size_t>(n) + 1);
  start_.resize(static_cast<std::size_t>(n) + 1);
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
  for (std::int32_t i = 1; i < n; ++i) {
    if (i == b || i == c) continue;
    insert(i);
    if (tie_ && tiesBefore_ > 0) {
      if (i < tiesBefore_) {
        gaveUp_ = true;
        return false;
      }
      tied_.push_back(i);
      tie_ = false;
    }
  }
  return true;
}

template <class Rank>
void Builder::settleTies(Rank rank) {
  if (tied_.empty()) return;
  const std::size_t all = v_.size();
  // A triangle at each vertex, and the cell each triangle was found in.
  std::vector<std::int32_t>& at = start_;
  for (std::size_t t = 0; t < all; ++t)
    for (const std::int32_t c : v_[t].v) at[c] = static_cast<std::int32_t>(t);
  std::vector<std::int32_t> cellOf(all, -1);
  std::int32_t cells = 0;
  // Whether u, across a side of t, has its far corner on t's circumcircle.
  auto cocircular = [&](std::int32_t t, std::int32_t u) {
    if (isGhost(t) || isGhost(u)) return false;
    const int j = n_[u][0] == t ? 0 : n_[u][1] == t ? 1 : 2;
    const std::int32_t* c = v_[t].v;
    return inCircle(p_[c[0]], p_[c[1]], p_[c[2]], p_[v_[u].v[j]]) == 0;
  };
  struct RingSide {
    std::int32_t from, to, outside, outsideSide;
  };
  std::vector<std::int32_t> cell, ring;
  std::vector<RingSide> sides, ringSides;
  std::vector<std::size_t> ranked;
  std::vector<char> made;
  std::vector<std::array<std::size_t, 3>> fresh;  // positions on the ring, counter-clockwise
  // Triangulates the cell of t and u again; false when they form none.
  auto settle = [&](std::int32_t t, std::int32_t u) {
    if (cellOf[t] >= 0 || cellOf[u] >= 0 || !cocircular(t, u)) return false;
    cell.assign(1, t);
    cellOf[t] = cells;
    for (std::size_t k = 0; k < cell.size(); ++k)
      for (const std::int32_t w : n_[cell[k]])
        if (cellOf[w] < 0 && cocircular(cell[k], w)) {
          cellOf[w] = cells;
          cell.push_back(w);
        }
    // Its boundary, counter-clockwise, with what lies beyond each side.
    sides.clear();
    for (const std::int32_t c : cell)
      for (int j = 0; j < 3; ++j) {
        const std::int32_t w = n_[c][j];
        if (cellOf[w] == cells) continue;
        const int back = n_[w][0] == c ? 0 : n_[w][1] == c ? 1 : 2;
        sides.push_back({v_[c].v[(j + 1) % 3], v_[c].v[(j + 2) % 3], w, back});
      }
    ring.clear();
    ringSides.clear();
    std::int32_t from = sides[0].from;
    for (std::size_t k = 0; k < sides.size(); ++k) {
      std::size_t e = 0;
      while (e < sides.size() && sides[e].from != from) ++e;
      if (e == sides.size()) throw std::logic_error("delaunay: a cell of cocircular positions is no polygon");
      ring.push_back(from);
      ringSides.push_back(sides[e]);
      from = sides[e].to;
    }
    const std::size_t m = ring.size();
    ranked.resize(m);
    for (std::size_t k = 0; k < m; ++k) ranked[k] = k;
    std::sort(ranked.begin(), ranked.end(),
              [&](std::size_t x, std::size_t y) { return rank(ring[x], p_[ring[x]]) < rank(ring[y], p_[ring[y]]); });
    made.assign(m, 0);
    fresh.clear();
    std::array<std::size_t, 3> three{ranked[0], ranked[1], ranked[2]};
    std::sort(three.begin(), three.end());
    fresh.push_back(three);
    for (int k = 0; k < 3; ++k) made[ranked[k]] = 1;
    for (std::size_t k = 3; k < m; ++k) {
      const std::size_t x = ranked[k];
      std::size_t before = (x + m - 1) % m, after = (x + 1) % m;
      while (!made[before]) before = (before + m - 1) % m;
      while (!made[after]) after = (after + 1) % m;
      fresh.push_back({before, x, after});
      made[x] = 1;
    }
    // Into the cell's places: a side along the ring is linked to what lies beyond it, one
    // between two new triangles to the other.
    for (std::size_t f = 0; f < fresh.size(); ++f)
      for (int j = 0; j < 3; ++j) v_[cell[f]].v[j] = ring[fresh[f][j]];
    for (std::size_t f = 0; f < fresh.size(); ++f)
      for (int j = 0; j < 3; ++j) {
        const std::size_t a = fresh[f][(j + 1) % 3], b = fresh[f][(j + 2) % 3];
        if (b == (a + 1) % m) {
          const RingSide& g = ringSides[a];
          n_[cell[f]][j] = g.outside;
          n_[g.outside][g.outsideSide] = cell[f];
          continue;
        }
        for (std::size_t h = 0; h < fresh.size(); ++h)
          for (int l = 0; l < 3; ++l)
            if (fresh[h][(l + 1) % 3] == b && fresh[h][(l + 2) % 3] == a) n_[cell[f]][j] = cell[h];
      }
    for (const std::int32_t c : cell)
      for (const std::int32_t v : v_[c].v) at[v] = c;
    ++cells;
    return true;
  };
  for (const std::int32_t d : tied_) {
    // Around d, each triangle's sides; after a cell is made again, around d afresh.
    bool again = true;
    while (again) {
      again = false;
      const std::int32_t first = at[d];
      std::int32_t t = first;
      do {
        for (int i = 0; i < 3 && !again; ++i) again = settle(t, n_[t][i]);
        if (again) break;
        const int j = v_[t].v[0] == d ? 0 : v_[t].v[1] == d ? 1 : 2;
        t = n_[t][(j + 1) % 3];  // across the side from d to the corner before it
      } while (t != first);
    }
  }
}

void Builder::extract(const std::vector<std::int32_t>& original, FlatTriangulation& out) {
  release(start_);
  const std::size_t all = v_.size();
  std::vector<std::int32_t> index;
  reserveLarge(index, all);
  index.assign(all, -1);
  std::int32_t count = 0;
  for (std::size_t t = 0; t < all; ++t)
    if (!isGhost(static_cast<std::int32_t>(t))) index[t] = count++;
  // In place: a triangle only ever moves down.
  std::size_t kept = 0;
  for (std::size_t t = 0; t < all; ++t) {
    if (index[t] < 0) continue;
    for (int i = 0; i < 3; ++i) {
      v_[kept].v[i] = original[v_[t].v[i]];
      n_[kept][i] = index[n_[t][i]];
    }
    ++kept;
  }
  release(p_);
  v_.resize(kept);
  n_.resize(kept);
  out.triangles = std::move(v_);
  out.neighbours = std::move(n_);
}

void Builder::extractOrdered(std::vector<std::int32_t>& original, const MeshCurve& curve, Mesh& mesh) {
  // Each array is let go as soon as the next step no longer needs it: this is the step that
  // needs the most room in a large build.
  const std::size_t all = v_.size();
  // Each triangle's place along the curve, from its smallest point index on as orderMesh()
  // takes it, worked out while the positions lie close together here. Each triangle is turned
  // to start there, its neighbours with it, so that the steps below copy them as they are.
  std::vector<std::uint64_t> place;
  reserveLarge(place, all);
  // A triangle's corners were inserted in different rounds, so their positions lie apart:
  // those of a triangle a few ahead are asked for now (the ghost's number is a position too).
  constexpr std::size_t kAhead = 8;
  for (std::size_t t = 0; t < all; ++t) {
    if (t + kAhead < all)
      for (const std::int32_t a : v_[t + kAhead].v) {
        __builtin_prefetch(&p_[static_cast<std::size_t>(a) < p_.size() ? a : 0]);
        __builtin_prefetch(&original[static_cast<std::size_t>(a) < original.size() ? a : 0]);
      }
    std::int32_t* c = v_[t].v;
    if (c[0] == ghost_ || c[1] == ghost_ || c[2] == ghost_) {
      place.push_back(kNoPlace);
      continue;
    }
    const std::int32_t a = original[c[0]], b = original[c[1]], d = original[c[2]];
    if (b < a && b < d) {
      std::rotate(c, c + 1, c + 3);
      std::rotate(n_[t].begin(), n_[t].begin() + 1, n_[t].end());
    } else if (d < a && d < b) {
      std::rotate(c, c + 2, c + 3);
      std::rotate(n_[t].begin(), n_[t].begin() + 2, n_[t].end());
    }
    place.push_back(curveKey(curve, p_[c[0]], p_[c[1]], p_[c[2]]));
  }
  release(p_);
  mesh.curveCells = {};
  mesh.curveCells.curve = curve;
  const std::size_t finite = renumberAlongCurve(
      place,
      [&](std::int32_t t) {
        Triangle out;
        for (int i = 0; i < 3; ++i) out.v[i] = original[v_[t].v[i]];
        return out;
      },
      &mesh.curveCells);
  // The first triangle at each vertex, gathered by the vertex's place in the insertion order
  // (in the room the insertion no longer needs): those lie close together here, while the
  // point indices of neighbouring triangles lie all over a large survey.
  {
    // Unsigned, so that "none yet" (-1) is the largest and each update a plain minimum.
    std::vector<std::int32_t>& first = start_;
    std::fill(first.begin(), first.end(), -1);
    for (std::size_t t = 0; t < all; ++t) {
      if (t + kAhead < all)
        for (const std::int32_t a : v_[t + kAhead].v) __builtin_prefetch(&first[static_cast<std::size_t>(a)], 1);
      if (place[t] == kNoPlace) continue;
      const auto at = static_cast<std::uint32_t>(place[t]);
      for (const std::int32_t c : v_[t].v)
        first[c] = static_cast<std::int32_t>(std::min(static_cast<std::uint32_t>(first[c]), at));
    }
    const std::size_t n = original.size();
    reserveWithRoom(mesh.vertexTriangle, n);
    mesh.vertexTriangle.resize(n);
    for (std::size_t c = 0; c < n; ++c) mesh.vertexTriangle[original[c]] = first[c];
    release(start_);
  }
  // The triangles to their places.
  reserveWithRoom(mesh.triangles, finite);
  mesh.triangles.resize(finite);
  for (std::size_t t = 0; t < all; ++t) {
    if (place[t] == kNoPlace) continue;
    Triangle& out = mesh.triangles[place[t]];
    for (int i = 0; i < 3; ++i) out.v[i] = original[v_[t].v[i]];
  }
  release(v_);
  release(original);
  reserveWithRoom(mesh.neighbours, finite);
  mesh.neighbours.resize(finite);
  // The sides on the hull (a ghost beyond them) are listed on the way, then put in the order
  // of their triangles: far fewer than a pass over all neighbours would read.
  mesh.boundarySides.clear();
  for (std::size_t t = 0; t < all; ++t) {
    if (place[t] == kNoPlace) continue;
    auto& out = mesh.neighbours[place[t]];
    for (int i = 0; i < 3; ++i) {
      const std::uint64_t nb = place[static_cast<std::size_t>(n_[t][i])];
      out[i] = nb == kNoPlace ? -1 : static_cast<std::int32_t>(nb);
      if (nb == kNoPlace) mesh.boundarySides.push_back({static_cast<std::int32_t>(place[t]), i});
    }
  }
  release(n_);
  std::sort(mesh.boundarySides.begin(), mesh.boundarySides.end(), [](const TriangleSide& x, const TriangleSide& y) {
    return x.triangle != y.triangle ? x.triangle < y.triangle : x.side < y.side;
  });
}

// Below this many positions one pass along the curve costs little: no rounds.
constexpr std::size_t kSmallestRound = 8192;

// How many rounds before the last an insertion in rounds of n positions takes (each an
// eighth of the next), at most 7.
int earlierRounds(std::size_t n) {
  int rounds = 0;
  for (std::size_t m = n; m > kSmallestRound && rounds < 7; m /= 8) ++rounds;
  return rounds;
}

// Positions in the order of insertion, along a Hilbert curve so that each lies next to the
// last one made; original receives the input index of each.
//
// In one pass (earlier = 0) the order decides which triangles come out where positions are
// cocircular, as it always has. In rounds, the curve is run once over a few positions, then
// again over eight times as many, and so on (each position's round drawn from its input
// index): a round then meets triangles that already span the area, where a new position's
// cavity is smaller and its walk shorter than at the edge of a region filled in one pass.
struct Box {
  double x0, y0, x1, y1;
  std::uint32_t curveKey(const Point2& p) const { return hilbertKey(p.x, p.y, x0, y0, x1, y1); }
};

template <class P>
Box boxOf(std::span<const P> positions) {
  Box b{positions[0].x, positions[0].y, positions[0].x, positions[0].y};
  for (const P& p : positions) {
    b.x0 = std::min(b.x0, p.x);
    b.x1 = std::max(b.x1, p.x);
    b.y0 = std::min(b.y0, p.y);
    b.y1 = std::max(b.y1, p.y);
  }
  return b;
}

template <class P>
std::vector<Point2> insertionOrder(std::span<const P> positions, const Box& box, std::vector<std::int32_t>& original,
                                   int earlier) {
  const std::size_t n = positions.size();
  // The sort key above the input index: the curve's key, or the round above the curve's key
  // without its last three bits (cells a sixty-fourth as large as a position's share at ten
  // million positions, still far finer than the spacing).
  auto roundOf = [earlier](std::uint64_t i) {
    std::uint64_t h = i + 0x9E3779B97F4A7C15ull;
    h = (h ^ (h >> 30)) * 0xBF58476D1CE4E5B9ull;
    h = (h ^ (h >> 27)) * 0x94D049BB133111EBull;
    h ^= h >> 31;
    // Seven in eight in the last round, seven in sixty-four in the one before, ...
    return static_cast<std::uint64_t>(earlier - std::min(earlier, std::countl_zero(h | 1u) / 3));
  };
  std::vector<std::uint64_t> keys;
  reserveLarge(keys, n);
  for (std::size_t i = 0; i < n; ++i) {
    std::uint64_t key = box.curveKey({positions[i].x, positions[i].y});
    if (earlier > 0) key = roundOf(i) << 29 | key >> 3;
    keys.push_back(key << 32 | i);
  }
  {
    // The low half (the input index) already increases, so a stable sort on the high half
    // orders the whole key.
    std::vector<std::uint64_t> scratch;
    radixSort(keys, [](std::uint64_t k) { return k >> 32; }, 32, scratch);
  }
  std::vector<Point2> sorted;
  reserveLarge(original, n);
  reserveLarge(sorted, n);
  // The positions lie all over the input: each is asked for a few positions ahead, so that
  // the waits overlap.
  constexpr std::size_t kAhead = 16;
  for (std::size_t i = 0; i < n; ++i) {
    if (i + kAhead < n) __builtin_prefetch(&positions[keys[i + kAhead] & 0xFFFFFFFFu]);
    original.push_back(static_cast<std::int32_t>(keys[i] & 0xFFFFFFFFu));
    sorted.push_back({positions[original[i]].x, positions[original[i]].y});
  }
  return sorted;
}

template <class P>
void triangulate(std::span<const P> positions, FlatTriangulation& out) {
  out.triangles.clear();
  out.neighbours.clear();
  if (positions.size() < 3) return;
  std::vector<std::int32_t> original;
  Builder builder(insertionOrder(positions, boxOf(positions), original, 0));
  if (!builder.run()) return;
  builder.extract(original, out);
}

}  // namespace

void delaunay(std::span<const Point2> positions, FlatTriangulation& out) { triangulate(positions, out); }

void delaunayMesh(std::span<const Point3> points, Mesh& mesh) {
  mesh.triangles.clear();
  mesh.neighbours.clear();
  if (points.size() >= 3) {
    // Where no position is cocircular with three others (no in-circle test ties), the
    // Delaunay triangulation is unique, and the faster insertion in rounds makes it too; ties
    // met later are settled as the one pass along the curve, whose order has always decided
    // them, does (see settleTies()). A tie within the first eighth of the insertions tells of
    // a grid or a lattice, with ties all over: there the build starts again in that order,
    // having spent little.
    const Box box = boxOf(points);
    bool done = false;
    std::vector<std::int32_t> original;
    if (const int earlier = earlierRounds(points.size()); earlier > 0) {
      Builder builder(insertionOrder(points, box, original, earlier), static_cast<std::int32_t>(points.size() / 8));
      if (builder.run()) {
        builder.settleTies([&](std::int32_t v, const Point2& p) {
          return std::uint64_t{box.curveKey(p)} << 32 | static_cast<std::uint32_t>(original[v]);
        });
        builder.extractOrdered(original, meshCurve(points), mesh);
      }
      done = !builder.gaveUp();
    }
    if (!done) {
      original.clear();
      Builder builder(insertionOrder(points, box, original, 0));
      if (builder.run()) builder.extractOrdered(original, meshCurve(points), mesh);
    }
  }
  reserveWithRoom(mesh.breakLineSides, mesh.triangles.size());
  mesh.breakLineSides.assign(mesh.triangles.size(), 0);
  // An ordered build has listed its hull sides.
  if (mesh.triangles.empty()) indexVerticesAndBoundary(mesh, points.size());
}

}  // namespace tin::detail
