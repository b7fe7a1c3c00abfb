// SPDX-License-Identifier: GPL-3.0-or-later
// The only translation unit of the TIN core that includes CGAL: the exact fallbacks of
// Predicates.h, on CGAL's filtered exact kernel (interval arithmetic first, exact numbers only
// when that cannot decide).
#include <CGAL/Exact_predicates_inexact_constructions_kernel.h>

#include "tin/Predicates.h"

namespace tin {

namespace {
using K = CGAL::Exact_predicates_inexact_constructions_kernel;
K::Point_2 toP(const Point2& p) { return K::Point_2(p.x, p.y); }
}  // namespace

int orientationExact(const Point2& a, const Point2& b, const Point2& c) {
  return static_cast<int>(CGAL::orientation(toP(a), toP(b), toP(c)));
}

int inCircleExact(const Point2& a, const Point2& b, const Point2& c, const Point2& d) {
  return static_cast<int>(CGAL::side_of_oriented_circle(toP(a), toP(b), toP(c), toP(d)));
}

}  // namespace tin
