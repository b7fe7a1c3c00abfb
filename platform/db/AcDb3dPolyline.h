// The 3D polyline: straight pieces through vertex objects
// (AcDb3dPolylineVertex) in world coordinates, followed by a SEQEND.
#pragma once

#include "ge/AcGePointArrays.h"
#include "AcDb3dPolylineVertex.h"
#include "AcDbCurve.h"
#include "SequenceList.h"

class AcDb3dPolyline : public AcDbCurve {
 public:
  ACRX_DECLARE_MEMBERS(AcDb3dPolyline);
  UV_DECLARE_CLONE(AcDb3dPolyline);
  AcDb3dPolyline();
  AcDb3dPolyline(AcDb::Poly3dType type, const AcGePoint3dArray& vertices, bool closed = false);

  AcDb::Poly3dType polyType() const { return m_type; }
  Acad::ErrorStatus setPolyType(AcDb::Poly3dType type);
  bool isClosed() const override { return m_closed; }
  Acad::ErrorStatus makeClosed();
  Acad::ErrorStatus makeOpen();

  // As AcDb2dPolyline::appendVertex.
  Acad::ErrorStatus appendVertex(AcDb3dPolylineVertex* vertex);
  Acad::ErrorStatus appendVertex(AcDbObjectId& id, AcDb3dPolylineVertex* vertex);
  AcDbObjectIterator* vertexIterator() const { return m_vertices.newIterator(); }
  Acad::ErrorStatus openVertex(AcDb3dPolylineVertex*& vertex, AcDbObjectId id, AcDb::OpenMode mode,
                               bool openErased = false) const {
    return m_vertices.open(vertex, id, mode, openErased);
  }
  Acad::ErrorStatus openSequenceEnd(AcDbSequenceEnd*& end, AcDb::OpenMode mode) const {
    return acdbOpenObject(end, m_vertices.sequenceEndId(), mode);
  }

  bool getCurvePath(uv::CurvePath& path) const override;
  void getOwnedIds(std::vector<AcDbObjectId>& ids) const override { m_vertices.appendOwnedIds(ids); }

 protected:
  void subAdded() override;
  void getSubentities(std::vector<AcDbEntity*>& subents) const override;

 private:
  uv::SequenceList m_vertices{true};
  AcDb::Poly3dType m_type = AcDb::k3dSimplePoly;
  bool m_closed = false;
};
