#include "host/render/ViewMapping.h"

#include <algorithm>
#include <cmath>

namespace uv::render {

ViewMapping::ViewMapping(const AcGePoint3d& centre, double height, const QSize& size)
    : m_centre(centre.x, centre.y, 0), m_size(size) {
  const int pixels = std::max(size.height(), 1);
  m_scale = height > 0 && std::isfinite(height) ? pixels / height : 1.0;
}

ViewMapping ViewMapping::fitting(const AcDbExtents& box, const QSize& size, double margin) {
  if (box.isEmpty()) return ViewMapping(AcGePoint3d(0, 0, 0), 100, size);
  const AcGePoint3d lo = box.minPoint(), hi = box.maxPoint();
  const AcGePoint3d centre((lo.x + hi.x) / 2, (lo.y + hi.y) / 2, 0);
  double w = hi.x - lo.x, h = hi.y - lo.y;
  if (!(w > 0) && !(h > 0)) w = h = 10;
  const double freeW = std::max(1.0, size.width() - 2 * margin);
  const double freeH = std::max(1.0, size.height() - 2 * margin);
  // The scale that fits the tighter direction, as a view height.
  const double scale = std::min(w > 0 ? freeW / w : HUGE_VAL, h > 0 ? freeH / h : HUGE_VAL);
  return ViewMapping(centre, std::max(size.height(), 1) / scale, size);
}

AcGePoint3d ViewMapping::toDrawing(const QPointF& pixel) const {
  return {m_centre.x + (pixel.x() - m_size.width() / 2.0) / m_scale,
          m_centre.y - (pixel.y() - m_size.height() / 2.0) / m_scale, 0};
}

QTransform ViewMapping::transform() const {
  // x' = W/2 + (x - cx) s,  y' = H/2 - (y - cy) s
  return QTransform(m_scale, 0, 0, -m_scale, m_size.width() / 2.0 - m_centre.x * m_scale,
                    m_size.height() / 2.0 + m_centre.y * m_scale);
}

}  // namespace uv::render
