#pragma once

#include "AcDbBlockTableRecord.h"
#include "AcDbTypedSymbolTable.h"

class AcDbBlockTableIterator : public AcDbTypedSymbolTableIterator<AcDbBlockTableRecord> {
 public:
  using AcDbTypedSymbolTableIterator::AcDbTypedSymbolTableIterator;
};

// The block definitions; *Model_Space and *Paper_Space are always present.
class AcDbBlockTable : public AcDbTypedSymbolTable<AcDbBlockTableRecord, AcDbBlockTableIterator> {
 public:
  ACRX_DECLARE_MEMBERS(AcDbBlockTable);
  UV_DECLARE_CLONE(AcDbBlockTable);
};
