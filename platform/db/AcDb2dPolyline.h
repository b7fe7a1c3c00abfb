// The 2D polyline: vertex objects (AcDb2dVertex) in the plane of its normal
// at its elevation, followed by a SEQEND. Fit and spline types are kept as
// given; the geometry is always taken through the vertices with their bulges.
#pragma once

#include "base/AcArray.h"
#include "ge/AcGePointArrays.h"
#include "AcDb2dVertex.h"
#include "AcDbCurve.h"
#include "SequenceList.h"

class AcDb2dPolyline : public AcDbCurve {
 public:
  ACRX_DECLARE_MEMBERS(AcDb2dPolyline);
  UV_DECLARE_CLONE(AcDb2dPolyline);
  AcDb2dPolyline();
  // One vertex per point (x and y; the z is kept in the vertex), with the
  // bulge of the same index when bulges are given.
  AcDb2dPolyline(AcDb::Poly2dType type, const AcGePoint3dArray& vertices, double elevation = 0, bool closed = false,
                 double defStartWidth = 0, double defEndWidth = 0, const AcGeDoubleArray* bulges = nullptr);

  AcDb::Poly2dType polyType() const { return m_type; }
  Acad::ErrorStatus setPolyType(AcDb::Poly2dType type);
  bool isClosed() const override { return m_closed; }
  Acad::ErrorStatus makeClosed();
  Acad::ErrorStatus makeOpen();
  double elevation() const { return m_elevation; }
  Acad::ErrorStatus setElevation(double e);
  AcGeVector3d normal() const { return m_normal; }
  Acad::ErrorStatus setNormal(const AcGeVector3d& n);
  double thickness() const { return m_thickness; }
  Acad::ErrorStatus setThickness(double t);
  double defaultStartWidth() const { return m_defStartWidth; }
  double defaultEndWidth() const { return m_defEndWidth; }
  Acad::ErrorStatus setDefaultStartWidth(double w);
  Acad::ErrorStatus setDefaultEndWidth(double w);

  // The polyline open for write. In a database the vertex joins it open for
  // write (close it); before that it waits in the polyline.
  Acad::ErrorStatus appendVertex(AcDb2dVertex* vertex);
  Acad::ErrorStatus appendVertex(AcDbObjectId& id, AcDb2dVertex* vertex);
  AcDbObjectIterator* vertexIterator() const { return m_vertices.newIterator(); }
  Acad::ErrorStatus openVertex(AcDb2dVertex*& vertex, AcDbObjectId id, AcDb::OpenMode mode, bool openErased = false) const {
    return m_vertices.open(vertex, id, mode, openErased);
  }
  Acad::ErrorStatus openSequenceEnd(AcDbSequenceEnd*& end, AcDb::OpenMode mode) const {
    return acdbOpenObject(end, m_vertices.sequenceEndId(), mode);
  }
  // A vertex's position in world coordinates (x, y at the elevation).
  AcGePoint3d vertexPosition(const AcDb2dVertex& vertex) const;

  bool getCurvePath(uv::CurvePath& path) const override;
  void getOwnedIds(std::vector<AcDbObjectId>& ids) const override { m_vertices.appendOwnedIds(ids); }

 protected:
  void subAdded() override;
  void getSubentities(std::vector<AcDbEntity*>& subents) const override;

 private:
  uv::SequenceList m_vertices{true};
  AcDb::Poly2dType m_type = AcDb::k2dSimplePoly;
  bool m_closed = false;
  double m_elevation = 0, m_thickness = 0, m_defStartWidth = 0, m_defEndWidth = 0;
  AcGeVector3d m_normal{0, 0, 1};
};
