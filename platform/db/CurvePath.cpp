#include "CurvePath.h"

#include <cmath>

namespace uv {

void ocsAxes(const AcGeVector3d& normal, AcGeVector3d& xAxis, AcGeVector3d& yAxis) {
  const AcGeVector3d n = normal.normal();
  constexpr double kLimit = 1.0 / 64.0;
  if (std::fabs(n.x) < kLimit && std::fabs(n.y) < kLimit) xAxis = AcGeVector3d::kYAxis.crossProduct(n).normal();
  else xAxis = AcGeVector3d::kZAxis.crossProduct(n).normal();
  yAxis = n.crossProduct(xAxis).normal();
}

AcGePoint3d ocsToWorld(const AcGePoint3d& p, const AcGeVector3d& normal) {
  AcGeVector3d ax, ay;
  ocsAxes(normal, ax, ay);
  const AcGeVector3d az = normal.normal();
  return AcGePoint3d::kOrigin + ax * p.x + ay * p.y + az * p.z;
}

AcGePoint3d worldToOcs(const AcGePoint3d& p, const AcGeVector3d& normal) {
  AcGeVector3d ax, ay;
  ocsAxes(normal, ax, ay);
  const AcGeVector3d v = p.asVector();
  return {v.dotProduct(ax), v.dotProduct(ay), v.dotProduct(normal.normal())};
}

void arcOfSegment(const CurveSegment& s, AcGePoint3d& centre, double& radius) {
  const AcGeVector3d chord = s.end - s.start;
  const double len = chord.length();
  const double b = s.bulge;
  const AcGeVector3d left = s.normal.normal().crossProduct(chord).normal();
  centre = s.start + chord * 0.5 + left * (len * (1 - b * b) / (4 * b));
  radius = len * (1 + b * b) / (4 * std::fabs(b));
}

void appendArc(CurvePath& path, const AcGePoint3d& centre, double radius, double startAngle, double endAngle,
               const AcGeVector3d& normal) {
  AcGeVector3d ax, ay;
  ocsAxes(normal, ax, ay);
  auto at = [&](double a) { return centre + ax * (radius * std::cos(a)) + ay * (radius * std::sin(a)); };
  double sweep = std::fmod(endAngle - startAngle, 2 * M_PI);
  if (sweep <= 1e-12) sweep += 2 * M_PI;
  const int pieces = sweep > M_PI ? 2 : 1;
  const double step = sweep / pieces;
  for (int i = 0; i < pieces; ++i) {
    CurveSegment s;
    s.start = at(startAngle + step * i);
    s.end = i + 1 == pieces ? at(endAngle) : at(startAngle + step * (i + 1));
    s.bulge = std::tan(step / 4);
    s.normal = normal.normal();
    path.push_back(s);
  }
}

void appendPolylinePieces(CurvePath& path, const std::vector<AcGePoint3d>& vertices, const std::vector<double>* bulges,
                          bool closed, const AcGeVector3d& normal) {
  const size_t n = vertices.size();
  const size_t pieces = n < 2 ? 0 : (closed ? n : n - 1);
  for (size_t i = 0; i < pieces; ++i) {
    const AcGePoint3d& a = vertices[i];
    const AcGePoint3d& b = vertices[(i + 1) % n];
    if (!a.isEqualTo(b)) path.push_back({a, b, bulges ? (*bulges)[i] : 0.0, normal});
  }
}

void addPathExtents(const CurvePath& path, AcDbExtents& ext) {
  for (const CurveSegment& s : path) {
    ext.addPoint(s.start);
    ext.addPoint(s.end);
    if (s.bulge == 0) continue;
    AcGePoint3d c;
    double r;
    arcOfSegment(s, c, r);
    const AcGeVector3d u = (s.start - c).normal();
    const AcGeVector3d v = s.normal.normal().crossProduct(u) * (s.bulge > 0 ? 1.0 : -1.0);
    const double sweep = 4 * std::atan(std::fabs(s.bulge));
    for (int k = 0; k < 3; ++k) {
      double phi = std::atan2(v[k], u[k]);
      for (int j = 0; j < 2; ++j, phi += M_PI) {
        const double a = std::fmod(phi + 4 * M_PI, 2 * M_PI);
        if (a <= sweep) ext.addPoint(c + u * (r * std::cos(a)) + v * (r * std::sin(a)));
      }
    }
  }
}

}  // namespace uv
