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
  const AcGePoint3d q{v.dotProduct(m_x), v.dotProduct(m_y), v.dotProduct(m_z)};
  auto exact = [&](const AcGePoint3d& c) {
    const AcGePoint3d w = toWorld(c);
    return w.x == p.x && w.y == p.y && w.z == p.z;
  };
  if (exact(q)) return q;
  // Rounded twice, the point may come back a last bit off the world point: the drawing then
  // changed in the file without an edit, and drifted at every save. Of the neighbours within
  // two last bits, the nearest that comes back exactly is taken, so that the point read back
  // is the point saved.
  AcGePoint3d best = q;
  int bestSteps = 7;
  auto nudged = [](double c, int steps) {
    for (; steps > 0; --steps) c = std::nextafter(c, INFINITY);
    for (; steps < 0; ++steps) c = std::nextafter(c, -INFINITY);
    return c;
  };
  for (int i = -2; i <= 2; ++i)
    for (int j = -2; j <= 2; ++j)
      for (int k = -2; k <= 2; ++k) {
        const int steps = std::abs(i) + std::abs(j) + std::abs(k);
        if (steps >= bestSteps) continue;
        const AcGePoint3d c{nudged(q.x, i), nudged(q.y, j), nudged(q.z, k)};
        if (exact(c)) {
          best = c;
          bestSteps = steps;
        }
      }
  return best;
}

}  // namespace uv::dxf
