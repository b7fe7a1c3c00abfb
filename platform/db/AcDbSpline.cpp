#include "AcDbSpline.h"

#include <algorithm>
#include <cmath>

UV_DEFINE_RX_MEMBERS(AcDbSpline, AcDbCurve, L"SPLINE")

Acad::ErrorStatus AcDbSpline::getControlPointAt(int index, AcGePoint3d& p) const {
  if (index < 0 || index >= numControlPoints()) return Acad::eInvalidIndex;
  p = m_controls.points()[size_t(index)];
  return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::getFitPointAt(int index, AcGePoint3d& p) const {
  if (index < 0 || index >= numFitPoints()) return Acad::eInvalidIndex;
  p = m_fits[size_t(index)];
  return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::setNurbsData(int degree, const std::vector<AcGePoint3d>& controls,
                                           const std::vector<double>& knots, const std::vector<double>& weights,
                                           bool closed, bool periodic) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (!uv::NurbsCurve::whyInvalid(degree, controls, knots, weights).empty()) return Acad::eInvalidInput;
  m_degree = degree;
  m_controls = uv::NurbsCurve(degree, controls, knots, weights);
  m_weights = weights;
  m_flags = (m_flags & ~(kClosed | kPeriodic | kRational)) | (closed ? kClosed : 0) | (periodic ? kPeriodic : 0) |
            (weights.empty() ? 0 : kRational);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::setFitData(const std::vector<AcGePoint3d>& fits, int degree,
                                         std::optional<AcGeVector3d> startTangent,
                                         std::optional<AcGeVector3d> endTangent) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (degree < 1 || !std::all_of(fits.begin(), fits.end(), uv::isFinitePoint)) return Acad::eInvalidInput;
  m_fits = fits;
  if (m_controls.empty()) m_degree = degree;
  m_startTangent = startTangent;
  m_endTangent = endTangent;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::setFileData(int flags, std::optional<double> knotTolerance,
                                          std::optional<double> controlTolerance, std::optional<double> fitTolerance) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  m_flags = flags;
  m_knotTolerance = knotTolerance;
  m_controlTolerance = controlTolerance;
  m_fitTolerance = fitTolerance;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::setNormal(const AcGeVector3d& n) { return setUnitNormal(m_normal, n); }

uv::NurbsCurve AcDbSpline::curve() const {
  if (!m_controls.empty()) return m_controls;
  return uv::NurbsCurve::interpolate(m_fits, m_degree);
}

Acad::ErrorStatus AcDbSpline::getPointAtParam(double t, AcGePoint3d& p) const {
  const uv::NurbsCurve c = curve();
  if (c.empty()) return Acad::eDegenerateGeometry;
  p = c.pointAt(t);
  return Acad::eOk;
}

bool AcDbSpline::getCurvePath(uv::CurvePath& path) const {
  path.clear();
  const std::vector<AcGePoint3d> points = curve().sample(kPiecesPerSpan);
  for (size_t i = 1; i < points.size(); ++i)
    if (!points[i].isEqualTo(points[i - 1])) path.push_back({points[i - 1], points[i], 0, m_normal});
  return !path.empty();
}
