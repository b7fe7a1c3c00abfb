#pragma once

#include "AcDbLayerTableRecord.h"
#include "AcDbTypedSymbolTable.h"

class AcDbLayerTableIterator : public AcDbTypedSymbolTableIterator<AcDbLayerTableRecord> {
 public:
  using AcDbTypedSymbolTableIterator::AcDbTypedSymbolTableIterator;
};

// The layers; layer "0" is always present.
class AcDbLayerTable : public AcDbTypedSymbolTable<AcDbLayerTableRecord, AcDbLayerTableIterator> {
 public:
  ACRX_DECLARE_MEMBERS(AcDbLayerTable);
  UV_DECLARE_CLONE(AcDbLayerTable);
};
