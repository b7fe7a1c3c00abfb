#include "AcDb2dPolyline.h"

UV_DEFINE_RX_MEMBERS(AcDb2dPolyline, AcDbCurve, L"POLYLINE")

AcDb2dPolyline::AcDb2dPolyline() = default;

AcDb2dPolyline::AcDb2dPolyline(AcDb::Poly2dType type, const AcGePoint3dArray& vertices, double elevation, bool closed,
                               double defStartWidth, double defEndWidth, const AcGeDoubleArray* bulges)
    : m_type(type), m_closed(closed), m_elevation(elevation), m_defStartWidth(defStartWidth), m_defEndWidth(defEndWidth) {
  for (int i = 0; i < vertices.length(); ++i) {
    const double bulge = bulges && i < bulges->length() ? (*bulges)[i] : 0.0;
    appendVertex(new AcDb2dVertex(vertices[i], bulge, defStartWidth, defEndWidth));
  }
}

#define UV_POLY2D_SETTER(NAME, TYPE, MEMBER)          \
  Acad::ErrorStatus AcDb2dPolyline::NAME(TYPE v) {    \
    if (!writeOk()) return Acad::eNotOpenForWrite;    \
    MEMBER = v;                                       \
    return Acad::eOk;                                 \
  }
UV_POLY2D_SETTER(setPolyType, AcDb::Poly2dType, m_type)
UV_POLY2D_SETTER(setElevation, double, m_elevation)
UV_POLY2D_SETTER(setThickness, double, m_thickness)
UV_POLY2D_SETTER(setDefaultStartWidth, double, m_defStartWidth)
UV_POLY2D_SETTER(setDefaultEndWidth, double, m_defEndWidth)
#undef UV_POLY2D_SETTER

Acad::ErrorStatus AcDb2dPolyline::makeClosed() {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  m_closed = true;
  return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::makeOpen() {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  m_closed = false;
  return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::setNormal(const AcGeVector3d& n) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (n.isZeroLength()) return Acad::eInvalidInput;
  m_normal = n.normal();
  return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::appendVertex(AcDb2dVertex* vertex) {
  AcDbObjectId id;
  return appendVertex(id, vertex);
}

Acad::ErrorStatus AcDb2dPolyline::appendVertex(AcDbObjectId& id, AcDb2dVertex* vertex) {
  return m_vertices.append(*this, vertex, &id);
}

AcGePoint3d AcDb2dPolyline::vertexPosition(const AcDb2dVertex& vertex) const {
  const AcGePoint3d p = vertex.position();
  return uv::ocsToWorld(AcGePoint3d(p.x, p.y, m_elevation), m_normal);
}

bool AcDb2dPolyline::getCurvePath(uv::CurvePath& path) const {
  path.clear();
  std::vector<const AcDb2dVertex*> verts;
  for (AcDbEntity* e : m_vertices.entities())
    if (auto* v = AcDb2dVertex::cast(e)) verts.push_back(v);
  const size_t n = verts.size();
  const size_t pieces = n < 2 ? 0 : (m_closed ? n : n - 1);
  for (size_t i = 0; i < pieces; ++i) {
    const AcGePoint3d a = vertexPosition(*verts[i]);
    const AcGePoint3d b = vertexPosition(*verts[(i + 1) % n]);
    if (a.isEqualTo(b)) continue;
    path.push_back({a, b, verts[i]->bulge(), m_normal});
  }
  return true;
}

void AcDb2dPolyline::subAdded() {
  AcDbCurve::subAdded();
  m_vertices.ownerAdded(*this);
}

void AcDb2dPolyline::getSubentities(std::vector<AcDbEntity*>& subents) const {
  const auto e = m_vertices.entities();
  subents.insert(subents.end(), e.begin(), e.end());
}
