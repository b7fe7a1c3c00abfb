// An axis-aligned box in plan (drawing x, y), closed on every side. A new
// box is empty (min above max) until a point is added.
#pragma once

#include <algorithm>

namespace uv::render {

struct PlanBox {
  double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;

  static PlanBox of(double x0, double y0, double x1, double y1) {
    return {std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
  }
  bool isEmpty() const { return !(minX <= maxX && minY <= maxY); }
  void add(double x, double y) {
    minX = std::min(minX, x);
    minY = std::min(minY, y);
    maxX = std::max(maxX, x);
    maxY = std::max(maxY, y);
  }
  void add(const PlanBox& b) {
    if (b.isEmpty()) return;
    add(b.minX, b.minY);
    add(b.maxX, b.maxY);
  }
  void grow(double by) {
    minX -= by;
    minY -= by;
    maxX += by;
    maxY += by;
  }
  // Touching counts: a box on the edge of another meets it.
  bool meets(const PlanBox& b) const { return minX <= b.maxX && b.minX <= maxX && minY <= b.maxY && b.minY <= maxY; }
  double width() const { return maxX - minX; }
  double height() const { return maxY - minY; }
};

}  // namespace uv::render
