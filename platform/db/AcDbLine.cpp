#include "AcDbLine.h"

UV_DEFINE_RX_MEMBERS(AcDbLine, AcDbCurve, L"LINE")

Acad::ErrorStatus AcDbLine::setStartPoint(const AcGePoint3d& p) { return setWritable(m_start, p); }

Acad::ErrorStatus AcDbLine::setEndPoint(const AcGePoint3d& p) { return setWritable(m_end, p); }

Acad::ErrorStatus AcDbLine::setThickness(double t) { return setWritable(m_thickness, t); }

Acad::ErrorStatus AcDbLine::setNormal(const AcGeVector3d& n) { return setUnitNormal(m_normal, n); }

bool AcDbLine::getCurvePath(uv::CurvePath& path) const {
  path.clear();
  path.push_back({m_start, m_end, 0, m_normal});
  return true;
}
