#include "AcDbDictionary.h"

#include <algorithm>

#include "base/TextCase.h"
#include "AcDbDatabase.h"
#include "AcDbDictionaryIterator.h"
#include "DbAccess.h"
#include "resbuf.h"

UV_DEFINE_RX_MEMBERS(AcDbDictionary, AcDbObject, L"DICTIONARY")

bool AcDbDictionary::KeyLess::operator()(const std::wstring& a, const std::wstring& b) const {
  return uv::compareNoCase(a, b) < 0;
}

Acad::ErrorStatus AcDbDictionary::getAt(const ACHAR* key, AcDbObjectId& id) const {
  id.setNull();
  if (!key) return Acad::eInvalidKey;
  auto it = m_entries.find(key);
  if (it == m_entries.end() || it->second.id.isErased()) return Acad::eKeyNotFound;
  id = it->second.id;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbDictionary::getAt(const ACHAR* key, AcDbObject*& obj, AcDb::OpenMode mode) const {
  obj = nullptr;
  AcDbObjectId id;
  if (const Acad::ErrorStatus es = getAt(key, id); es != Acad::eOk) return es;
  return acdbOpenAcDbObject(obj, id, mode);
}

Acad::ErrorStatus AcDbDictionary::nameAt(AcDbObjectId id, ACHAR*& key) const {
  const ACHAR* k = keyOf(id);
  key = k ? uv::newResString(k) : nullptr;
  return k ? Acad::eOk : Acad::eKeyNotFound;
}

const ACHAR* AcDbDictionary::keyOf(AcDbObjectId id) const {
  for (const auto& [k, v] : m_entries)
    if (v.id == id) return k.c_str();
  return nullptr;
}

bool AcDbDictionary::has(const ACHAR* key) const {
  AcDbObjectId id;
  return getAt(key, id) == Acad::eOk;
}

bool AcDbDictionary::has(AcDbObjectId id) const {
  for (const auto& [k, v] : m_entries)
    if (v.id == id) return !id.isErased();
  return false;
}

Adesk::UInt32 AcDbDictionary::numEntries() const {
  Adesk::UInt32 n = 0;
  for (const auto& [k, v] : m_entries)
    if (!v.id.isErased()) ++n;
  return n;
}

Acad::ErrorStatus AcDbDictionary::setAt(const ACHAR* key, AcDbObject* value, AcDbObjectId& id) {
  if (!value) return Acad::eNullEntityPointer;
  if (!key || !*key) return Acad::eInvalidKey;
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (!database()) return Acad::eNotInDatabase;
  const bool resident = !value->objectId().isNull();
  if (resident) {
    // An object of this database without an owner may be filed here.
    if (value->database() != database()) return Acad::eWrongDatabase;
    if (!value->ownerId().isNull() && value->ownerId() != objectId()) return Acad::eAlreadyInDb;
    if (has(value->objectId())) return Acad::eAlreadyInDb;
  }
  auto it = m_entries.find(key);
  if (it != m_entries.end() && it->second.id == value->objectId() && resident) {
    id = it->second.id;
    return Acad::eOk;
  }
  uv::DbAccess::setOwner(*value, objectId());
  if (!resident) {
    if (const Acad::ErrorStatus es = database()->addAcDbObject(id, value); es != Acad::eOk) {
      uv::DbAccess::setOwner(*value, AcDbObjectId());
      return es;
    }
  } else {
    id = value->objectId();
  }
  if (it != m_entries.end()) {
    // The old object is replaced: erased if it was live, and no longer ours.
    if (AcDbObject* old = uv::DbAccess::peek(it->second.id)) {
      if (!old->isErased()) uv::DbAccess::setErasedTree(*old, true, false);
      uv::DbAccess::setOwner(*old, AcDbObjectId());
    }
    it->second.id = id;
  } else {
    m_entries.emplace(key, Slot{id, m_added++});
  }
  return Acad::eOk;
}

Acad::ErrorStatus AcDbDictionary::remove(const ACHAR* key) {
  AcDbObjectId id;
  return remove(key, id);
}

Acad::ErrorStatus AcDbDictionary::remove(const ACHAR* key, AcDbObjectId& id) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (const Acad::ErrorStatus es = getAt(key, id); es != Acad::eOk) return es;
  m_entries.erase(key);
  if (AcDbObject* o = uv::DbAccess::peek(id)) uv::DbAccess::setOwner(*o, AcDbObjectId());
  return Acad::eOk;
}

Acad::ErrorStatus AcDbDictionary::remove(AcDbObjectId id) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
    if (it->second.id != id || id.isErased()) continue;
    m_entries.erase(it);
    if (AcDbObject* o = uv::DbAccess::peek(id)) uv::DbAccess::setOwner(*o, AcDbObjectId());
    return Acad::eOk;
  }
  return Acad::eKeyNotFound;
}

Acad::ErrorStatus AcDbDictionary::setName(const ACHAR* oldKey, const ACHAR* newKey) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (!newKey || !*newKey) return Acad::eInvalidKey;
  AcDbObjectId id;
  if (const Acad::ErrorStatus es = getAt(oldKey, id); es != Acad::eOk) return es;
  auto other = m_entries.find(newKey);
  if (other != m_entries.end() && other->second.id != id) {
    if (!other->second.id.isErased()) return Acad::eDuplicateKey;
    if (AcDbObject* o = uv::DbAccess::peek(other->second.id)) uv::DbAccess::setOwner(*o, AcDbObjectId());
    m_entries.erase(other);
  }
  // A renamed entry keeps its place in the order of adding.
  const std::uint64_t added = m_entries.find(oldKey)->second.added;
  m_entries.erase(oldKey);
  m_entries.emplace(newKey, Slot{id, added});
  return Acad::eOk;
}

AcDbDictionaryIterator* AcDbDictionary::newIterator() const {
  std::vector<std::pair<std::wstring, AcDbObjectId>> live;
  for (const auto& [k, v] : m_entries)
    if (!v.id.isErased()) live.emplace_back(k, v.id);
  return new AcDbDictionaryIterator(std::move(live));
}

std::vector<std::pair<std::wstring, AcDbObjectId>> AcDbDictionary::entriesInOrderAdded() const {
  std::vector<const std::pair<const std::wstring, Slot>*> live;
  for (const auto& entry : m_entries)
    if (!entry.second.id.isErased()) live.push_back(&entry);
  std::sort(live.begin(), live.end(), [](const auto* a, const auto* b) { return a->second.added < b->second.added; });
  std::vector<std::pair<std::wstring, AcDbObjectId>> out;
  out.reserve(live.size());
  for (const auto* entry : live) out.emplace_back(entry->first, entry->second.id);
  return out;
}

void AcDbDictionary::getOwnedIds(std::vector<AcDbObjectId>& ids) const {
  for (const auto& [k, v] : m_entries) ids.push_back(v.id);
}

Acad::ErrorStatus AcDbDictionary::subErase(bool erasing) {
  if (erasing && database() && database()->isBuiltInObject(objectId())) return Acad::eNotApplicable;
  return Acad::eOk;
}
