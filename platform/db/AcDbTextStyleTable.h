#pragma once

#include "AcDbTextStyleTableRecord.h"
#include "AcDbTypedSymbolTable.h"

class AcDbTextStyleTableIterator : public AcDbTypedSymbolTableIterator<AcDbTextStyleTableRecord> {
 public:
  using AcDbTypedSymbolTableIterator::AcDbTypedSymbolTableIterator;
};

// The text styles; "Standard" is always present.
class AcDbTextStyleTable : public AcDbTypedSymbolTable<AcDbTextStyleTableRecord, AcDbTextStyleTableIterator> {
 public:
  ACRX_DECLARE_MEMBERS(AcDbTextStyleTable);
  UV_DECLARE_CLONE(AcDbTextStyleTable);
};
