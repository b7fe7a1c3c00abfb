// Base of the curve entities: start and end points and closedness, from the
// entity's pieces.
#pragma once

#include "AcDbEntity.h"

class AcDbCurve : public AcDbEntity {
 public:
  ACRX_DECLARE_MEMBERS(AcDbCurve);
  UV_DECLARE_CLONE(AcDbCurve);
  virtual bool isClosed() const { return false; }
  // eDegenerateGeometry for a curve without pieces.
  virtual Acad::ErrorStatus getStartPoint(AcGePoint3d& p) const;
  virtual Acad::ErrorStatus getEndPoint(AcGePoint3d& p) const;
};
