#include "AcDbFace.h"

#include <cstring>

UV_DEFINE_RX_MEMBERS(AcDbFace, AcDbEntity, L"3DFACE")

AcDbFace::AcDbFace(const AcGePoint3d& pt0, const AcGePoint3d& pt1, const AcGePoint3d& pt2, const AcGePoint3d& pt3,
                   bool e0vis, bool e1vis, bool e2vis, bool e3vis)
    : m_invisible(Adesk::UInt16((e0vis ? 0 : 1) | (e1vis ? 0 : 2) | (e2vis ? 0 : 4) | (e3vis ? 0 : 8))),
      m_pts{pt0, pt1, pt2} {
  setFourth(pt3);
}

AcDbFace::AcDbFace(const AcDbFace& other)
    : AcDbEntity(other),
      m_invisible(other.m_invisible),
      m_fourth(other.m_fourth ? new Corner(*other.m_fourth) : nullptr),
      m_pts{other.m_pts[0], other.m_pts[1], other.m_pts[2]} {}

void AcDbFace::setFourth(const AcGePoint3d& p) {
  // Compared bit for bit (a -0.0 is kept as written).
  if (std::memcmp(&p, &m_pts[2], sizeof p) == 0) m_fourth.reset();
  else if (m_fourth) m_fourth->p = p;
  else m_fourth.reset(new Corner{p});
}

AcDbFace::AcDbFace(const AcGePoint3d& pt0, const AcGePoint3d& pt1, const AcGePoint3d& pt2, bool e0vis, bool e1vis,
                   bool e2vis, bool e3vis)
    : AcDbFace(pt0, pt1, pt2, pt2, e0vis, e1vis, e2vis, e3vis) {}

Acad::ErrorStatus AcDbFace::getVertexAt(Adesk::UInt16 index, AcGePoint3d& p) const {
  if (index > 3) return Acad::eInvalidIndex;
  p = corner(index);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbFace::setVertexAt(Adesk::UInt16 index, const AcGePoint3d& p) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (index > 3) return Acad::eInvalidIndex;
  if (index == 3) {
    setFourth(p);
  } else if (index == 2) {
    const AcGePoint3d fourth = corner(3);
    m_pts[2] = p;
    setFourth(fourth);
  } else {
    m_pts[index] = p;
  }
  return Acad::eOk;
}

Acad::ErrorStatus AcDbFace::isEdgeVisibleAt(Adesk::UInt16 index, Adesk::Boolean& visible) const {
  if (index > 3) return Acad::eInvalidIndex;
  visible = (m_invisible & (1u << index)) == 0;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbFace::setEdgeVisible(Adesk::UInt16 index, bool visible) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (index > 3) return Acad::eInvalidIndex;
  if (visible) m_invisible = Adesk::UInt16(m_invisible & ~(1u << index));
  else m_invisible = Adesk::UInt16(m_invisible | (1u << index));
  return Acad::eOk;
}

Acad::ErrorStatus AcDbFace::makeEdgeVisibleAt(Adesk::UInt16 index) { return setEdgeVisible(index, true); }
Acad::ErrorStatus AcDbFace::makeEdgeInvisibleAt(Adesk::UInt16 index) { return setEdgeVisible(index, false); }

Acad::ErrorStatus AcDbFace::getGeomExtents(AcDbExtents& extents) const {
  extents = AcDbExtents();
  for (const AcGePoint3d& p : m_pts) extents.addPoint(p);
  if (m_fourth) extents.addPoint(m_fourth->p);
  return Acad::eOk;
}
