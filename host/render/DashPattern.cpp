#include "host/render/DashPattern.h"

#include <algorithm>
#include <cmath>

namespace uv::render {

namespace {

constexpr double kMaxPieces = 200000;

double lengthOf(const QPolygonF& line) {
  double total = 0;
  for (int i = 1; i < line.size(); ++i) {
    const QPointF d = line[i] - line[i - 1];
    total += std::hypot(d.x(), d.y());
  }
  return total;
}

}  // namespace

DashPattern::DashPattern(std::vector<double> pixels, double minPeriod) {
  double period = 0;
  bool hasGap = false;
  for (double d : pixels) {
    period += std::abs(d);
    hasGap = hasGap || d < 0;
  }
  if (!hasGap || !(period >= minPeriod) || !std::isfinite(period)) return;
  m_pixels = std::move(pixels);
  m_period = period;
}

DashPattern DashPattern::scaled(const std::vector<double>& units, double pixelsPerUnit) {
  std::vector<double> pixels;
  pixels.reserve(units.size());
  for (double d : units) pixels.push_back(d * pixelsPerUnit);
  return DashPattern(std::move(pixels));
}

DashPattern::Pieces DashPattern::apply(const QPolygonF& line) const {
  Pieces out;
  if (line.size() < 2) return out;
  if (isContinuous() || lengthOf(line) / m_period * double(m_pixels.size()) > kMaxPieces) {
    out.dashes.push_back(line);
    return out;
  }
  size_t element = 0;
  double left = std::abs(m_pixels[0]);  // of the current element
  bool dotPending = m_pixels[0] == 0;
  QPolygonF dash;
  auto drawing = [&] { return m_pixels[element] > 0; };
  if (drawing()) dash << line[0];
  for (int i = 1; i < line.size(); ++i) {
    QPointF from = line[i - 1];
    const QPointF to = line[i];
    double segment = std::hypot(to.x() - from.x(), to.y() - from.y());
    while (true) {
      if (dotPending) {
        out.dots.push_back(from);
        dotPending = false;
      }
      if (left > segment) {
        left -= segment;
        if (drawing() && segment > 0) dash << to;
        break;
      }
      // The element ends on this segment: cut there and move to the next.
      const double t = segment > 0 ? left / segment : 0;
      const QPointF cut = from + (to - from) * t;
      if (drawing()) {
        dash << cut;
        out.dashes.push_back(dash);
        dash.clear();
      }
      segment -= left;
      from = cut;
      element = (element + 1) % m_pixels.size();
      left = std::abs(m_pixels[element]);
      dotPending = m_pixels[element] == 0;
      if (drawing()) dash << cut;
    }
  }
  if (dash.size() >= 2) out.dashes.push_back(dash);
  return out;
}

}  // namespace uv::render
