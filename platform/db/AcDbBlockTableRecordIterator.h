// Walks the entities of a block in drawing order, over the entities present
// when it was made.
#pragma once

#include "AcDbEntity.h"
#include "IdCursor.h"

class AcDbBlockTableRecord;

class AcDbBlockTableRecordIterator {
 public:
  AcDbBlockTableRecordIterator(AcDbObjectId block, std::vector<AcDbObjectId> ids, bool atBeginning, bool skipDeleted);

  void start(bool atBeginning = true, bool skipDeleted = true) { m_cursor.start(atBeginning, skipDeleted); }
  bool done() const { return m_cursor.done(); }
  void step(bool forward = true, bool skipDeleted = true) { m_cursor.step(forward, skipDeleted); }
  Acad::ErrorStatus getEntityId(AcDbObjectId& id) const;
  Acad::ErrorStatus getEntity(AcDbEntity*& ent, AcDb::OpenMode mode = AcDb::kForRead, bool openErased = false) const;
  Acad::ErrorStatus seek(AcDbObjectId id) { return m_cursor.seek(id) ? Acad::eOk : Acad::eKeyNotFound; }
  AcDbObjectId blockTableRecordId() const { return m_block; }

 private:
  AcDbObjectId m_block;
  uv::IdCursor m_cursor;
};
