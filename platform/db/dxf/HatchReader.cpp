// The boundary of a HATCH record: loops of polyline vertices (with bulges)
// or of edges (lines, arcs, elliptic arcs, splines), in the object
// coordinates of the hatch's normal at its elevation:
//
//    91 loops   92 flags (2: polyline)
//      polyline: 72 has bulges, 73 closed, 93 vertices, each 10/20 [42]
//      edges:    93 edges, each 72 kind (1 line, 2 arc, 3 elliptic arc,
//                4 spline) and its groups
//      97 source objects, each 330
//
// A boundary that does not parse leaves the hatch without loops; its record
// is kept all the same.
#include <cmath>
#include <numbers>

#include "db/AcDbHatch.h"
#include "db/CurvePath.h"
#include "db/dxf/Degrees.h"
#include "db/dxf/DxfError.h"
#include "db/dxf/EntityReader.h"
#include "db/dxf/KeptGroups.h"
#include "ge/AcGePoint2d.h"
#include "ge/NurbsCurve.h"

namespace uv::dxf {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
constexpr int kPiecesPerTurn = 64;
// More than any real boundary holds; a count beyond it is a broken file.
constexpr long long kMostItems = 10000000;

// Reads the groups of the boundary in order.
class Cursor {
 public:
  Cursor(std::span<const Group> groups, size_t at) : m_groups(groups), m_at(at) {}
  bool next(int code, double& value) {
    if (!peek(code)) return false;
    value = parseReal(m_groups[m_at++]);
    return true;
  }
  bool nextInt(int code, long long& value) {
    if (!peek(code)) return false;
    value = parseInteger(m_groups[m_at++]);
    return true;
  }
  bool count(int code, long long& value) { return nextInt(code, value) && value >= 0 && value <= kMostItems; }
  bool point(int code, double& x, double& y) { return next(code, x) && next(code + 10, y); }
  bool peek(int code) const { return m_at < m_groups.size() && m_groups[m_at].code == code; }
  void skip() { ++m_at; }

