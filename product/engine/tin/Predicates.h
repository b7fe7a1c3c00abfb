// SPDX-License-Identifier: GPL-3.0-or-later
// Exact plan predicates for the translation units that must not include CGAL. They are
// defined in Triangulation.cpp, on CGAL's filtered exact kernel: the sign is always the sign
// of the exact determinant of the double inputs, never a rounded one.
#pragma once

#include "tin/Geometry.h"

namespace tin {

// +1 when c lies left of the directed line a->b (a, b, c counter-clockwise), -1 right, 0 on it.
int orientation(const Point2& a, const Point2& b, const Point2& c);

// +1 when d lies strictly inside the circle through the counter-clockwise a, b, c, -1 outside,
// 0 on the circle.
int inCircle(const Point2& a, const Point2& b, const Point2& c, const Point2& d);

inline int orientation(const Point3& a, const Point3& b, const Point3& c) {
  return orientation(a.plan(), b.plan(), c.plan());
}

}  // namespace tin
