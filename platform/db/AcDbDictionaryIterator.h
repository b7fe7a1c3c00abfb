// Walks the live entries of a dictionary in key order, over the entries
// present when it was made.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "AcDbObject.h"

class AcDbDictionaryIterator {
 public:
  explicit AcDbDictionaryIterator(std::vector<std::pair<std::wstring, AcDbObjectId>> entries);

  const ACHAR* name() const;
  AcDbObjectId objectId() const;
  Acad::ErrorStatus getObject(AcDbObject*& obj, AcDb::OpenMode mode = AcDb::kForRead) const;
  bool done() const { return m_pos >= m_entries.size(); }
  bool next();
  bool setPosition(AcDbObjectId id);

 private:
  std::vector<std::pair<std::wstring, AcDbObjectId>> m_entries;
  size_t m_pos = 0;
};
