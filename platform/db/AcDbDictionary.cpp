#include "AcDbDictionary.h"

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
  if (it == m_entries.end() || it->second.isErased()) return Acad::eKeyNotFound;
  id = it->second;
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
    if (v == id) return k.c_str();
  return nullptr;
}

bool AcDbDictionary::has(const ACHAR* key) const {
  AcDbObjectId id;
  return getAt(key, id) == Acad::eOk;
}

bool AcDbDictionary::has(AcDbObjectId id) const {
  for (const auto& [k, v] : m_entries)
    if (v == id) return !id.isErased();
  return false;
}

Adesk::UInt32 AcDbDictionary::numEntries() const {
  Adesk::UInt32 n = 0;
  for (const auto& [k, v] : m_entries)
    if (!v.isErased()) ++n;
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
  if (it != m_entries.end() && it->second == value->objectId() && resident) {
    id = it->second;
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
    if (AcDbObject* old = uv::DbAccess::peek(it->second)) {
      if (!old->isErased()) uv::DbAccess::setErasedTree(*old, true, false);
      uv::DbAccess::setOwner(*old, AcDbObjectId());
    }
    it->second = id;
  } else {
    m_entries.emplace(key, id);
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
    if (it->second != id || id.isErased()) continue;
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
  if (other != m_entries.end() && other->second != id) {
    if (!other->second.isErased()) return Acad::eDuplicateKey;
    if (AcDbObject* o = uv::DbAccess::peek(other->second)) uv::DbAccess::setOwner(*o, AcDbObjectId());
    m_entries.erase(other);
  }
  m_entries.erase(oldKey);
  m_entries.emplace(newKey, id);
  return Acad::eOk;
}

AcDbDictionaryIterator* AcDbDictionary::newIterator() const {
  std::vector<std::pair<std::wstring, AcDbObjectId>> live;
  for (const auto& [k, v] : m_entries)
    if (!v.isErased()) live.emplace_back(k, v);
  return new AcDbDictionaryIterator(std::move(live));
}

void AcDbDictionary::getOwnedIds(std::vector<AcDbObjectId>& ids) const {
  for (const auto& [k, v] : m_entries) ids.push_back(v);
}

Acad::ErrorStatus AcDbDictionary::subErase(bool erasing) {
  if (erasing && database() && database()->isBuiltInObject(objectId())) return Acad::eNotApplicable;
  return Acad::eOk;
}
