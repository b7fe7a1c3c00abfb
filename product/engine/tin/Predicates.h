// SPDX-License-Identifier: GPL-3.0-or-later
// Exact plan predicates for the translation units that must not include CGAL. The sign is
// always the sign of the exact determinant of the double inputs, never a rounded one.
//
// Each predicate first evaluates its determinant in doubles and trusts the sign when the value
// clears a bound on the rounding error of that evaluation (the classic forward error bounds for
// these two determinants). Only when it does not, which takes nearly collinear or nearly
// cocircular points, the exact version decides: that one is defined in ExactPredicates.cpp, on
// CGAL's filtered exact kernel. Those bounds hold only while no product underflows or
// overflows, so terms too small or too large for that (differences below about 1e-200 or
// above 1e30, which only hostile files hold) are decided exactly as well.
#pragma once

#include <cmath>

#include "tin/Geometry.h"

namespace tin {

int orientationExact(const Point2& a, const Point2& b, const Point2& c);
int inCircleExact(const Point2& a, const Point2& b, const Point2& c, const Point2& d);

namespace detail {
// The orientation determinant in floating point, and whether its sign is certain (the bound
// nearly always holds; terms too small for it are left to the exact test).
struct FilteredSign {
  double det;
  bool certain;
};
inline FilteredSign orientationFilter(const Point2& a, const Point2& b, const Point2& c) {
  constexpr double eps = 0x1p-53;
  constexpr double bound = (3.0 + 16.0 * eps) * eps;
  const double left = (a.x - c.x) * (b.y - c.y);
  const double right = (a.y - c.y) * (b.x - c.x);
  const double det = left - right;
  const double sum = std::fabs(left) + std::fabs(right);
  const bool certain = (sum >= 0x1p-900) & (std::fabs(det) > bound * sum);  // no branch: walks cannot predict it
  return {det, certain};
}
}  // namespace detail

// +1 when c lies left of the directed line a->b (a, b, c counter-clockwise), -1 right, 0 on it.
inline int orientation(const Point2& a, const Point2& b, const Point2& c) {
  const detail::FilteredSign f = detail::orientationFilter(a, b, c);
  // The sign without a branch: a triangulation's walk cannot predict it.
  if (f.certain) return (f.det > 0) - (f.det < 0);
  return orientationExact(a, b, c);
}

// Whether c lies strictly left of the line from a to b, exactly (orientation() > 0).
inline bool leftOf(const Point2& a, const Point2& b, const Point2& c) {
  const detail::FilteredSign f = detail::orientationFilter(a, b, c);
  if (!f.certain) [[unlikely]]
    return orientationExact(a, b, c) > 0;
  return f.det > 0;
}

// +1 when d lies strictly inside the circle through the counter-clockwise a, b, c, -1 outside,
// 0 on the circle.
inline int inCircle(const Point2& a, const Point2& b, const Point2& c, const Point2& d) {
  constexpr double eps = 0x1p-53;
  constexpr double bound = (10.0 + 96.0 * eps) * eps;
  const double adx = a.x - d.x, ady = a.y - d.y;
  const double bdx = b.x - d.x, bdy = b.y - d.y;
  const double cdx = c.x - d.x, cdy = c.y - d.y;
  const double bc1 = bdx * cdy, bc2 = cdx * bdy;
  const double ca1 = cdx * ady, ca2 = adx * cdy;
  const double ab1 = adx * bdy, ab2 = bdx * ady;
  const double alift = adx * adx + ady * ady;
  const double blift = bdx * bdx + bdy * bdy;
  const double clift = cdx * cdx + cdy * cdy;
  const double det = alift * (bc1 - bc2) + blift * (ca1 - ca2) + clift * (ab1 - ab2);
  const double permanent = (std::fabs(bc1) + std::fabs(bc2)) * alift + (std::fabs(ca1) + std::fabs(ca2)) * blift +
                           (std::fabs(ab1) + std::fabs(ab2)) * clift;
  if (!(permanent >= 0x1p-700 && alift + blift + clift <= 0x1p+200)) return inCircleExact(a, b, c, d);
  if (std::fabs(det) > bound * permanent) return (det > 0) - (det < 0);
  return inCircleExact(a, b, c, d);
}

inline int orientation(const Point3& a, const Point3& b, const Point3& c) {
  return orientation(a.plan(), b.plan(), c.plan());
}

}  // namespace tin
