#include "product/cadwrapper/CKVLC3dPolylinePtr.h"

#include <memory>

#include "db/AcDbObjectIterator.h"

Acad::ErrorStatus CKVLC3dPolylinePtr::getVertexPoints(AcGePoint3dArray& points) const {
  points.removeAll();
  if (!isOpen()) return Acad::eNullEntityPointer;
  std::unique_ptr<AcDbObjectIterator> it(object()->vertexIterator());
  for (it->start(); !it->done(); it->step()) {
    const AcDb3dPolylineVertex* vertex = AcDb3dPolylineVertex::cast(it->entity());
    if (!vertex || vertex->isErased() || vertex->vertexType() == AcDb::k3dControlVertex) continue;
    points.append(vertex->position());
  }
  return Acad::eOk;
}
