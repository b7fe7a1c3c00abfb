// A registered application name, which extended data must carry.
#pragma once

#include "AcDbSymbolTableRecord.h"

class AcDbRegAppTableRecord : public AcDbSymbolTableRecord {
 public:
  ACRX_DECLARE_MEMBERS(AcDbRegAppTableRecord);
  UV_DECLARE_CLONE(AcDbRegAppTableRecord);
};
