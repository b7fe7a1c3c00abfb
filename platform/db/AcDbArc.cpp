#include "AcDbArc.h"

UV_DEFINE_RX_MEMBERS(AcDbArc, AcDbCurve, L"ARC")

Acad::ErrorStatus AcDbArc::setCenter(const AcGePoint3d& c) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  m_center = c;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::setRadius(double r) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (!(r > 0)) return Acad::eInvalidInput;
  m_radius = r;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::setStartAngle(double a) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  m_start = a;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::setEndAngle(double a) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  m_end = a;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::setNormal(const AcGeVector3d& n) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (n.isZeroLength()) return Acad::eInvalidInput;
  m_normal = n.normal();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::setThickness(double t) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  m_thickness = t;
  return Acad::eOk;
}

bool AcDbArc::getCurvePath(uv::CurvePath& path) const {
  path.clear();
  if (!(m_radius > 0)) return true;
  uv::appendArc(path, m_center, m_radius, m_start, m_end, m_normal);
  return true;
}
