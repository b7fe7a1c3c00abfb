#include "AcDbCircle.h"

UV_DEFINE_RX_MEMBERS(AcDbCircle, AcDbCurve, L"CIRCLE")

Acad::ErrorStatus AcDbCircle::setCenter(const AcGePoint3d& c) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  m_center = c;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::setRadius(double r) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (!(r > 0)) return Acad::eInvalidInput;
  m_radius = r;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::setNormal(const AcGeVector3d& n) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (n.isZeroLength()) return Acad::eInvalidInput;
  m_normal = n.normal();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::setThickness(double t) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  m_thickness = t;
  return Acad::eOk;
}

bool AcDbCircle::getCurvePath(uv::CurvePath& path) const {
  path.clear();
  if (!(m_radius > 0)) return true;
  uv::appendArc(path, m_center, m_radius, 0, 0, m_normal);
  return true;
}
