// A 3D polyline opened by id.
#pragma once

#include "db/AcDb3dPolyline.h"
#include "ge/AcGePointArrays.h"
#include "product/cadwrapper/CKVLCObjectPtr.h"

class CKVLC3dPolylinePtr : public CKVLCObjectPtr<AcDb3dPolyline> {
 public:
  using CKVLCObjectPtr::CKVLCObjectPtr;

  // Replaces `points` with the vertex positions in order. Erased vertices
  // and the control points of a spline frame are left out.
  // eNullEntityPointer when nothing is open (points emptied).
  Acad::ErrorStatus getVertexPoints(AcGePoint3dArray& points) const;
};
