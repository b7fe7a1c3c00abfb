#pragma once

#include "AcDbLinetypeTableRecord.h"
#include "AcDbTypedSymbolTable.h"

class AcDbLinetypeTableIterator : public AcDbTypedSymbolTableIterator<AcDbLinetypeTableRecord> {
 public:
  using AcDbTypedSymbolTableIterator::AcDbTypedSymbolTableIterator;
};

// The linetypes; ByBlock, ByLayer and Continuous are always present.
class AcDbLinetypeTable : public AcDbTypedSymbolTable<AcDbLinetypeTableRecord, AcDbLinetypeTableIterator> {
 public:
  ACRX_DECLARE_MEMBERS(AcDbLinetypeTable);
  UV_DECLARE_CLONE(AcDbLinetypeTable);
};
