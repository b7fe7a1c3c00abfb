#include "AcDb3dPolyline.h"

UV_DEFINE_RX_MEMBERS(AcDb3dPolyline, AcDbCurve, L"POLYLINE")

AcDb3dPolyline::AcDb3dPolyline() = default;

AcDb3dPolyline::AcDb3dPolyline(AcDb::Poly3dType type, const AcGePoint3dArray& vertices, bool closed)
    : m_type(type), m_closed(closed) {
  for (const AcGePoint3d& p : vertices) appendVertex(new AcDb3dPolylineVertex(p));
}

Acad::ErrorStatus AcDb3dPolyline::setPolyType(AcDb::Poly3dType type) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  m_type = type;
  return Acad::eOk;
}

Acad::ErrorStatus AcDb3dPolyline::makeClosed() {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  m_closed = true;
  return Acad::eOk;
}

Acad::ErrorStatus AcDb3dPolyline::makeOpen() {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  m_closed = false;
  return Acad::eOk;
}

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
  const size_t n = pts.size();
  const size_t pieces = n < 2 ? 0 : (m_closed ? n : n - 1);
  for (size_t i = 0; i < pieces; ++i) {
    const AcGePoint3d& a = pts[i];
    const AcGePoint3d& b = pts[(i + 1) % n];
    if (!a.isEqualTo(b)) path.push_back({a, b, 0, AcGeVector3d::kZAxis});
  }
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
