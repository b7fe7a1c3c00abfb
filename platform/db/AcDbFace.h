// A 3D face: four corners (a triangle repeats its third corner as the
// fourth) and the visibility of each of its four edges; edge i runs from
// corner i to corner (i + 1) % 4. Indices above 3 give eInvalidIndex.
#pragma once

#include "AcDbEntity.h"

class AcDbFace : public AcDbEntity {
 public:
  ACRX_DECLARE_MEMBERS(AcDbFace);
  UV_DECLARE_CLONE(AcDbFace);
  AcDbFace() = default;
  AcDbFace(const AcGePoint3d& pt0, const AcGePoint3d& pt1, const AcGePoint3d& pt2, const AcGePoint3d& pt3,
           bool e0vis = true, bool e1vis = true, bool e2vis = true, bool e3vis = true);
  AcDbFace(const AcGePoint3d& pt0, const AcGePoint3d& pt1, const AcGePoint3d& pt2, bool e0vis = true,
           bool e1vis = true, bool e2vis = true, bool e3vis = true);

  Acad::ErrorStatus getVertexAt(Adesk::UInt16 index, AcGePoint3d& p) const;
  Acad::ErrorStatus setVertexAt(Adesk::UInt16 index, const AcGePoint3d& p);
  Acad::ErrorStatus isEdgeVisibleAt(Adesk::UInt16 index, Adesk::Boolean& visible) const;
  Acad::ErrorStatus makeEdgeVisibleAt(Adesk::UInt16 index);
  Acad::ErrorStatus makeEdgeInvisibleAt(Adesk::UInt16 index);
  // Bit i set: edge i invisible (the DXF 70 flags).
  Adesk::UInt16 invisibleEdgeFlags() const { return m_invisible; }

  Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;

 private:
  Acad::ErrorStatus setEdgeVisible(Adesk::UInt16 index, bool visible);
  AcGePoint3d m_pts[4];
  Adesk::UInt16 m_invisible = 0;
};
