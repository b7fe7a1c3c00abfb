#include "AcDbSymbolTable.h"

#include "base/TextCase.h"
#include "AcDbDatabase.h"
#include "DbAccess.h"

UV_DEFINE_RX_MEMBERS(AcDbSymbolTable, AcDbObject, L"TABLE")

namespace {

wchar_t folded(wchar_t c) {
  if (c >= 0x80) return uv::foldCase(c);
  return (c >= L'A' && c <= L'Z') ? wchar_t(c + 32) : c;
}

std::size_t foldedHash(std::wstring_view name) {
  std::size_t h = 14695981039346656037ull;
  for (wchar_t c : name) h = (h ^ std::size_t(folded(c))) * 1099511628211ull;
  return h;
}

// Callers mostly pass the name as it was registered: that compare is cheap.
bool sameName(std::wstring_view a, std::wstring_view b) { return a == b || uv::equalsNoCase(a, b); }

}  // namespace

AcDbObjectId AcDbSymbolTable::scanFor(std::wstring_view name, AcDbObjectId except) const {
  for (const AcDbObjectId& id : m_records) {
    auto* rec = uv::DbAccess::peekAs<AcDbSymbolTableRecord>(id);
    if (id != except && rec && !rec->isErased() && uv::equalsNoCase(rec->nameText(), name)) return id;
  }
  return {};
}

AcDbObjectId AcDbSymbolTable::findOther(const ACHAR* name, AcDbObjectId except) const {
  if (!name) return {};
  const std::wstring_view key(name);
  if (except.isNull())
    for (const Recent& r : m_recent)
      if (r.records == m_records.size() && !r.id.isNull() && r.name == key)
        if (auto* rec = uv::DbAccess::peekAs<AcDbSymbolTableRecord>(r.id); rec && !rec->isErased() && rec->nameText() == key)
          return r.id;
  for (; m_indexed < m_records.size(); ++m_indexed) {
    auto* rec = uv::DbAccess::peekAs<AcDbSymbolTableRecord>(m_records[m_indexed]);
    if (rec) m_byName.emplace(foldedHash(rec->nameText()), std::uint32_t(m_indexed));
  }
  // The first in table order, as the scan would answer.
  std::size_t first = m_records.size();
  const auto [from, to] = m_byName.equal_range(foldedHash(key));
  for (auto it = from; it != to; ++it) {
    const std::size_t at = it->second;
    if (at >= first) continue;
    const AcDbObjectId id = m_records[at];
    auto* rec = uv::DbAccess::peekAs<AcDbSymbolTableRecord>(id);
    if (id != except && rec && !rec->isErased() && sameName(rec->nameText(), key)) first = at;
  }
  const AcDbObjectId found = first < m_records.size() ? m_records[first] : scanFor(key, except);
  if (except.isNull() && !found.isNull()) m_recent[m_recentNext++ % 2] = {std::wstring(key), found, m_records.size()};
  return found;
}

Acad::ErrorStatus AcDbSymbolTable::getAt(const ACHAR* name, AcDbObjectId& id, bool getErasedRecord) const {
  id = findOther(name, AcDbObjectId());
  if (!id.isNull()) return Acad::eOk;
  if (getErasedRecord && name) {
    for (const AcDbObjectId& rid : m_records) {
      auto* rec = uv::DbAccess::peekAs<AcDbSymbolTableRecord>(rid);
      if (rec && uv::equalsNoCase(rec->nameText(), name)) {
        id = rid;
        return Acad::eOk;
      }
    }
  }
  return Acad::eKeyNotFound;
}

Acad::ErrorStatus AcDbSymbolTable::getAt(const ACHAR* name, AcDbSymbolTableRecord*& rec, AcDb::OpenMode mode,
                                         bool openErasedRec) const {
  rec = nullptr;
  AcDbObjectId id;
  if (const Acad::ErrorStatus es = getAt(name, id, openErasedRec); es != Acad::eOk) return es;
  return acdbOpenObject(rec, id, mode, openErasedRec);
}

bool AcDbSymbolTable::has(const ACHAR* name) const { return !findOther(name, AcDbObjectId()).isNull(); }

bool AcDbSymbolTable::has(AcDbObjectId id) const {
  for (const AcDbObjectId& rid : m_records)
    if (rid == id) return !id.isErased();
  return false;
}

Acad::ErrorStatus AcDbSymbolTable::add(AcDbSymbolTableRecord* rec) {
  AcDbObjectId id;
  return add(id, rec);
}

Acad::ErrorStatus AcDbSymbolTable::add(AcDbObjectId& id, AcDbSymbolTableRecord* rec) {
  if (!rec) return Acad::eNullEntityPointer;
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (!database()) return Acad::eNotInDatabase;
  if (!rec->objectId().isNull()) return Acad::eAlreadyInDb;
  if (!rec->isKindOf(recordClass())) return Acad::eWrongObjectType;
  if (!AcDbSymbolTableRecord::isValidName(rec->nameText().c_str())) return Acad::eInvalidInput;
  if (has(rec->nameText().c_str())) return Acad::eDuplicateRecordName;
  uv::DbAccess::setOwner(*rec, objectId());
  if (const Acad::ErrorStatus es = database()->addAcDbObject(id, rec); es != Acad::eOk) {
    uv::DbAccess::setOwner(*rec, AcDbObjectId());
    return es;
  }
  m_records.push_back(id);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTable::newIterator(AcDbSymbolTableIterator*& it, bool atBeginning, bool skipDeleted) const {
  it = new AcDbSymbolTableIterator(m_records, atBeginning, skipDeleted);
  return Acad::eOk;
}

void AcDbSymbolTable::getOwnedIds(std::vector<AcDbObjectId>& ids) const {
  ids.insert(ids.end(), m_records.begin(), m_records.end());
}

Acad::ErrorStatus AcDbSymbolTable::subErase(bool) { return Acad::eNotApplicable; }
