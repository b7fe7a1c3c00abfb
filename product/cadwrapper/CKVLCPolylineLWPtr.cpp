#include "product/cadwrapper/CKVLCPolylineLWPtr.h"

Acad::ErrorStatus CKVLCPolylineLWPtr::getVertexPoints(AcGePoint3dArray& points) const {
  points.removeAll();
  if (!isOpen()) return Acad::eNullEntityPointer;
  const AcDbPolyline* pline = object();
  for (unsigned int i = 0; i < pline->numVerts(); ++i) {
    AcGePoint3d p;
    if (pline->getPointAt(i, p) == Acad::eOk) points.append(p);
  }
  return Acad::eOk;
}
