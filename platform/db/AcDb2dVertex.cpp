#include "AcDb2dVertex.h"

UV_DEFINE_RX_MEMBERS(AcDbVertex, AcDbEntity, nullptr)
UV_DEFINE_RX_MEMBERS(AcDb2dVertex, AcDbVertex, L"VERTEX")

Acad::ErrorStatus AcDb2dVertex::setVertexType(AcDb::Vertex2dType v) { return setWritable(m_type, v); }
Acad::ErrorStatus AcDb2dVertex::setPosition(const AcGePoint3d& v) { return setWritable(m_position, v); }
Acad::ErrorStatus AcDb2dVertex::setBulge(double v) { return setWritable(m_bulge, v); }
Acad::ErrorStatus AcDb2dVertex::setTangent(double v) { return setWritable(m_tangent, v); }

Acad::ErrorStatus AcDb2dVertex::setStartWidth(double w) {
  return setChecked(m_startWidth, w, w >= 0);
}

Acad::ErrorStatus AcDb2dVertex::setEndWidth(double w) {
  return setChecked(m_endWidth, w, w >= 0);
}
