#include "AcDbPolyline.h"

UV_DEFINE_RX_MEMBERS(AcDbPolyline, AcDbCurve, L"LWPOLYLINE")

AcDbPolyline::AcDbPolyline(unsigned int numVerts) { m_verts.reserve(numVerts); }

Acad::ErrorStatus AcDbPolyline::addVertexAt(unsigned int index, const AcGePoint2d& pt, double bulge, double startWidth,
                                            double endWidth) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  Vertex v{pt, bulge, startWidth < 0 ? m_constantWidth : startWidth, endWidth < 0 ? m_constantWidth : endWidth};
  m_verts.insert(m_verts.begin() + std::min<size_t>(index, m_verts.size()), v);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::removeVertexAt(unsigned int index) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (!valid(index)) return Acad::eInvalidIndex;
  m_verts.erase(m_verts.begin() + index);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getPointAt(unsigned int index, AcGePoint2d& pt) const {
  if (!valid(index)) return Acad::eInvalidIndex;
  pt = m_verts[index].pt;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getPointAt(unsigned int index, AcGePoint3d& pt) const {
  if (!valid(index)) return Acad::eInvalidIndex;
  pt = uv::ocsToWorld(AcGePoint3d(m_verts[index].pt.x, m_verts[index].pt.y, m_elevation), m_normal);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setPointAt(unsigned int index, const AcGePoint2d& pt) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (!valid(index)) return Acad::eInvalidIndex;
  m_verts[index].pt = pt;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getBulgeAt(unsigned int index, double& bulge) const {
  if (!valid(index)) return Acad::eInvalidIndex;
  bulge = m_verts[index].bulge;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setBulgeAt(unsigned int index, double bulge) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (!valid(index)) return Acad::eInvalidIndex;
  m_verts[index].bulge = bulge;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getWidthsAt(unsigned int index, double& startWidth, double& endWidth) const {
  if (!valid(index)) return Acad::eInvalidIndex;
  startWidth = m_verts[index].startWidth;
  endWidth = m_verts[index].endWidth;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setWidthsAt(unsigned int index, double startWidth, double endWidth) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (!valid(index)) return Acad::eInvalidIndex;
  if (startWidth < 0 || endWidth < 0) return Acad::eInvalidInput;
  m_verts[index].startWidth = startWidth;
  m_verts[index].endWidth = endWidth;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getConstantWidth(double& width) const {
  width = m_constantWidth;
  for (const Vertex& v : m_verts)
    if (v.startWidth != m_constantWidth || v.endWidth != m_constantWidth) return Acad::eInvalidInput;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setConstantWidth(double width) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (width < 0) return Acad::eInvalidInput;
  m_constantWidth = width;
  for (Vertex& v : m_verts) v.startWidth = v.endWidth = width;
  return Acad::eOk;
}

bool AcDbPolyline::hasBulges() const {
  for (const Vertex& v : m_verts)
    if (v.bulge != 0) return true;
  return false;
}

bool AcDbPolyline::hasWidth() const {
  for (const Vertex& v : m_verts)
    if (v.startWidth != 0 || v.endWidth != 0) return true;
  return false;
}

void AcDbPolyline::reset(bool reuse, unsigned int numVerts) {
  assertWriteEnabled();
  if (!reuse) m_verts.clear();
  else if (numVerts < m_verts.size()) m_verts.resize(numVerts);
}

void AcDbPolyline::setElevation(double elevation) {
  assertWriteEnabled();
  m_elevation = elevation;
}

void AcDbPolyline::setClosed(bool closed) {
  assertWriteEnabled();
  m_closed = closed;
}

Acad::ErrorStatus AcDbPolyline::setNormal(const AcGeVector3d& n) { return setUnitNormal(m_normal, n); }

Acad::ErrorStatus AcDbPolyline::setThickness(double t) { return setWritable(m_thickness, t); }

bool AcDbPolyline::getCurvePath(uv::CurvePath& path) const {
  path.clear();
  std::vector<AcGePoint3d> pts(m_verts.size());
  std::vector<double> bulges;
  for (unsigned i = 0; i < numVerts(); ++i) {
    getPointAt(i, pts[i]);
    bulges.push_back(m_verts[i].bulge);
  }
  uv::appendPolylinePieces(path, pts, &bulges, m_closed, m_normal);
  return true;
}
