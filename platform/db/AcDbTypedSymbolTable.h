// The part every concrete symbol table shares: getAt and newIterator with
// the table's own record and iterator classes.
#pragma once

#include "AcDbSymbolTable.h"

template <class Record, class Iterator>
class AcDbTypedSymbolTable : public AcDbSymbolTable {
 public:
  using AcDbSymbolTable::getAt;
  using AcDbSymbolTable::newIterator;

  Acad::ErrorStatus getAt(const ACHAR* name, Record*& rec, AcDb::OpenMode mode, bool openErasedRec = false) const {
    rec = nullptr;
    AcDbObjectId id;
    if (const Acad::ErrorStatus es = getAt(name, id, openErasedRec); es != Acad::eOk) return es;
    return acdbOpenObject(rec, id, mode, openErasedRec);
  }
  Acad::ErrorStatus newIterator(Iterator*& it, bool atBeginning = true, bool skipDeleted = true) const {
    it = new Iterator(recordIds(), atBeginning, skipDeleted);
    return Acad::eOk;
  }
  const AcRxClass* recordClass() const override { return Record::desc(); }
};
