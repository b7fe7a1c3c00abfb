// The names of a symbol table's live records, in table order.
#pragma once

#include "base/CStringArray.h"
#include "db/AcDbSymbolTable.h"

namespace uv::cadwrapper {

// Replaces `names`; returns their count (0 for a null table).
inline int recordNames(const AcDbSymbolTable* table, CStringArray& names) {
  names.RemoveAll();
  if (!table) return 0;
  for (AcDbObjectId id : table->recordIds()) {
    AcDbSymbolTableRecord* record = nullptr;
    if (acdbOpenObject(record, id, AcDb::kForRead) != Acad::eOk) continue;  // erased
    names.Add(record->nameText().c_str());
    record->close();
  }
  return names.GetSize();
}

}  // namespace uv::cadwrapper
