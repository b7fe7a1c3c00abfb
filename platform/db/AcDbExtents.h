// An axis-aligned box. A new box is empty (min above max) until a point is
// added.
#pragma once

#include <algorithm>

#include "ge/AcGePoint3d.h"

class AcDbExtents {
 public:
  AcDbExtents() = default;
  AcDbExtents(const AcGePoint3d& min, const AcGePoint3d& max) : m_min(min), m_max(max) {}

  AcGePoint3d minPoint() const { return m_min; }
  AcGePoint3d maxPoint() const { return m_max; }
  bool isEmpty() const { return m_min.x > m_max.x || m_min.y > m_max.y || m_min.z > m_max.z; }
  void set(const AcGePoint3d& min, const AcGePoint3d& max) { m_min = min; m_max = max; }
  void addPoint(const AcGePoint3d& p) {
    m_min.set(std::min(m_min.x, p.x), std::min(m_min.y, p.y), std::min(m_min.z, p.z));
    m_max.set(std::max(m_max.x, p.x), std::max(m_max.y, p.y), std::max(m_max.z, p.z));
  }
  void addExt(const AcDbExtents& e) {
    if (e.isEmpty()) return;
    addPoint(e.m_min);
    addPoint(e.m_max);
  }
  bool contains(const AcGePoint3d& p, double tol = 0) const {
    return p.x >= m_min.x - tol && p.x <= m_max.x + tol && p.y >= m_min.y - tol && p.y <= m_max.y + tol &&
           p.z >= m_min.z - tol && p.z <= m_max.z + tol;
  }

 private:
  AcGePoint3d m_min{1e20, 1e20, 1e20};
  AcGePoint3d m_max{-1e20, -1e20, -1e20};
};
