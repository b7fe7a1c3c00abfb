#include "AcDbBlockTableRecordIterator.h"

AcDbBlockTableRecordIterator::AcDbBlockTableRecordIterator(AcDbObjectId block, std::vector<AcDbObjectId> ids,
                                                           bool atBeginning, bool skipDeleted)
    : m_block(block), m_cursor(std::move(ids)) {
  m_cursor.start(atBeginning, skipDeleted);
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::getEntityId(AcDbObjectId& id) const {
  if (done()) return Acad::eInvalidIndex;
  id = m_cursor.current();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::getEntity(AcDbEntity*& ent, AcDb::OpenMode mode, bool openErased) const {
  ent = nullptr;
  if (done()) return Acad::eInvalidIndex;
  return acdbOpenObject(ent, m_cursor.current(), mode, openErased);
}
