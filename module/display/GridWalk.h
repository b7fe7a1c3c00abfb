// The walk of a regular grid over a rectangle, anchored at its lower left
// corner. Positions advance by adding the spacing to the running
// coordinate, never by multiplying, and every corner is computed from the
// running position as below, so that a checker repeating these additions
// finds the same numbers to the last bit.
//
//   segments parallel to y          segments parallel to x
//     x = min.x, min.x+dx, ...        y = min.y, min.y+dy, ...
//       y = min.y+dy, ... < max.y       x = min.x+dx, ... < max.x
//         (x, y) - (x, y-dy)              (x, y) - (x-dx, y)
//
//   cells (c0 its upper right corner, then clockwise)
//     x = min.x+dx, ... < max.x
//       y = min.y+dy, ... < max.y
//         c0 (x, y)  c1 (x, y-dy)  c2 (x-dx, y-dy)  c3 (x-dx, y)
//
// Only segments and cells whose upper or right end lies strictly below the
// maximum are visited. Corners have z 0. Spacings must be positive.
#pragma once

#include "ge/AcGePoint3d.h"

namespace uv::display {

struct GridFrame {
  AcGePoint3d min, max;
  double dx = 0, dy = 0;

  double width() const { return max.x - min.x; }
  double height() const { return max.y - min.y; }
  // The progress totals: (W/dx)(H/dy) cells, twice as many segments, each
  // truncated toward zero (and kept within an int).
  int cellTotal() const;
  int segmentTotal() const;
  // Roughly how many cells the walk visits, without rounding; for refusing
  // spacings that would make more than memory holds.
  double cellEstimate() const;
};

// visit(a, b) for every segment, in the order above.
template <class Visit>
void WalkGridSegments(const GridFrame& g, Visit&& visit) {
  for (double x = g.min.x; x < g.max.x; x += g.dx)
    for (double y = g.min.y + g.dy; y < g.max.y; y += g.dy) visit(AcGePoint3d(x, y, 0), AcGePoint3d(x, y - g.dy, 0));
  for (double y = g.min.y; y < g.max.y; y += g.dy)
    for (double x = g.min.x + g.dx; x < g.max.x; x += g.dx) visit(AcGePoint3d(x, y, 0), AcGePoint3d(x - g.dx, y, 0));
}

// visit(c0, c1, c2, c3) for every cell, in the order above.
template <class Visit>
void WalkGridCells(const GridFrame& g, Visit&& visit) {
  for (double x = g.min.x + g.dx; x < g.max.x; x += g.dx)
    for (double y = g.min.y + g.dy; y < g.max.y; y += g.dy)
      visit(AcGePoint3d(x, y, 0), AcGePoint3d(x, y - g.dy, 0), AcGePoint3d(x - g.dx, y - g.dy, 0),
            AcGePoint3d(x - g.dx, y, 0));
}

}  // namespace uv::display
