#include "AcDbArc.h"

UV_DEFINE_RX_MEMBERS(AcDbArc, AcDbCurve, L"ARC")

Acad::ErrorStatus AcDbArc::setCenter(const AcGePoint3d& c) { return setWritable(m_center, c); }

Acad::ErrorStatus AcDbArc::setRadius(double r) {
  return setChecked(m_radius, r, r > 0);
}

Acad::ErrorStatus AcDbArc::setStartAngle(double a) { return setWritable(m_start, a); }

Acad::ErrorStatus AcDbArc::setEndAngle(double a) { return setWritable(m_end, a); }

Acad::ErrorStatus AcDbArc::setNormal(const AcGeVector3d& n) { return setUnitNormal(m_normal, n); }

Acad::ErrorStatus AcDbArc::setThickness(double t) { return setWritable(m_thickness, t); }

bool AcDbArc::getCurvePath(uv::CurvePath& path) const {
  path.clear();
  if (!(m_radius > 0)) return true;
  uv::appendArc(path, m_center, m_radius, m_start, m_end, m_normal);
  return true;
}
