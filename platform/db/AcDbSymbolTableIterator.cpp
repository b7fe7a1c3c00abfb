#include "AcDbSymbolTableIterator.h"

#include "AcDbSymbolTableRecord.h"

AcDbSymbolTableIterator::AcDbSymbolTableIterator(std::vector<AcDbObjectId> ids, bool atBeginning, bool skipDeleted)
    : m_cursor(std::move(ids)) {
  m_cursor.start(atBeginning, skipDeleted);
}

Acad::ErrorStatus AcDbSymbolTableIterator::getRecordId(AcDbObjectId& id) const {
  if (done()) return Acad::eInvalidIndex;
  id = current();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableIterator::getRecord(AcDbSymbolTableRecord*& rec, AcDb::OpenMode mode,
                                                     bool openErasedRec) const {
  rec = nullptr;
  if (done()) return Acad::eInvalidIndex;
  return acdbOpenObject(rec, current(), mode, openErasedRec);
}
