// A 2D (heavy) polyline opened by id.
#pragma once

#include "db/AcDb2dPolyline.h"
#include "ge/AcGePointArrays.h"
#include "product/cadwrapper/CKVLCObjectPtr.h"

class CKVLC2dPolylinePtr : public CKVLCObjectPtr<AcDb2dPolyline> {
 public:
  using CKVLCObjectPtr::CKVLCObjectPtr;

  // Replaces `points` with the positions of the vertices in order, in world
  // coordinates (at the polyline's elevation). Erased vertices and the
  // control points of a spline frame are left out: they are not on the
  // drawn line. eNullEntityPointer when nothing is open (points emptied).
  Acad::ErrorStatus getVertexPoints(AcGePoint3dArray& points) const;
};
