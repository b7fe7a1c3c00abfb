// A vertex of a 2D polyline: its position in the polyline's plane (the z
// stored is kept but the polyline's elevation rules), bulge to the next
// vertex, widths.
#pragma once

#include "AcDbVertex.h"

class AcDb2dVertex : public AcDbVertex {
 public:
  ACRX_DECLARE_MEMBERS(AcDb2dVertex);
  UV_DECLARE_CLONE(AcDb2dVertex);
  AcDb2dVertex() = default;
  explicit AcDb2dVertex(const AcGePoint3d& position, double bulge = 0, double startWidth = 0, double endWidth = 0,
                        double tangent = 0)
      : m_position(position), m_bulge(bulge), m_startWidth(startWidth), m_endWidth(endWidth), m_tangent(tangent) {}

  AcDb::Vertex2dType vertexType() const { return m_type; }
  Acad::ErrorStatus setVertexType(AcDb::Vertex2dType type);
  AcGePoint3d position() const { return m_position; }
  Acad::ErrorStatus setPosition(const AcGePoint3d& p);
  double bulge() const { return m_bulge; }
  Acad::ErrorStatus setBulge(double b);
  double startWidth() const { return m_startWidth; }
  Acad::ErrorStatus setStartWidth(double w);
  double endWidth() const { return m_endWidth; }
  Acad::ErrorStatus setEndWidth(double w);
  double tangent() const { return m_tangent; }
  Acad::ErrorStatus setTangent(double t);

 private:
  AcGePoint3d m_position;
  double m_bulge = 0, m_startWidth = 0, m_endWidth = 0, m_tangent = 0;
  AcDb::Vertex2dType m_type = AcDb::k2dVertex;
};
