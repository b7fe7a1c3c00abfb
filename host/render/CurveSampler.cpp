#include "host/render/CurveSampler.h"

#include <algorithm>
#include <cmath>

namespace uv::render {

CurveSampler::CurveSampler(const Placement& placement, const ViewMapping& view, double tolerancePixels)
    : m_placement(placement), m_view(view), m_tolerance(tolerancePixels) {}

std::vector<QPolygonF> CurveSampler::sample(const CurvePath& path) const {
  std::vector<QPolygonF> out;
  for (size_t i = 0; i < path.size(); ++i) {
    const bool joined = i > 0 && path[i - 1].end.isEqualTo(path[i].start);
    if (!joined) {
      out.emplace_back();
      out.back() << map(path[i].start);
    }
    appendSegment(path[i], out.back());
  }
  return out;
}

void CurveSampler::appendSegment(const CurveSegment& s, QPolygonF& out) const {
  if (s.bulge == 0 || !std::isfinite(s.bulge)) {
    out << map(s.end);
    return;
  }
  AcGePoint3d centre;
  double radius = 0;
  arcOfSegment(s, centre, radius);
  const double sweep = 4 * std::atan(s.bulge);
  const double pixelRadius = radius * pixelsPerUnit();
  // The chord of angle a strays r (1 - cos(a/2)) from its arc.
  double step = pixelRadius > m_tolerance ? 2 * std::acos(1 - m_tolerance / pixelRadius) : M_PI / 2;
  const int n = std::clamp(int(std::ceil(std::abs(sweep) / step)), 2, 4096);
  const AcGeVector3d normal = s.normal.normal();
  const AcGeVector3d u = s.start - centre;
  const AcGeVector3d v = normal.crossProduct(u);
  for (int k = 1; k < n; ++k) {
    const double a = sweep * k / n;
    out << map(centre + u * std::cos(a) + v * std::sin(a));
  }
  out << map(s.end);
}

}  // namespace uv::render
