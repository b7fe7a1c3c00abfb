#include "CurveIntersection.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace uv {
namespace {

struct V2 {
  double x = 0, y = 0;
};
V2 operator-(V2 a, V2 b) { return {a.x - b.x, a.y - b.y}; }
V2 operator+(V2 a, V2 b) { return {a.x + b.x, a.y + b.y}; }
V2 operator*(V2 a, double s) { return {a.x * s, a.y * s}; }
double dot(V2 a, V2 b) { return a.x * b.x + a.y * b.y; }
double cross(V2 a, V2 b) { return a.x * b.y - a.y * b.x; }
double len(V2 a) { return std::hypot(a.x, a.y); }

// One piece in the plane's coordinates.
struct Piece {
  const CurveSegment* source = nullptr;
  bool arc = false;
  bool unbounded = false;  // infinite line, or full circle
  V2 p0, p1;               // ends (line) or start/end (arc)
  V2 centre;
  double radius = 0, startAngle = 0, sweep = 0;  // sweep signed, counter-clockwise positive
  double height = 0;       // distance of an arc's plane from the projection plane
  V2 lo, hi;               // a box around the piece in the plane
};

struct Frame {
  AcGePoint3d origin;
  AcGeVector3d u, v, n;
  V2 to2d(const AcGePoint3d& p) const {
    const AcGeVector3d d = p - origin;
    return {d.dotProduct(u), d.dotProduct(v)};
  }
};

double normAngle(double a) {
  a = std::fmod(a, 2 * M_PI);
  return a < 0 ? a + 2 * M_PI : a;
}

bool makePiece(const CurveSegment& s, const Frame& f, bool extend, Piece& out) {
  out.source = &s;
  out.p0 = f.to2d(s.start);
  out.p1 = f.to2d(s.end);
  out.unbounded = extend;
  if (s.bulge == 0) {
    out.arc = false;
    return true;
  }
  const AcGeVector3d sn = s.normal.normal();
  if (sn.crossProduct(f.n).length() > 1e-9) return false;
  const double b = sn.dotProduct(f.n) > 0 ? s.bulge : -s.bulge;
  const V2 chord = out.p1 - out.p0;
  const double l = len(chord);
  const V2 left{-chord.y / l, chord.x / l};
  out.arc = true;
  out.centre = out.p0 + chord * 0.5 + left * (l * (1 - b * b) / (4 * b));
  out.radius = l * (1 + b * b) / (4 * std::fabs(b));
  out.startAngle = std::atan2(out.p0.y - out.centre.y, out.p0.x - out.centre.x);
  out.sweep = 4 * std::atan(b);
  out.height = (s.start - f.origin).dotProduct(f.n);
  return true;
}

bool onArc(const Piece& a, V2 p, double eps) {
  if (a.unbounded) return true;
  const double phi = std::atan2(p.y - a.centre.y, p.x - a.centre.x);
  const double d = a.sweep > 0 ? normAngle(phi - a.startAngle) : normAngle(a.startAngle - phi);
  const double tol = eps / a.radius;
  return d <= std::fabs(a.sweep) + tol || d >= 2 * M_PI - tol;
}

bool onLine(const Piece& a, V2 p, double eps) {
  if (a.unbounded) return true;
  const V2 d = a.p1 - a.p0;
  const double l2 = dot(d, d);
  const double t = dot(p - a.p0, d) / l2;
  const double tol = eps / std::sqrt(l2);
  return t >= -tol && t <= 1 + tol;
}

void lineLine(const Piece& a, const Piece& b, double eps, std::vector<V2>& out) {
  const V2 r = a.p1 - a.p0, w = b.p1 - b.p0;
  const double lr = len(r), lw = len(w);
  const double denom = cross(r, w);
  if (std::fabs(denom) <= 1e-12 * lr * lw) {
    // Parallel: only collinear pieces meet, along their overlap.
    if (std::fabs(cross(b.p0 - a.p0, r)) / lr > eps) return;
    const double l2 = dot(r, r);
    double lo = -INFINITY, hi = INFINITY;
    if (!a.unbounded) { lo = 0; hi = 1; }
    if (!b.unbounded) {
      const double t0 = dot(b.p0 - a.p0, r) / l2, t1 = dot(b.p1 - a.p0, r) / l2;
      lo = std::max(lo, std::min(t0, t1));
      hi = std::min(hi, std::max(t0, t1));
    }
    const double tol = eps / lr;
    if (lo > hi + tol) return;
    if (std::isfinite(lo)) out.push_back(a.p0 + r * lo);
    if (std::isfinite(hi) && (hi - lo) * lr > eps) out.push_back(a.p0 + r * hi);
    return;
  }
  const V2 qp = b.p0 - a.p0;
  const double t = cross(qp, w) / denom;
  const double s = cross(qp, r) / denom;
  const V2 p = a.p0 + r * t;
  if ((a.unbounded || (t >= -eps / lr && t <= 1 + eps / lr)) && (b.unbounded || (s >= -eps / lw && s <= 1 + eps / lw)))
    out.push_back(p);
}

void lineArc(const Piece& line, const Piece& arc, double eps, std::vector<V2>& out) {
  const V2 d = line.p1 - line.p0;
  const double l = len(d);
  const V2 u = d * (1 / l);
  const V2 f = arc.centre - line.p0;
  const double along = dot(f, u);
  const V2 foot = line.p0 + u * along;
  const double dist = std::fabs(cross(u, f));
  if (dist > arc.radius + eps) return;
  std::vector<V2> cand;
  if (dist >= arc.radius - eps) {
    cand.push_back(foot);  // tangent
  } else {
    const double h = std::sqrt(arc.radius * arc.radius - dist * dist);
    cand.push_back(foot - u * h);
    cand.push_back(foot + u * h);
  }
  for (const V2& p : cand)
    if (onLine(line, p, eps) && onArc(arc, p, eps)) out.push_back(p);
}

void arcArc(const Piece& a, const Piece& b, double eps, std::vector<V2>& out) {
  const V2 dc = b.centre - a.centre;
  const double d = len(dc);
  if (d <= eps) {
    // Concentric: only equal circles meet, along the overlap of the arcs.
    if (std::fabs(a.radius - b.radius) > eps || (a.unbounded && b.unbounded)) return;
    for (const Piece* arc : {&a, &b}) {
      if (arc->unbounded) continue;
      for (const V2& p : {arc->p0, arc->p1})
        if (onArc(a, p, eps) && onArc(b, p, eps)) out.push_back(p);
    }
    return;
  }
  if (d > a.radius + b.radius + eps || d < std::fabs(a.radius - b.radius) - eps) return;
  const double x = (a.radius * a.radius - b.radius * b.radius + d * d) / (2 * d);
  const double h2 = a.radius * a.radius - x * x;
  const V2 e = dc * (1 / d);
  const V2 mid = a.centre + e * x;
  std::vector<V2> cand;
  if (h2 <= eps * eps) {
    cand.push_back(mid);
  } else {
    const double h = std::sqrt(h2);
    const V2 perp{-e.y, e.x};
    cand.push_back(mid + perp * h);
    cand.push_back(mid - perp * h);
  }
  for (const V2& p : cand)
    if (onArc(a, p, eps) && onArc(b, p, eps)) out.push_back(p);
}

AcGePoint3d lift(const Piece& a, V2 p, const Frame& f) {
  if (a.arc) return f.origin + f.u * p.x + f.v * p.y + f.n * a.height;
  const V2 d = a.p1 - a.p0;
  const double t = dot(p - a.p0, d) / dot(d, d);
  const CurveSegment& s = *a.source;
  return s.start + (s.end - s.start) * t;
}

}  // namespace

