#include "AcDb3dPolylineVertex.h"

UV_DEFINE_RX_MEMBERS(AcDb3dPolylineVertex, AcDbVertex, L"VERTEX")

Acad::ErrorStatus AcDb3dPolylineVertex::setVertexType(AcDb::Vertex3dType type) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  m_type = type;
  return Acad::eOk;
}

Acad::ErrorStatus AcDb3dPolylineVertex::setPosition(const AcGePoint3d& p) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  m_position = p;
  return Acad::eOk;
}
