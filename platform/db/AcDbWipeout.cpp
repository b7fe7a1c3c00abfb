#include "AcDbWipeout.h"

#include <algorithm>
#include <cmath>

UV_DEFINE_RX_MEMBERS(AcDbWipeout, AcDbEntity, L"WIPEOUT")

Acad::ErrorStatus AcDbWipeout::setFrom(const AcGePoint3dArray& polygon) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  std::vector<AcGePoint3d> pts(polygon.begin(), polygon.end());
  if (pts.size() > 1 && pts.front().isEqualTo(pts.back())) pts.pop_back();
  if (pts.size() < 3) return Acad::eInvalidInput;
  double x0 = pts[0].x, y0 = pts[0].y, x1 = x0, y1 = y0;
  for (const AcGePoint3d& p : pts) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) return Acad::eInvalidInput;
    x0 = std::min(x0, p.x), y0 = std::min(y0, p.y), x1 = std::max(x1, p.x), y1 = std::max(y1, p.y);
  }
  const double w = x1 - x0, h = y1 - y0;
  if (!(w > 0) || !(h > 0)) return Acad::eInvalidInput;
  m_origin = AcGePoint3d(x0, y0, pts[0].z);
  m_u = AcGeVector3d(w, 0, 0);
  m_v = AcGeVector3d(0, h, 0);
  m_size = AcGePoint2d(1, 1);
  m_boundary.clear();
  for (const AcGePoint3d& p : pts) m_boundary.emplace_back((p.x - x0) / w - 0.5, 0.5 - (p.y - y0) / h);
  m_boundary.push_back(m_boundary.front());
  m_flags |= kClip;
  m_clipped = true;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbWipeout::getVertices(AcGePoint3dArray& vertices) const {
  vertices.setLogicalLength(0);
  std::vector<AcGePoint2d> b = m_boundary;
  if (b.size() == 2) b = {b[0], AcGePoint2d(b[1].x, b[0].y), b[1], AcGePoint2d(b[0].x, b[1].y)};
  for (const AcGePoint2d& p : b) vertices.append(m_origin + m_u * (p.x + 0.5) + m_v * (m_size.y - p.y - 0.5));
  if (vertices.length() > 0 && !vertices[0].isEqualTo(vertices[vertices.length() - 1])) vertices.append(vertices[0]);
  return vertices.length() > 0 ? Acad::eOk : Acad::eInvalidInput;
}

void AcDbWipeout::getOrientation(AcGePoint3d& origin, AcGeVector3d& u, AcGeVector3d& v) const {
  origin = m_origin;
  u = m_u;
  v = m_v;
}

Acad::ErrorStatus AcDbWipeout::setOrientation(const AcGePoint3d& origin, const AcGeVector3d& u,
                                              const AcGeVector3d& v) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (u.isZeroLength() || v.isZeroLength()) return Acad::eInvalidInput;
  m_origin = origin;
  m_u = u;
  m_v = v;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbWipeout::setImageSize(const AcGePoint2d& size) {
  return setChecked(m_size, size, size.x > 0 && size.y > 0 && std::isfinite(size.x) && std::isfinite(size.y));
}

Acad::ErrorStatus AcDbWipeout::setClipBoundary(const std::vector<AcGePoint2d>& boundary) {
  return setChecked(m_boundary, boundary, boundary.size() >= 2);
}

Acad::ErrorStatus AcDbWipeout::getGeomExtents(AcDbExtents& extents) const {
  AcGePoint3dArray vertices;
  if (getVertices(vertices) != Acad::eOk) return Acad::eInvalidExtents;
  extents = AcDbExtents();
  for (const AcGePoint3d& p : vertices) extents.addPoint(p);
  return Acad::eOk;
}
