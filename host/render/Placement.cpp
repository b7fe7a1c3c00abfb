#include "host/render/Placement.h"

#include <algorithm>
#include <cmath>

#include "db/AcDbBlockReference.h"

namespace uv::render {

Placement Placement::of(const AcDbBlockReference& reference) {
  // blockToWorld is affine: the images of the origin and the unit points
  // give the whole map.
  Placement p;
  const AcGePoint3d o = reference.blockToWorld(AcGePoint3d(0, 0, 0));
  p.m_t = o.asVector();
  p.m_x = reference.blockToWorld(AcGePoint3d(1, 0, 0)) - o;
  p.m_y = reference.blockToWorld(AcGePoint3d(0, 1, 0)) - o;
  p.m_z = reference.blockToWorld(AcGePoint3d(0, 0, 1)) - o;
  return p;
}

AcGePoint3d Placement::apply(const AcGePoint3d& p) const {
  const AcGeVector3d v = m_x * p.x + m_y * p.y + m_z * p.z + m_t;
  return {v.x, v.y, v.z};
}

AcGeVector3d Placement::applyVector(const AcGeVector3d& v) const { return m_x * v.x + m_y * v.y + m_z * v.z; }

Placement Placement::then(const Placement& outer) const {
  Placement r;
  r.m_x = outer.applyVector(m_x);
  r.m_y = outer.applyVector(m_y);
  r.m_z = outer.applyVector(m_z);
  r.m_t = outer.apply(AcGePoint3d(m_t.x, m_t.y, m_t.z)).asVector();
  return r;
}

double Placement::planScale() const {
  // The larger singular value of the 2x2 plan part.
  const double a = m_x.x, b = m_y.x, c = m_x.y, d = m_y.y;
  const double s1 = a * a + b * b + c * c + d * d;
  const double det = a * d - b * c;
  const double disc = std::sqrt(std::max(0.0, s1 * s1 - 4 * det * det));
  return std::sqrt((s1 + disc) / 2);
}

QTransform Placement::planLinear() const { return QTransform(m_x.x, m_x.y, m_y.x, m_y.y, 0, 0); }

bool Placement::isIdentity() const {
  return m_x == AcGeVector3d(1, 0, 0) && m_y == AcGeVector3d(0, 1, 0) && m_z == AcGeVector3d(0, 0, 1) &&
         m_t.isZeroLength();
}

}  // namespace uv::render
