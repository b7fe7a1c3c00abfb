#include "AcDbEllipse.h"

#include <algorithm>
#include <cmath>
#include <numbers>

UV_DEFINE_RX_MEMBERS(AcDbEllipse, AcDbCurve, L"ELLIPSE")

namespace {
constexpr double kTwoPi = 2 * std::numbers::pi;
bool isFiniteVector(const AcGeVector3d& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }
}  // namespace

AcGeVector3d AcDbEllipse::minorAxis() const { return m_normal.crossProduct(m_majorAxis) * m_ratio; }

Acad::ErrorStatus AcDbEllipse::set(const AcGePoint3d& centre, const AcGeVector3d& normal,
                                   const AcGeVector3d& majorAxis, double radiusRatio, double startParam,
                                   double endParam) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  const double length = majorAxis.length();
  // Files round their numbers: a ratio a hair above 1 and an axis a hair off
  // the plane are taken as they are.
  if (!isFiniteVector(centre - AcGePoint3d()) || !isFiniteVector(normal) || !isFiniteVector(majorAxis) || normal.isZeroLength() ||
      !(length > 0) || !(radiusRatio > 0 && radiusRatio <= 1 + 1e-9) || !std::isfinite(startParam) ||
      !std::isfinite(endParam) || std::fabs(normal.normal().dotProduct(majorAxis)) > 1e-6 * length)
    return Acad::eInvalidInput;
  m_center = centre;
  m_normal = normal.normal();
  m_majorAxis = majorAxis;
  m_ratio = radiusRatio;
  m_start = startParam;
  m_end = endParam;
  return Acad::eOk;
}

AcGePoint3d AcDbEllipse::pointAtParam(double t) const {
  return m_center + m_majorAxis * std::cos(t) + minorAxis() * std::sin(t);
}

double AcDbEllipse::sweep() const {
  double s = std::fmod(m_end - m_start, kTwoPi);
  if (s < 0) s += kTwoPi;
  return s < 1e-12 || kTwoPi - s < 1e-12 ? kTwoPi : s;
}

bool AcDbEllipse::isClosed() const { return sweep() == kTwoPi; }

std::vector<AcGePoint3d> AcDbEllipse::sample(int piecesPerTurn) const {
  const double s = sweep();
  const int pieces = std::max(4, int(std::ceil(s / kTwoPi * std::max(1, piecesPerTurn))));
  std::vector<AcGePoint3d> points;
  points.reserve(size_t(pieces) + 1);
  for (int i = 0; i <= pieces; ++i) points.push_back(pointAtParam(m_start + s * i / pieces));
  return points;
}

bool AcDbEllipse::getCurvePath(uv::CurvePath& path) const {
  path.clear();
  const std::vector<AcGePoint3d> points = sample(kPiecesPerTurn);
  for (size_t i = 1; i < points.size(); ++i) path.push_back({points[i - 1], points[i], 0, m_normal});
  return true;
}

Acad::ErrorStatus AcDbEllipse::getGeomExtents(AcDbExtents& extents) const {
  extents = AcDbExtents();
  const double s = sweep();
  extents.addPoint(pointAtParam(m_start));
  extents.addPoint(pointAtParam(m_start + s));
  // Each coordinate c + M cos t + m sin t turns where tan t = m / M.
  const AcGeVector3d major = m_majorAxis, minor = minorAxis();
  for (int axis = 0; axis < 3; ++axis) {
    const double turn = std::atan2(minor[axis], major[axis]);
    for (double t : {turn, turn + std::numbers::pi}) {
      double offset = std::fmod(t - m_start, kTwoPi);
      if (offset < 0) offset += kTwoPi;
      if (offset <= s) extents.addPoint(pointAtParam(m_start + offset));
    }
  }
  return Acad::eOk;
}