 private:
  std::span<const Group> m_groups;
  size_t m_at;
};

using Ring = std::vector<AcGePoint2d>;

// The sweep from a to b (radians): counter-clockwise in (0, 2 pi], or
// clockwise in [-2 pi, 0).
double sweepOf(double a, double b, bool ccw) {
  double s = std::fmod(ccw ? b - a : a - b, kTwoPi);
  if (s <= 1e-12) s += kTwoPi;
  return ccw ? s : -s;
}

int piecesOf(double sweep) { return std::max(2, int(std::ceil(std::fabs(sweep) / kTwoPi * kPiecesPerTurn))); }

// The arc's points after its start.
void appendArc(Ring& ring, double cx, double cy, double r, double from, double sweep) {
  const int pieces = piecesOf(sweep);
  for (int i = 1; i <= pieces; ++i) {
    const double t = from + sweep * i / pieces;
    ring.emplace_back(cx + r * std::cos(t), cy + r * std::sin(t));
  }
}

bool readPolylineLoop(Cursor& in, Ring& ring) {
  long long hasBulge = 0, closed = 0, n = 0;
  if (!in.nextInt(72, hasBulge) || !in.nextInt(73, closed) || !in.count(93, n)) return false;
  std::vector<double> xs, ys, bulges;
  for (long long i = 0; i < n; ++i) {
    double x = 0, y = 0, b = 0;
    if (!in.point(10, x, y)) return false;
    if (hasBulge) in.next(42, b);
    xs.push_back(x);
    ys.push_back(y);
    bulges.push_back(b);
  }
  // A hatch boundary closes whatever its flag says.
  for (size_t i = 0; i < xs.size(); ++i) {
    ring.emplace_back(xs[i], ys[i]);
    const size_t j = (i + 1) % xs.size();
    const double dx = xs[j] - xs[i], dy = ys[j] - ys[i], chord = std::hypot(dx, dy);
    if (bulges[i] == 0 || chord == 0) continue;
    // The arc's centre lies off the chord's middle, to the left for a
    // counter-clockwise arc.
    const double sweep = 4 * std::atan(bulges[i]);
    const double r = chord / (2 * std::sin(std::fabs(sweep) / 2));
    const double h = r * std::cos(sweep / 2) * (sweep > 0 ? 1 : -1);
    const double cx = (xs[i] + xs[j]) / 2 - dy / chord * h, cy = (ys[i] + ys[j]) / 2 + dx / chord * h;
    appendArc(ring, cx, cy, r, std::atan2(ys[i] - cy, xs[i] - cx), sweep);
    ring.pop_back();  // the next vertex comes itself
  }
  return true;
}

bool readSplineEdge(Cursor& in, Ring& ring) {
  long long degree = 0, rational = 0, periodic = 0, nKnots = 0, nControls = 0;
  if (!in.nextInt(94, degree) || !in.nextInt(73, rational) || !in.nextInt(74, periodic) || !in.count(95, nKnots) ||
      !in.count(96, nControls) || degree < 1 || degree > NurbsCurve::kMostDegree)
    return false;
  std::vector<double> knots, weights;
  std::vector<AcGePoint3d> controls, fits;
  double x = 0, y = 0;
  for (long long i = 0; i < nKnots; ++i) {
    if (!in.next(40, x)) return false;
    knots.push_back(x);
  }
  for (long long i = 0; i < nControls; ++i) {
    if (!in.point(10, x, y)) return false;
    controls.emplace_back(x, y, 0);
    if (rational && in.next(42, x)) weights.push_back(x);
  }
  // Fit points and end tangents (files since 2010).
  long long nFits = 0;
  if (in.count(97, nFits))
    for (long long i = 0; i < nFits && in.point(11, x, y); ++i) fits.emplace_back(x, y, 0);
  if (in.point(12, x, y)) in.point(13, x, y);
  NurbsCurve curve;
  if (NurbsCurve::whyInvalid(int(degree), controls, knots, weights).empty())
    curve = NurbsCurve(int(degree), controls, knots, weights);
  else
    curve = NurbsCurve::interpolate(fits, int(degree));
  if (curve.empty()) return false;
  for (const AcGePoint3d& p : curve.sample(16)) ring.emplace_back(p.x, p.y);
  return true;
}

bool readEdgeLoop(Cursor& in, Ring& ring) {
  long long edges = 0;
  if (!in.count(93, edges)) return false;
  for (long long e = 0; e < edges; ++e) {
    long long type = 0;
    if (!in.nextInt(72, type)) return false;
    double x = 0, y = 0, x2 = 0, y2 = 0, r = 0, a = 0, b = 0;
    long long ccw = 1;
    if (type == 1) {
      if (!in.point(10, x, y) || !in.point(11, x2, y2)) return false;
      ring.emplace_back(x, y);
      ring.emplace_back(x2, y2);
    } else if (type == 2 || type == 3) {
      if (!in.point(10, x, y)) return false;
      if (type == 3 && !in.point(11, x2, y2)) return false;
      if (!in.next(40, r) || !in.next(50, a) || !in.next(51, b)) return false;
      in.nextInt(73, ccw);
      // Clockwise edges give their angles mirrored.
      a *= ccw ? kDegree : -kDegree;
      b *= ccw ? kDegree : -kDegree;
      const double sweep = sweepOf(a, b, ccw != 0);
      if (type == 2) {
        ring.emplace_back(x + r * std::cos(a), y + r * std::sin(a));
        appendArc(ring, x, y, r, a, sweep);
      } else {
        // Major axis (x2, y2); the minor axis is r times it turned a quarter.
        const int pieces = piecesOf(sweep);
        for (int i = 0; i <= pieces; ++i) {
          const double t = a + sweep * i / pieces;
          ring.emplace_back(x + x2 * std::cos(t) - r * y2 * std::sin(t), y + y2 * std::cos(t) + r * x2 * std::sin(t));
        }
      }
    } else if (type == 4) {
      if (!readSplineEdge(in, ring)) return false;
    } else {
      return false;
    }
  }
  return true;
}

std::vector<AcDbHatch::Loop> readLoops(const DxfRecord& rec, const AcGeVector3d& normal, double elevation) {
  std::vector<AcDbHatch::Loop> loops;
  // The loops follow their count (91) in the hatch's own part.
  size_t at = 0;
  while (at < rec.groups.size() && rec.groups[at].code != 91) ++at;
  Cursor in(rec.groups, at);
  long long count = 0;
  if (!in.count(91, count)) return loops;
  for (long long i = 0; i < count; ++i) {
    long long type = 0;
    if (!in.nextInt(92, type)) break;
    Ring ring;
    if (!((type & AcDbHatch::kPolyline) ? readPolylineLoop(in, ring) : readEdgeLoop(in, ring))) return {};
    long long sources = 0;
    if (in.count(97, sources))
      for (long long k = 0; k < sources && in.peek(330); ++k) in.skip();
    AcDbHatch::Loop loop;
    loop.type = int(type);
    for (const AcGePoint2d& p : ring) {
      if (!std::isfinite(p.x) || !std::isfinite(p.y)) return {};
      loop.points.push_back(ocsToWorld(AcGePoint3d(p.x, p.y, elevation), normal));
    }
    loops.push_back(std::move(loop));
  }
  return loops;
}

}  // namespace

std::unique_ptr<AcDbEntity> EntityReader::readHatch(const DxfRecord& full, const DxfRecord& rec) const {
  AcGeVector3d n(rec.real(210, 0), rec.real(220, 0), rec.real(230, 1));
  n = n.isZeroLength() ? AcGeVector3d(0, 0, 1) : n.normal();
  const double elevation = rec.real(30);
  std::vector<AcDbHatch::Loop> loops;
  try {
    loops = readLoops(rec, n, elevation);
  } catch (const DxfError&) {
    loops.clear();  // a number that does not parse: drawn without loops, kept whole
  }
  AcDbHatch::Pattern pattern;
  pattern.name = m_codec.decode(rec.text(2));
  const long long type = rec.integer(76, 1);
  pattern.type = AcDbHatch::HatchPatternType(type >= 0 && type <= 2 ? type : 1);
  pattern.solid = rec.integer(70) == 1;
  pattern.angle = rec.real(52) * kDegree;
  pattern.scale = rec.real(41, 1);
  return std::make_unique<AcDbHatch>(rawGroupsOf(full, m_codec), std::move(pattern), elevation, n, std::move(loops));
}

}  // namespace uv::dxf
