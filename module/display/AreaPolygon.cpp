#include "module/display/AreaPolygon.h"

namespace uv::display {

void CloseAreaPolygon(AcGePoint3dArray& polygon) {
  if (polygon.isEmpty()) return;
  if (polygon.first().distanceTo(polygon.last()) > kCloseTolerance) polygon.append(polygon.first());
}

AcGePoint3dArray ViewRectangle(const AcGePoint3d& centre, double viewHeight, double screenWidth,
                               double screenHeight) {
  const double w = screenWidth / screenHeight * viewHeight * 0.5;
  const double h = viewHeight * 0.5;
  const double llx = centre.x - w, lly = centre.y - h, urx = centre.x + w, ury = centre.y + h;
  AcGePoint3dArray rectangle;
  rectangle.append(AcGePoint3d(urx, ury, 0));
  rectangle.append(AcGePoint3d(urx, lly, 0));
  rectangle.append(AcGePoint3d(llx, lly, 0));
  rectangle.append(AcGePoint3d(llx, ury, 0));
  rectangle.append(AcGePoint3d(urx, ury, 0));
  return rectangle;
}

}  // namespace uv::display

bool IsInsidePolygon(const AcGePoint3dArray& polygon, const AcGePoint3d& p) {
  const int n = polygon.length();
  if (n == 0) return false;
  bool inside = false;
  const AcGePoint3d* v = &polygon.first();  // contiguous: the walk asks this for every grid corner
  for (int i = 0, j = n - 1; i < n; j = i++) {
    const double xi = v[i].x, yi = v[i].y, xj = v[j].x, yj = v[j].y;
    if ((yi <= p.y && p.y < yj) || (yj <= p.y && p.y < yi)) {
      const double xc = (p.y - yi) * (xj - xi) / (yj - yi) + xi;
      if (xc > p.x) inside = !inside;
    }
  }
  return inside;
}
