#include "AcDbPoint.h"

UV_DEFINE_RX_MEMBERS(AcDbPoint, AcDbEntity, L"POINT")

Acad::ErrorStatus AcDbPoint::setPosition(const AcGePoint3d& p) { return setWritable(m_position, p); }

Acad::ErrorStatus AcDbPoint::setThickness(double t) { return setWritable(m_thickness, t); }

Acad::ErrorStatus AcDbPoint::setNormal(const AcGeVector3d& n) { return setUnitNormal(m_normal, n); }

Acad::ErrorStatus AcDbPoint::getGeomExtents(AcDbExtents& extents) const {
  extents = AcDbExtents(m_position, m_position);
  return Acad::eOk;
}
