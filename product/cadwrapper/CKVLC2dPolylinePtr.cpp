#include "product/cadwrapper/CKVLC2dPolylinePtr.h"

#include <memory>

#include "db/AcDbObjectIterator.h"

Acad::ErrorStatus CKVLC2dPolylinePtr::getVertexPoints(AcGePoint3dArray& points) const {
  points.removeAll();
  if (!isOpen()) return Acad::eNullEntityPointer;
  const AcDb2dPolyline* pline = object();
  std::unique_ptr<AcDbObjectIterator> it(pline->vertexIterator());
  for (it->start(); !it->done(); it->step()) {
    const AcDb2dVertex* vertex = AcDb2dVertex::cast(it->entity());
    if (!vertex || vertex->isErased() || vertex->vertexType() == AcDb::k2dSplineCtlVertex) continue;
    points.append(pline->vertexPosition(*vertex));
  }
  return Acad::eOk;
}
