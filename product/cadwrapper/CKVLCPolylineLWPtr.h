// A lightweight polyline opened by id.
#pragma once

#include "db/AcDbPolyline.h"
#include "ge/AcGePointArrays.h"
#include "product/cadwrapper/CKVLCObjectPtr.h"

class CKVLCPolylineLWPtr : public CKVLCObjectPtr<AcDbPolyline> {
 public:
  using CKVLCObjectPtr::CKVLCObjectPtr;

  // Replaces `points` with the vertices in order, in world coordinates (at
  // the polyline's elevation). A closed polyline does not repeat its first
  // vertex. eNullEntityPointer when nothing is open (points emptied).
  Acad::ErrorStatus getVertexPoints(AcGePoint3dArray& points) const;
};
