#include "AcDbDictionaryIterator.h"

AcDbDictionaryIterator::AcDbDictionaryIterator(std::vector<std::pair<std::wstring, AcDbObjectId>> entries)
    : m_entries(std::move(entries)) {}

const ACHAR* AcDbDictionaryIterator::name() const { return done() ? nullptr : m_entries[m_pos].first.c_str(); }

AcDbObjectId AcDbDictionaryIterator::objectId() const { return done() ? AcDbObjectId() : m_entries[m_pos].second; }

Acad::ErrorStatus AcDbDictionaryIterator::getObject(AcDbObject*& obj, AcDb::OpenMode mode) const {
  obj = nullptr;
  if (done()) return Acad::eInvalidIndex;
  return acdbOpenAcDbObject(obj, m_entries[m_pos].second, mode);
}

bool AcDbDictionaryIterator::next() {
  if (!done()) ++m_pos;
  return !done();
}

bool AcDbDictionaryIterator::setPosition(AcDbObjectId id) {
  for (size_t i = 0; i < m_entries.size(); ++i)
    if (m_entries[i].second == id) {
      m_pos = i;
      return true;
    }
  return false;
}
