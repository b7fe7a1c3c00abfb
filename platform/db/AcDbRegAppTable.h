#pragma once

#include "AcDbRegAppTableRecord.h"
#include "AcDbTypedSymbolTable.h"

class AcDbRegAppTableIterator : public AcDbTypedSymbolTableIterator<AcDbRegAppTableRecord> {
 public:
  using AcDbTypedSymbolTableIterator::AcDbTypedSymbolTableIterator;
};

// The registered applications; "ACAD" is always present.
class AcDbRegAppTable : public AcDbTypedSymbolTable<AcDbRegAppTableRecord, AcDbRegAppTableIterator> {
 public:
  ACRX_DECLARE_MEMBERS(AcDbRegAppTable);
  UV_DECLARE_CLONE(AcDbRegAppTable);
};

// Registers an application name in the working database: RTNORM when it was
// added, RTERROR when it was there already (nothing changes) or cannot be
// added (no working database, an invalid name).
int acdbRegApp(const ACHAR* appName);
