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
  AcDbFace(const AcDbFace& other);
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
  const AcGePoint3d& corner(Adesk::UInt16 index) const {
    if (index < 3) return m_pts[index];
    return m_fourth ? m_fourth->p : m_pts[2];
  }
  void setFourth(const AcGePoint3d& p);

  // The fourth corner apart, and only when it is not the third: nearly
  // every face of a drawing is a triangle, and there are millions.
  struct Corner {
    AcGePoint3d p;
    static void* operator new(std::size_t size) { return uv::SmallObjectPool::allocate(size); }
    static void operator delete(void* q, std::size_t size) noexcept { uv::SmallObjectPool::release(q, size); }
  };
  Adesk::UInt16 m_invisible = 0;
  std::unique_ptr<Corner> m_fourth;  // null: the same as the third
  AcGePoint3d m_pts[3];
};
