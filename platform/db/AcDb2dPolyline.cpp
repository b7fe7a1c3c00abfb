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

Acad::ErrorStatus AcDb2dPolyline::setPolyType(AcDb::Poly2dType v) { return setWritable(m_type, v); }
Acad::ErrorStatus AcDb2dPolyline::setElevation(double v) { return setWritable(m_elevation, v); }
Acad::ErrorStatus AcDb2dPolyline::setThickness(double v) { return setWritable(m_thickness, v); }
Acad::ErrorStatus AcDb2dPolyline::setDefaultStartWidth(double v) { return setWritable(m_defStartWidth, v); }
Acad::ErrorStatus AcDb2dPolyline::setDefaultEndWidth(double v) { return setWritable(m_defEndWidth, v); }

Acad::ErrorStatus AcDb2dPolyline::makeClosed() { return setWritable(m_closed, true); }

Acad::ErrorStatus AcDb2dPolyline::makeOpen() { return setWritable(m_closed, false); }

Acad::ErrorStatus AcDb2dPolyline::setNormal(const AcGeVector3d& n) { return setUnitNormal(m_normal, n); }

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
  std::vector<AcGePoint3d> pts;
  std::vector<double> bulges;
  for (AcDbEntity* e : m_vertices.entities()) {
    if (auto* v = AcDb2dVertex::cast(e)) {
      pts.push_back(vertexPosition(*v));
      bulges.push_back(v->bulge());
    }
  }
  uv::appendPolylinePieces(path, pts, &bulges, m_closed, m_normal);
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
