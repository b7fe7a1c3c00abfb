// A vertex of a 3D polyline, in world coordinates.
#pragma once

#include "AcDbVertex.h"

class AcDb3dPolylineVertex : public AcDbVertex {
 public:
  ACRX_DECLARE_MEMBERS(AcDb3dPolylineVertex);
  UV_DECLARE_CLONE(AcDb3dPolylineVertex);
  AcDb3dPolylineVertex() = default;
  explicit AcDb3dPolylineVertex(const AcGePoint3d& position) : m_position(position) {}

  AcDb::Vertex3dType vertexType() const { return m_type; }
  Acad::ErrorStatus setVertexType(AcDb::Vertex3dType type);
  AcGePoint3d position() const { return m_position; }
  Acad::ErrorStatus setPosition(const AcGePoint3d& p);

 private:
  AcGePoint3d m_position;
  AcDb::Vertex3dType m_type = AcDb::k3dSimpleVertex;
};