Acad::ErrorStatus intersectPaths(const CurvePath& a, bool extendA, const CurvePath& b, bool extendB,
                                 const AcGePlane& plane, AcGePoint3dArray& points) {
  Frame f;
  f.origin = plane.pointOnPlane();
  f.n = plane.normal().normal();
  ocsAxes(f.n, f.u, f.v);

  auto build = [&](const CurvePath& path, bool extend, std::vector<Piece>& out) {
    double size = 0;
    for (const CurveSegment& s : path) {
      Piece p;
      if (!makePiece(s, f, extend, p)) return -1.0;
      // A straight piece seen end-on has no extent in the plane.
      if (!p.arc && len(p.p1 - p.p0) <= kIntersectionTolerance * (1 + len(p.p0))) continue;
      size = std::max({size, std::fabs(p.p0.x), std::fabs(p.p0.y), std::fabs(p.p1.x), std::fabs(p.p1.y), p.radius});
      const double inf = std::numeric_limits<double>::infinity();
      if (p.unbounded) {
        p.lo = {-inf, -inf};
        p.hi = {inf, inf};
      } else if (p.arc) {
        p.lo = {p.centre.x - p.radius, p.centre.y - p.radius};
        p.hi = {p.centre.x + p.radius, p.centre.y + p.radius};
      } else {
        p.lo = {std::min(p.p0.x, p.p1.x), std::min(p.p0.y, p.p1.y)};
        p.hi = {std::max(p.p0.x, p.p1.x), std::max(p.p0.y, p.p1.y)};
      }
      out.push_back(p);
    }
    return size;
  };
  std::vector<Piece> pa, pb;
  const double sa = build(a, extendA, pa);
  const double sb = build(b, extendB, pb);
  if (sa < 0 || sb < 0) return Acad::eNotApplicable;
  const double eps = kIntersectionTolerance * (1 + std::max(sa, sb));

  std::vector<V2> found2d;
  for (const Piece& x : pa) {
    for (const Piece& y : pb) {
      // Pieces whose boxes lie apart cannot meet: long polylines against a short path cost
      // a few comparisons a pair.
      if (x.hi.x < y.lo.x - eps || y.hi.x < x.lo.x - eps || x.hi.y < y.lo.y - eps || y.hi.y < x.lo.y - eps) continue;
      std::vector<V2> hits;
      if (!x.arc && !y.arc) lineLine(x, y, eps, hits);
      else if (!x.arc) lineArc(x, y, eps, hits);
      else if (!y.arc) lineArc(y, x, eps, hits);
      else arcArc(x, y, eps, hits);
      for (const V2& h : hits) {
        // Where consecutive pieces meet, one crossing is found twice.
        const bool seen = std::any_of(found2d.begin(), found2d.end(), [&](V2 q) { return len(q - h) <= 10 * eps; });
        if (seen) continue;
        found2d.push_back(h);
        points.append(lift(x, h, f));
      }
    }
  }
  return Acad::eOk;
}

}  // namespace uv
