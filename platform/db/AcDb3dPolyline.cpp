#include "AcDb3dPolyline.h"

UV_DEFINE_RX_MEMBERS(AcDb3dPolyline, AcDbCurve, L"POLYLINE")

AcDb3dPolyline::AcDb3dPolyline() = default;

AcDb3dPolyline::AcDb3dPolyline(AcDb::Poly3dType type, const AcGePoint3dArray& vertices, bool closed)
    : m_type(type), m_closed(closed) {
  for (const AcGePoint3d& p : vertices) appendVertex(new AcDb3dPolylineVertex(p));
}

Acad::ErrorStatus AcDb3dPolyline::setPolyType(AcDb::Poly3dType type) { return setWritable(m_type, type); }

Acad::ErrorStatus AcDb3dPolyline::makeClosed() { return setWritable(m_closed, true); }

Acad::ErrorStatus AcDb3dPolyline::makeOpen() { return setWritable(m_closed, false); }

Acad::ErrorStatus AcDb3dPolyline::appendVertex(AcDb3dPolylineVertex* vertex) {
  AcDbObjectId id;
  return appendVertex(id, vertex);
}

Acad::ErrorStatus AcDb3dPolyline::appendVertex(AcDbObjectId& id, AcDb3dPolylineVertex* vertex) {
  return m_vertices.append(*this, vertex, &id);
}

bool AcDb3dPolyline::getCurvePath(uv::CurvePath& path) const {
  path.clear();
  std::vector<AcGePoint3d> pts;
  for (AcDbEntity* e : m_vertices.entities())
    if (auto* v = AcDb3dPolylineVertex::cast(e)) pts.push_back(v->position());
  uv::appendPolylinePieces(path, pts, nullptr, m_closed, AcGeVector3d::kZAxis);
  return true;
}

void AcDb3dPolyline::subAdded() {
  AcDbCurve::subAdded();
  m_vertices.ownerAdded(*this);
}

void AcDb3dPolyline::getSubentities(std::vector<AcDbEntity*>& subents) const {
  const auto e = m_vertices.entities();
  subents.insert(subents.end(), e.begin(), e.end());
}
