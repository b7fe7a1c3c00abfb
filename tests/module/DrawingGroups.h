// The groups of a drawing with their members, for the tests of what the
// dialogs draw.
#pragma once

#include <memory>
#include <vector>

#include "db/AcDbDatabase.h"
#include "db/AcDbDictionary.h"
#include "db/AcDbDictionaryIterator.h"
#include "db/AcDbGroup.h"
#include "db/AcDbObjectPointer.h"

namespace uvtest {

inline std::vector<AcDbObjectIdArray> groupsOf(AcDbDatabase* db) {
  std::vector<AcDbObjectIdArray> out;
  AcDbObjectPointer<AcDbDictionary> dict(db->groupDictionaryId(), AcDb::kForRead);
  std::unique_ptr<AcDbDictionaryIterator> it(dict->newIterator());
  for (; !it->done(); it->next()) {
    AcDbObjectPointer<AcDbGroup> g(it->objectId(), AcDb::kForRead);
    out.emplace_back();
    g->allEntityIds(out.back());
  }
  return out;
}

}  // namespace uvtest
