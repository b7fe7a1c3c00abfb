#include "db/dxf/Ocs.h"

#include <cmath>

namespace uv::dxf {

Ocs::Ocs(const AcGeVector3d& normal) {
  m_z = normal.isZeroLength() ? AcGeVector3d(0, 0, 1) : normal.normal();
  m_world = m_z.x == 0 && m_z.y == 0 && m_z.z > 0;
  const double limit = 1.0 / 64.0;
  const AcGeVector3d axis = (std::fabs(m_z.x) < limit && std::fabs(m_z.y) < limit) ? AcGeVector3d(0, 1, 0)
                                                                                   : AcGeVector3d(0, 0, 1);
  m_x = axis.crossProduct(m_z).normal();
  m_y = m_z.crossProduct(m_x).normal();
}

AcGePoint3d Ocs::toWorld(const AcGePoint3d& p) const {
  if (m_world) return p;
  const AcGeVector3d v = m_x * p.x + m_y * p.y + m_z * p.z;
  return {v.x, v.y, v.z};
}

AcGePoint3d Ocs::toOcs(const AcGePoint3d& p) const {
  if (m_world) return p;
  const AcGeVector3d v = p.asVector();
  return {v.dotProduct(m_x), v.dotProduct(m_y), v.dotProduct(m_z)};
}

}  // namespace uv::dxf
