// A linetype's dash pattern laid along a line in pixels. The pattern runs on
// across the vertices of a polyline (as with continuous linetype generation)
// and starts afresh on every entity:
//
//   dashes  12 -4 0 -4       ____________    .    ____________    .
//                            |-- 12 --| 4 dot 4 |
#pragma once

#include <QPointF>
#include <QPolygonF>
#include <vector>

namespace uv::render {

class DashPattern {
 public:
  // Continuous.
  DashPattern() = default;
  // Pattern lengths in pixels (positive dash, negative gap, 0 dot). A
  // pattern without gaps, or shorter than minPeriod pixels (too dense to be
  // seen), draws continuous.
  explicit DashPattern(std::vector<double> pixels, double minPeriod = 3.0);
  // Pattern lengths in drawing units, scaled to pixels.
  static DashPattern scaled(const std::vector<double>& units, double pixelsPerUnit);

  bool isContinuous() const { return m_pixels.empty(); }
  double period() const { return m_period; }

  struct Pieces {
    std::vector<QPolygonF> dashes;
    std::vector<QPointF> dots;
  };
  // The parts of the polyline to draw. A continuous pattern gives the line
  // itself; so does a line so long that it would take too many dashes.
  Pieces apply(const QPolygonF& line) const;

 private:
  std::vector<double> m_pixels;
  double m_period = 0;
};

}  // namespace uv::render
