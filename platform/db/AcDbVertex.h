// Base of the vertices of 2D and 3D polylines, which their polyline owns.
#pragma once

#include "AcDbEntity.h"

class AcDbVertex : public AcDbEntity {
 public:
  ACRX_DECLARE_MEMBERS(AcDbVertex);
  UV_DECLARE_CLONE(AcDbVertex);
};
