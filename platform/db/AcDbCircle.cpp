#include "AcDbCircle.h"

UV_DEFINE_RX_MEMBERS(AcDbCircle, AcDbCurve, L"CIRCLE")

Acad::ErrorStatus AcDbCircle::setCenter(const AcGePoint3d& c) { return setWritable(m_center, c); }

Acad::ErrorStatus AcDbCircle::setRadius(double r) {
  return setChecked(m_radius, r, r > 0);
}

Acad::ErrorStatus AcDbCircle::setNormal(const AcGeVector3d& n) { return setUnitNormal(m_normal, n); }

Acad::ErrorStatus AcDbCircle::setThickness(double t) { return setWritable(m_thickness, t); }

bool AcDbCircle::getCurvePath(uv::CurvePath& path) const {
  path.clear();
  if (!(m_radius > 0)) return true;
  uv::appendArc(path, m_center, m_radius, 0, 0, m_normal);
  return true;
}
