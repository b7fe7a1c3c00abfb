// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>

#include "tin/Geometry.h"

namespace tin {

// Even-odd rule in plan, the polygon closed from its last point back to its first. An edge
// counts for the rows from its lower end (included) to its upper end (excluded), and a point
// exactly on a sloping edge does not toggle, so a point on the shared side of two polygons
// that tile the plane lies in exactly one of them. The side tests are exact.
bool insidePolygon(std::span<const Point2> polygon, const Point2& p);

}  // namespace tin
