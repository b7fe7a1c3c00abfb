// SPDX-License-Identifier: GPL-3.0-or-later
#include "tin/Drape.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "tin/Predicates.h"

namespace tin {

namespace {

bool finite(const Point3& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

// Appends the arc from a to b with the given bulge, without a and with b.
void appendArc(const Point2& a, const Point2& b, double bulge, const DrapeOptions& options,
               std::vector<Point2>& out) {
  const double dx = b.x - a.x, dy = b.y - a.y, chord = std::hypot(dx, dy);
  const double sweep = 4.0 * std::atan(bulge);  // signed, counter-clockwise positive
  if (chord == 0.0 || std::fabs(bulge) < 1e-12) {
    out.push_back(b);
    return;
  }
  const double radius = chord / (2.0 * std::sin(std::fabs(sweep) / 2.0));
  // The centre lies left of the chord for a counter-clockwise arc, at c/(2 tan(sweep/2)) from
  // its middle (on the right, by the sign, for a clockwise one).
  const double offset = chord / (2.0 * std::tan(sweep / 2.0));
  const double cx = 0.5 * (a.x + b.x) - dy / chord * offset;
  const double cy = 0.5 * (a.y + b.y) + dx / chord * offset;
  double step = std::max(options.maxChordAngle, 1e-6);
  if (options.chordTolerance > 0.0 && options.chordTolerance < radius)
    step = std::min(step, 2.0 * std::acos(1.0 - options.chordTolerance / radius));
  const int chords = static_cast<int>(std::clamp(std::ceil(std::fabs(sweep) / step), 1.0, 4096.0));
  const double start = std::atan2(a.y - cy, a.x - cx);
  for (int k = 1; k < chords; ++k) {
    const double angle = start + sweep * k / chords;
    out.push_back({cx + radius * std::cos(angle), cy + radius * std::sin(angle)});
  }
  out.push_back(b);
}

// Collects draped points into pieces.
class PieceBuilder {
 public:
  PieceBuilder(bool keepOff, double offZ) : keepOff_(keepOff), offZ_(offZ) {}

  void on(const Point3& p) {
    if (!open_) {
      pieces_.emplace_back();
      open_ = true;
    }
    auto& piece = pieces_.back();
    if (piece.empty() || piece.back().x != p.x || piece.back().y != p.y) piece.push_back(p);
  }
  void off(const Point2& p) {
    if (keepOff_) on({p.x, p.y, offZ_});
  }
  void leave() {
    if (!keepOff_) open_ = false;
  }

  DrapeResult finish() {
    DrapeResult r;
    for (auto& piece : pieces_)
      if (piece.size() >= 2) r.pieces.push_back(std::move(piece));
    r.ok = !r.pieces.empty();
    return r;
  }

 private:
  bool keepOff_;
  double offZ_;
  bool open_ = false;
  std::vector<std::vector<Point3>> pieces_;
};

// Walks one straight stretch p -> q across the mesh. Every decision (which side the line leaves
// a triangle through, whether it runs through a vertex or along a side, whether q has been
// reached) is an exact orientation test; only the crossing points themselves are rounded.
class Walker {
 public:
  Walker(const Mesh& mesh, const MeshLocator& locate, PieceBuilder& out)
      : mesh_(mesh), locate_(locate), out_(out) {}

  void stretch(const Point2& p, const Point2& q) {
    p_ = p;
    q_ = q;
    const MeshLocation loc = locate_(p);
    if (p == q) {
      if (loc.kind == MeshLocation::Kind::Outside)
        out_.off(p);
      else
        out_.on({p.x, p.y, elevationInTriangle(mesh_, loc.triangle, p)});
      return;
    }
    State s;
    switch (loc.kind) {
      case MeshLocation::Kind::Outside:
        out_.off(p);
        s = {At::Off, -1, -1, 0.0};
        break;
      case MeshLocation::Kind::Face:
        out_.on({p.x, p.y, elevationInTriangle(mesh_, loc.triangle, p)});
        s = {At::Face, loc.triangle, -1, 0.0};
        break;
      case MeshLocation::Kind::Edge:
        out_.on({p.x, p.y, elevationInTriangle(mesh_, loc.triangle, p)});
        s = fromSide(loc.triangle, loc.index);
        break;
      case MeshLocation::Kind::Vertex: {
        const std::int32_t v = mesh_.triangles[loc.triangle].v[loc.index];
        out_.on(mesh_.vertices[v]);
        s = {At::Vertex, -1, v, 0.0};
        break;
      }
    }
    // Each step moves strictly forward; the bound only guards against a broken mesh.
    std::size_t guard = 4 * mesh_.triangles.size() + 64;
    while (s.at != At::Done && guard-- > 0) {
      switch (s.at) {
        case At::Face: s = inFace(s.triangle, s.vertex); break;
        case At::Vertex: s = atVertex(s.vertex); break;
        case At::Off: s = offSurface(s.t, s.vertex); break;
        case At::Done: break;
      }
    }
  }

 private:
  enum class At { Face, Vertex, Off, Done };
  struct State {
    At at = At::Done;
    std::int32_t triangle = -1;
    std::int32_t vertex = -1;  // Face: the corner entered through; Off: the vertex left at
    double t = 0.0;            // Off: how far along p->q the line left the surface
  };

  Point2 plan(std::int32_t v) const { return mesh_.vertices[v].plan(); }
  int side(std::int32_t v) const { return orientation(p_, q_, plan(v)); }

  // Whether `to` lies beyond `from` on the line p->q (both on that line): compares coordinates,
  // so it is exact.
  bool ahead(const Point2& from, const Point2& to) const {
    if (q_.x != p_.x) return q_.x > p_.x ? to.x > from.x : to.x < from.x;
    return q_.y > p_.y ? to.y > from.y : to.y < from.y;
  }

  double along(const Point2& x) const {
    const double dx = q_.x - p_.x, dy = q_.y - p_.y;
    return ((x.x - p_.x) * dx + (x.y - p_.y) * dy) / (dx * dx + dy * dy);
  }

  // Where p->q crosses side `i` of triangle t, with the elevation along the side.
  Point3 crossing(std::int32_t t, int i) const {
    const Point3& u = mesh_.corner(t, (i + 1) % 3);
    const Point3& w = mesh_.corner(t, (i + 2) % 3);
    const double dx = q_.x - p_.x, dy = q_.y - p_.y;
    const double su = dx * (u.y - p_.y) - dy * (u.x - p_.x);
    const double sw = dx * (w.y - p_.y) - dy * (w.x - p_.x);
    const double lambda = su == sw ? 0.5 : std::clamp(su / (su - sw), 0.0, 1.0);
    return {u.x + lambda * (w.x - u.x), u.y + lambda * (w.y - u.y), u.z + lambda * (w.z - u.z)};
  }

  bool insideOrOn(std::int32_t t, const Point2& x) const {
    const Triangle& tri = mesh_.triangles[t];
    for (int i = 0; i < 3; ++i)
      if (orientation(plan(tri.v[(i + 1) % 3]), plan(tri.v[(i + 2) % 3]), x) < 0) return false;
    return true;
  }

  State finishIn(std::int32_t t) {
    out_.on({q_.x, q_.y, elevationInTriangle(mesh_, t, q_)});
    return {};
  }

  State leaveAt(const Point2& x, std::int32_t vertex) {
    out_.leave();
    return {At::Off, -1, vertex, along(x)};
  }

  // The line starts on side i of t.
  State fromSide(std::int32_t t, int i) {
    const Triangle& tri = mesh_.triangles[t];
    const std::int32_t u = tri.v[(i + 1) % 3], w = tri.v[(i + 2) % 3];
    const int o = orientation(plan(u), plan(w), q_);
    if (o > 0) return {At::Face, t, -1, 0.0};
    if (o < 0) {
      const std::int32_t n = mesh_.neighbours[t][i];
      return n < 0 ? leaveAt(p_, -1) : State{At::Face, n, -1, 0.0};
    }
    const std::int32_t target = ahead(p_, plan(u)) ? u : w;
    return alongSide(t, target);
  }

  // The line runs along a side of t towards vertex `target`.
  State alongSide(std::int32_t t, std::int32_t target) {
    if (ahead(q_, plan(target))) return finishIn(t);  // q comes first
    out_.on(mesh_.vertices[target]);
    return plan(target) == q_ ? State{} : State{At::Vertex, -1, target, 0.0};
  }

  State inFace(std::int32_t t, std::int32_t enteredAt) {
    const Triangle& tri = mesh_.triangles[t];
    int s[3];
    for (int i = 0; i < 3; ++i) s[i] = side(tri.v[i]);
    // Counter-clockwise, the line leaves through the side that goes from its right to its left.
    for (int i = 0; i < 3; ++i) {
      if (!(s[(i + 1) % 3] < 0 && s[(i + 2) % 3] > 0)) continue;
      const Point2 u = plan(tri.v[(i + 1) % 3]), w = plan(tri.v[(i + 2) % 3]);
      if (orientation(u, w, q_) >= 0) return finishIn(t);
      const Point3 x = crossing(t, i);
      out_.on(x);
      const std::int32_t n = mesh_.neighbours[t][i];
      return n < 0 ? leaveAt(x.plan(), -1) : State{At::Face, n, -1, 0.0};
    }
    // Or through a corner on the line, ahead.
    for (int i = 0; i < 3; ++i) {
      if (s[i] != 0 || tri.v[i] == enteredAt || !ahead(p_, plan(tri.v[i]))) continue;
      if (insideOrOn(t, q_)) return finishIn(t);
      out_.on(mesh_.vertices[tri.v[i]]);
      return {At::Vertex, -1, tri.v[i], 0.0};
    }
    return lost();
  }

  State atVertex(std::int32_t v) {
    if (plan(v) == q_) return {};
    trianglesAround(mesh_, v, star_);
    const Point2 pv = plan(v);
    for (std::int32_t t : star_) {
      const Triangle& tri = mesh_.triangles[t];
      const int k = tri.v[0] == v ? 0 : tri.v[1] == v ? 1 : 2;
      const std::int32_t a = tri.v[(k + 1) % 3], b = tri.v[(k + 2) % 3];
      const int sa = side(a), sb = side(b);
      if (sa == 0 && ahead(pv, plan(a))) return alongSide(t, a);
      if (sb == 0 && ahead(pv, plan(b))) return alongSide(t, b);
      if (sa < 0 && sb > 0) return {At::Face, t, v, 0.0};
    }
    return leaveAt(pv, v);
  }

  // Looks for the first place after `t0` where the line comes back onto the surface: through a
  // side where the surface ends, from its outer side, or through a vertex on such a side.
  State offSurface(double t0, std::int32_t leftAt) {
    double bestT = std::numeric_limits<double>::infinity();
    State best;
    Point3 bestPoint;
    for (const TriangleSide& bs : mesh_.boundarySides) {
      const Triangle& tri = mesh_.triangles[bs.triangle];
      const std::int32_t u = tri.v[(bs.side + 1) % 3], w = tri.v[(bs.side + 2) % 3];
      const int su = side(u), sw = side(w);
      if (su > 0 && sw < 0) {
        // From outside to inside, and between p and q.
        if (orientation(plan(u), plan(w), p_) > 0 || orientation(plan(u), plan(w), q_) < 0) continue;
        const Point3 x = crossing(bs.triangle, bs.side);
        const double t = along(x.plan());
        if (t > t0 && t < bestT) {
          bestT = t;
          bestPoint = x;
          best = orientation(plan(u), plan(w), q_) == 0 ? State{At::Done, bs.triangle, -1, 0.0}
                                                         : State{At::Face, bs.triangle, -1, 0.0};
        }
      }
      for (std::int32_t c : {u, w}) {
        if (side(c) != 0 || c == leftAt || !ahead(p_, plan(c)) || ahead(q_, plan(c))) continue;
        const double t = along(plan(c));
        if (t > t0 && t < bestT) {
          bestT = t;
          bestPoint = mesh_.vertices[c];
          best = {At::Vertex, -1, c, 0.0};
        }
      }
    }
    if (bestT == std::numeric_limits<double>::infinity()) {
      out_.off(q_);
      return {};
    }
    if (best.at == At::Done) return finishIn(best.triangle);  // q lies on that side
    out_.on(bestPoint);
    return best;
  }

  // Should not happen on a valid mesh; fall back to locating the end point.
  State lost() {
    const MeshLocation loc = locate_(q_);
    if (loc.kind == MeshLocation::Kind::Outside) {
      out_.leave();
      out_.off(q_);
      return {};
    }
    return finishIn(loc.triangle);
  }

  const Mesh& mesh_;
  const MeshLocator& locate_;
  PieceBuilder& out_;
  Point2 p_, q_;
  std::vector<std::int32_t> star_;
};

}  // namespace

std::vector<Point2> flattenBulges(std::span<const Point3> points, std::span<const double> bulges,
                                  const DrapeOptions& options) {
  std::vector<Point2> out;
  if (points.empty()) return out;
  out.push_back(points[0].plan());
  for (std::size_t i = 0; i + 1 < points.size(); ++i) {
    const double bulge = i < bulges.size() ? bulges[i] : 0.0;
    appendArc(points[i].plan(), points[i + 1].plan(), bulge, options, out);
  }
  return out;
}

DrapeResult drape(const Mesh& mesh, const MeshLocator& locate, std::span<const Point3> points,
                  std::span<const double> bulges, const DrapeOptions& options) {
  for (const Point3& p : points)
    if (!finite(p)) return {};
  for (double b : bulges)
    if (!std::isfinite(b)) return {};
  const bool keepOff = std::isfinite(options.offSurfaceZ) && options.offSurfaceZ > kNoElevation;
  PieceBuilder out(keepOff, options.offSurfaceZ);
  Walker walker(mesh, locate, out);
  const std::vector<Point2> line = flattenBulges(points, bulges, options);
  if (line.size() == 1) walker.stretch(line[0], line[0]);
  for (std::size_t i = 0; i + 1 < line.size(); ++i) walker.stretch(line[i], line[i + 1]);
  return out.finish();
}

}  // namespace tin
