// SPDX-License-Identifier: GPL-3.0-or-later
#include "tin/Polygon.h"

#include "tin/Predicates.h"

namespace tin {

bool insidePolygon(std::span<const Point2> polygon, const Point2& p) {
  bool inside = false;
  const std::size_t n = polygon.size();
  for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
    const Point2& a = polygon[j];
    const Point2& b = polygon[i];
    // The crossing of the row through p with edge a->b lies right of p exactly when p is left
    // of an upward edge or right of a downward one.
    if (a.y <= p.y && p.y < b.y) {
      if (orientation(a, b, p) > 0) inside = !inside;
    } else if (b.y <= p.y && p.y < a.y) {
      if (orientation(a, b, p) < 0) inside = !inside;
    }
  }
  return inside;
}

}  // namespace tin
