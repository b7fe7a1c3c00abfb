#include "EntityOutline.h"

#include <algorithm>
#include <cmath>

#include "db/AcDbBlockReference.h"
#include "db/AcDbFace.h"
#include "db/AcDbPoint.h"
#include "db/AcDbText.h"

namespace uv {

namespace {

constexpr double kPi = 3.14159265358979323846;

AcGePoint2d plan(const AcGePoint3d& p) { return {p.x, p.y}; }

// Rotation of v about the unit axis n by angle a (Rodrigues).
AcGeVector3d rotated(const AcGeVector3d& v, const AcGeVector3d& n, double a) {
  AcGeVector3d cross = n.crossProduct(v);
  double c = std::cos(a), s = std::sin(a), d = n.dotProduct(v) * (1 - c);
  return {v.x * c + cross.x * s + n.x * d, v.y * c + cross.y * s + n.y * d, v.z * c + cross.z * s + n.z * d};
}

double segmentDistance(const AcGePoint2d& p, const AcGePoint2d& a, const AcGePoint2d& b) {
  AcGeVector2d ab = b - a, ap = p - a;
  double len2 = ab.x * ab.x + ab.y * ab.y;
  double t = len2 > 0 ? std::clamp((ap.x * ab.x + ap.y * ab.y) / len2, 0.0, 1.0) : 0.0;
  return p.distanceTo(AcGePoint2d(a.x + ab.x * t, a.y + ab.y * t));
}

bool inRect(const AcGePoint2d& p, const AcGePoint2d& lo, const AcGePoint2d& hi) {
  return p.x >= lo.x && p.x <= hi.x && p.y >= lo.y && p.y <= hi.y;
}

double cross(const AcGePoint2d& o, const AcGePoint2d& a, const AcGePoint2d& b) {
  return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

bool segmentsMeet(const AcGePoint2d& a, const AcGePoint2d& b, const AcGePoint2d& c, const AcGePoint2d& d) {
  double d1 = cross(c, d, a), d2 = cross(c, d, b), d3 = cross(a, b, c), d4 = cross(a, b, d);
  if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0))) return true;
  auto onSegment = [](const AcGePoint2d& p, const AcGePoint2d& q, const AcGePoint2d& r) {
    return std::min(p.x, q.x) <= r.x && r.x <= std::max(p.x, q.x) && std::min(p.y, q.y) <= r.y &&
           r.y <= std::max(p.y, q.y);
  };
  return (d1 == 0 && onSegment(c, d, a)) || (d2 == 0 && onSegment(c, d, b)) || (d3 == 0 && onSegment(a, b, c)) ||
         (d4 == 0 && onSegment(a, b, d));
}

}  // namespace

EntityOutline EntityOutline::of(const AcDbEntity& entity) {
  EntityOutline o;
  AcDbExtents ext;
  if (entity.getGeomExtents(ext) == Acad::eOk && !ext.isEmpty()) {
    o.m_hasBox = true;
    o.m_boxMin = plan(ext.minPoint());
    o.m_boxMax = plan(ext.maxPoint());
  }
  CurvePath path;
  if (entity.getCurvePath(path)) {
    for (const CurveSegment& s : path) {
      if (s.bulge == 0) {
        o.m_segments.emplace_back(plan(s.start), plan(s.end));
        continue;
      }
      AcGePoint3d centre;
      double radius = 0;
      arcOfSegment(s, centre, radius);
      double sweep = 4 * std::atan(s.bulge);
      // Chords of at most 2 degrees: within 0.02 % of the radius of the arc.
      int pieces = std::max(1, int(std::ceil(std::abs(sweep) / (2 * kPi / 180))));
      AcGeVector3d n = s.normal.normal(), v = s.start - centre;
      AcGePoint2d prev = plan(s.start);
      for (int i = 1; i <= pieces; ++i) {
        AcGePoint2d next = i == pieces ? plan(s.end) : plan(centre + rotated(v, n, sweep * i / pieces));
        o.m_segments.emplace_back(prev, next);
        prev = next;
      }
    }
  } else if (const AcDbFace* face = AcDbFace::cast(&entity)) {
    AcGePoint3d c[4];
    for (int i = 0; i < 4; ++i) face->getVertexAt(Adesk::UInt16(i), c[i]);
    for (int i = 0; i < 4; ++i) o.m_segments.emplace_back(plan(c[i]), plan(c[(i + 1) % 4]));
  } else if (const AcDbPoint* point = AcDbPoint::cast(&entity)) {
    o.m_points.push_back(plan(point->position()));
  } else {
    // Texts, block references and whatever else: their box, picked anywhere on it.
    if (const AcDbText* text = AcDbText::cast(&entity)) o.m_points.push_back(plan(text->position()));
    if (const AcDbBlockReference* ref = AcDbBlockReference::cast(&entity)) o.m_points.push_back(plan(ref->position()));
    if (o.m_hasBox) {
      AcGePoint2d a = o.m_boxMin, c = o.m_boxMax, b(c.x, a.y), d(a.x, c.y);
      o.m_segments = {{a, b}, {b, c}, {c, d}, {d, a}};
      o.m_filled = true;
    }
  }
  return o;
}

double EntityOutline::distanceTo(const AcGePoint2d& p) const {
  if (m_filled && inRect(p, m_boxMin, m_boxMax)) return 0;
  double best = 1e300;
  for (const auto& [a, b] : m_segments) best = std::min(best, segmentDistance(p, a, b));
  for (const auto& q : m_points) best = std::min(best, p.distanceTo(q));
  return best;
}

bool EntityOutline::inside(const AcGePoint2d& lo, const AcGePoint2d& hi) const {
  if (empty()) return false;
  if (m_hasBox) return inRect(m_boxMin, lo, hi) && inRect(m_boxMax, lo, hi);
  for (const auto& [a, b] : m_segments)
    if (!inRect(a, lo, hi) || !inRect(b, lo, hi)) return false;
  for (const auto& q : m_points)
    if (!inRect(q, lo, hi)) return false;
  return true;
}

bool EntityOutline::crosses(const AcGePoint2d& lo, const AcGePoint2d& hi) const {
  if (inside(lo, hi)) return true;
  for (const auto& q : m_points)
    if (inRect(q, lo, hi)) return true;
  AcGePoint2d r[4] = {lo, AcGePoint2d(hi.x, lo.y), hi, AcGePoint2d(lo.x, hi.y)};
  for (const auto& [a, b] : m_segments) {
    if (inRect(a, lo, hi) || inRect(b, lo, hi)) return true;
    for (int i = 0; i < 4; ++i)
      if (segmentsMeet(a, b, r[i], r[(i + 1) % 4])) return true;
  }
  // A rectangle wholly inside the face of a text or block reference.
  return m_filled && inRect(lo, m_boxMin, m_boxMax) && inRect(hi, m_boxMin, m_boxMax);
}

AcGePoint2d EntityOutline::somePoint() const {
  if (!m_points.empty()) return m_points.front();
  if (!m_segments.empty()) return m_segments.front().first;
  return AcGePoint2d();
}

}  // namespace uv
