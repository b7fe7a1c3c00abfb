#include "AcDb3dPolylineVertex.h"

UV_DEFINE_RX_MEMBERS(AcDb3dPolylineVertex, AcDbVertex, L"VERTEX")

Acad::ErrorStatus AcDb3dPolylineVertex::setVertexType(AcDb::Vertex3dType type) { return setWritable(m_type, type); }

Acad::ErrorStatus AcDb3dPolylineVertex::setPosition(const AcGePoint3d& p) { return setWritable(m_position, p); }
