// An entity as seen from above, for picking and for window and crossing
// selection: its straight pieces (arcs cut into short chords), its single
// points, and its box (exact, from the database) on the XY plane.
#pragma once

#include <utility>
#include <vector>

#include "ge/AcGePoint2d.h"

class AcDbEntity;

namespace uv {

class EntityOutline {
 public:
  static EntityOutline of(const AcDbEntity& entity);

  // Plan distance from p; 0 inside the box of an area-like entity (text,
  // block reference), which a person picks anywhere on its face.
  double distanceTo(const AcGePoint2d& p) const;
  // Window selection: the whole entity lies in the rectangle.
  bool inside(const AcGePoint2d& lo, const AcGePoint2d& hi) const;
  // Crossing selection: some part of the entity lies in the rectangle.
  bool crosses(const AcGePoint2d& lo, const AcGePoint2d& hi) const;
  // A point on the entity (for the pick point of an entity named by handle).
  AcGePoint2d somePoint() const;
  bool empty() const { return m_segments.empty() && m_points.empty(); }

 private:
  std::vector<std::pair<AcGePoint2d, AcGePoint2d>> m_segments;
  std::vector<AcGePoint2d> m_points;
  AcGePoint2d m_boxMin{1e300, 1e300}, m_boxMax{-1e300, -1e300};
  bool m_hasBox = false;
  bool m_filled = false;
};

}  // namespace uv
