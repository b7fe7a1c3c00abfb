#include "AcDbLine.h"

UV_DEFINE_RX_MEMBERS(AcDbLine, AcDbCurve, L"LINE")

Acad::ErrorStatus AcDbLine::setStartPoint(const AcGePoint3d& p) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  m_start = p;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::setEndPoint(const AcGePoint3d& p) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  m_end = p;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::setThickness(double t) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  m_thickness = t;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::setNormal(const AcGeVector3d& n) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (n.isZeroLength()) return Acad::eInvalidInput;
  m_normal = n.normal();
  return Acad::eOk;
}

bool AcDbLine::getCurvePath(uv::CurvePath& path) const {
  path.clear();
  path.push_back({m_start, m_end, 0, m_normal});
  return true;
}
