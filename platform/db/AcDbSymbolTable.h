// Base of the symbol tables. A table owns its records in the order they were
// added (its iteration order). Names are compared ignoring letter case.
// Erased records stay in the table (so that unerasing brings them back) but
// are skipped by getAt, has and the iterators unless asked for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "AcDbObject.h"
#include "AcDbSymbolTableIterator.h"
#include "AcDbSymbolTableRecord.h"

class AcDbSymbolTable : public AcDbObject {
 public:
  ACRX_DECLARE_MEMBERS(AcDbSymbolTable);

  Acad::ErrorStatus getAt(const ACHAR* name, AcDbObjectId& id, bool getErasedRecord = false) const;
  Acad::ErrorStatus getAt(const ACHAR* name, AcDbSymbolTableRecord*& rec, AcDb::OpenMode mode,
                          bool openErasedRec = false) const;
  bool has(const ACHAR* name) const;
  bool has(AcDbObjectId id) const;
  // Adds a new record (the table open for write): eDuplicateRecordName,
  // eInvalidInput for a bad name, eWrongObjectType for a record of another
  // table. The record joins the database open for write; close it.
  Acad::ErrorStatus add(AcDbSymbolTableRecord* rec);
  Acad::ErrorStatus add(AcDbObjectId& id, AcDbSymbolTableRecord* rec);
  Acad::ErrorStatus newIterator(AcDbSymbolTableIterator*& it, bool atBeginning = true, bool skipDeleted = true) const;

  // The class of this table's records.
  virtual const AcRxClass* recordClass() const = 0;
  const std::vector<AcDbObjectId>& recordIds() const { return m_records; }
  // Another live record of the name than `except`, or null.
  AcDbObjectId findOther(const ACHAR* name, AcDbObjectId except) const;

  void getOwnedIds(std::vector<AcDbObjectId>& ids) const override;

 protected:
  Acad::ErrorStatus subErase(bool erasing) override;

 private:
  // The first live record of the name among m_records, by a full scan.
  AcDbObjectId scanFor(std::wstring_view name, AcDbObjectId except) const;

  std::vector<AcDbObjectId> m_records;
  // Positions in m_records by the hash of their folded names, so that a
  // lookup (every tagged entity asks for its applications twice) does not
  // compare every name. Extended as records are added; a candidate counts
  // only when its present name matches, and a lookup that finds none scans,
  // so a record renamed since (or brought back by undo under its old name)
  // is still found.
  mutable std::unordered_multimap<std::size_t, std::uint32_t> m_byName;
  mutable std::size_t m_indexed = 0;
  // The last two names answered, as they were asked: tagging asks for the
  // same two applications for every entity it draws. An answer counts only
  // while the table holds as many records as then and its record is still
  // live under that name.
  struct Recent {
    std::wstring name;
    AcDbObjectId id;
    std::size_t records = 0;
  };
  mutable Recent m_recent[2];
  mutable unsigned m_recentNext = 0;
};
