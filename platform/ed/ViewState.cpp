#include "ViewState.h"

#include <algorithm>
#include <cmath>

namespace uv {

bool ViewState::set(const AcGePoint3d& centre, double height) {
  if (!(height > 0) || !std::isfinite(height)) return false;
  m_centre = centre;
  m_height = height;
  return true;
}

bool ViewState::setScreenSize(int widthPixels, int heightPixels) {
  if (widthPixels < 1 || heightPixels < 1) return false;
  m_screenWidth = widthPixels;
  m_screenHeight = heightPixels;
  return true;
}

void ViewState::zoomToExtents(const AcGePoint3d& min, const AcGePoint3d& max) {
  double w = std::abs(max.x - min.x), h = std::abs(max.y - min.y);
  double aspect = double(m_screenWidth) / double(m_screenHeight);
  double height = std::max(h, w / aspect) * 1.05;
  if (!(height > 0)) height = m_height;  // a point or an empty box: keep the scale
  set(AcGePoint3d((min.x + max.x) / 2, (min.y + max.y) / 2, 0), height);
}

}  // namespace uv
