// Walks the records of a symbol table in table order. The iterator works on
// the records present when it was made; erased ones are skipped when asked.
#pragma once

#include <vector>

#include "AcDbObject.h"
#include "IdCursor.h"

class AcDbSymbolTableRecord;

class AcDbSymbolTableIterator {
 public:
  AcDbSymbolTableIterator(std::vector<AcDbObjectId> ids, bool atBeginning, bool skipDeleted);
  virtual ~AcDbSymbolTableIterator() = default;

  void start(bool atBeginning = true, bool skipDeleted = true) { m_cursor.start(atBeginning, skipDeleted); }
  bool done() const { return m_cursor.done(); }
  void step(bool forward = true, bool skipDeleted = true) { m_cursor.step(forward, skipDeleted); }
  Acad::ErrorStatus getRecordId(AcDbObjectId& id) const;
  Acad::ErrorStatus getRecord(AcDbSymbolTableRecord*& rec, AcDb::OpenMode mode = AcDb::kForRead,
                              bool openErasedRec = false) const;
  // Moves to the record id (eKeyNotFound when the table did not hold it).
  Acad::ErrorStatus seek(AcDbObjectId id) { return m_cursor.seek(id) ? Acad::eOk : Acad::eKeyNotFound; }

 protected:
  AcDbObjectId current() const { return m_cursor.current(); }

 private:
  uv::IdCursor m_cursor;
};

// The iterator of one table, opening its records as their own class.
template <class Record>
class AcDbTypedSymbolTableIterator : public AcDbSymbolTableIterator {
 public:
  using AcDbSymbolTableIterator::AcDbSymbolTableIterator;
  using AcDbSymbolTableIterator::getRecord;
  Acad::ErrorStatus getRecord(Record*& rec, AcDb::OpenMode mode = AcDb::kForRead, bool openErasedRec = false) const {
    rec = nullptr;
    if (done()) return Acad::eInvalidIndex;
    return acdbOpenObject(rec, current(), mode, openErasedRec);
  }
};
