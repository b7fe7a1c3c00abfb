#include "module/projection/DrapePath.h"

#include <cmath>
#include <memory>

#include "db/AcDb2dPolyline.h"
#include "db/AcDbArc.h"
#include "db/AcDbLine.h"
#include "db/AcDbObjectIterator.h"
#include "ed/AdsUtilities.h"
#include "product/cadwrapper/CKVLC3dPolylinePtr.h"
#include "product/cadwrapper/CKVLCObjectPtr.h"
#include "product/cadwrapper/CKVLCPolylineLWPtr.h"

namespace uv::projection {

namespace {

double angleFrom(const AcGePoint3d& centre, const AcGePoint3d& p) {
  const ads_point c = {centre.x, centre.y, centre.z};
  const ads_point q = {p.x, p.y, p.z};
  return acutAngle(c, q);
}

int restart(AcGePoint3dArray& points, AcGeDoubleArray& bulges) {
  points.removeAll();
  bulges.removeAll();
  return 0;
}

}  // namespace

double ArcBulge(double a1, double a2) {
  const double quarter = std::fabs(a2 - a1) / 4.0;
  // Below a1 the end lies past the zero angle: the arc spans 2 pi - (a1 - a2),
  // and tan((2 pi - d) / 4) = 1 / tan(d / 4).
  return a2 >= a1 ? std::tan(quarter) : 1.0 / std::tan(quarter);
}

int LinePath(const AcDbLine& line, AcGePoint3dArray& points, AcGeDoubleArray& bulges) {
  restart(points, bulges);
  points.append(line.startPoint());
  points.append(line.endPoint());
  bulges.append(0.0);
  bulges.append(0.0);
  return points.length();
}

int ArcPath(const AcDbArc& arc, AcGePoint3dArray& points, AcGeDoubleArray& bulges) {
  restart(points, bulges);
  AcGePoint3d start, end;
  if (arc.getStartPoint(start) != Acad::eOk || arc.getEndPoint(end) != Acad::eOk) return 0;
  const double bulge = ArcBulge(angleFrom(arc.center(), start), angleFrom(arc.center(), end));
  points.append(start);
  points.append(end);
  bulges.append(bulge);
  bulges.append(bulge);
  return points.length();
}

int LwPolylinePath(const CKVLCPolylineLWPtr& polyline, AcGePoint3dArray& points, AcGeDoubleArray& bulges) {
  restart(points, bulges);
  if (polyline.getVertexPoints(points) != Acad::eOk) return restart(points, bulges);
  for (int i = 0; i < points.length(); ++i) {
    double bulge = 0.0;
    if (polyline->getBulgeAt(unsigned(i), bulge) != Acad::eOk) bulge = 0.0;
    bulges.append(bulge);
  }
  return points.length();
}

int Polyline2dPath(const AcDb2dPolyline& polyline, AcGePoint3dArray& points, AcGeDoubleArray& bulges) {
  restart(points, bulges);
  std::unique_ptr<AcDbObjectIterator> it(polyline.vertexIterator());
  for (it->start(); !it->done(); it->step()) {
    CKVLCObjectPtr<AcDb2dVertex> vertex(it->objectId());
    if (!vertex.isOpen()) continue;
    points.append(polyline.vertexPosition(*vertex.object()));
    bulges.append(vertex->bulge());
  }
  return points.length();
}

int Polyline3dPath(const CKVLC3dPolylinePtr& polyline, AcGePoint3dArray& points, AcGeDoubleArray& bulges) {
  restart(points, bulges);
  if (polyline.getVertexPoints(points) != Acad::eOk) return restart(points, bulges);
  for (int i = 0; i < points.length(); ++i) bulges.append(0.0);
  return points.length();
}

}  // namespace uv::projection
