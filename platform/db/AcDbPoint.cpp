#include "AcDbPoint.h"

UV_DEFINE_RX_MEMBERS(AcDbPoint, AcDbEntity, L"POINT")

Acad::ErrorStatus AcDbPoint::setPosition(const AcGePoint3d& p) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  m_position = p;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbPoint::setThickness(double t) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  m_thickness = t;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbPoint::setNormal(const AcGeVector3d& n) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (n.isZeroLength()) return Acad::eInvalidInput;
  m_normal = n.normal();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbPoint::getGeomExtents(AcDbExtents& extents) const {
  extents = AcDbExtents(m_position, m_position);
  return Acad::eOk;
}
