#include "AcDbGroup.h"

#include <algorithm>
#include <unordered_set>

#include "AcDbDictionary.h"
#include "AcDbEntity.h"
#include "DbAccess.h"
#include "resbuf.h"

UV_DEFINE_RX_MEMBERS(AcDbGroup, AcDbObject, L"GROUP")

AcDbGroup::AcDbGroup(const ACHAR* description, bool selectable)
    : m_description(description ? description : L""), m_selectable(selectable) {}

const ACHAR* AcDbGroup::name() const {
  if (auto* dict = uv::DbAccess::peekAs<AcDbDictionary>(ownerId()))
    if (const ACHAR* key = dict->keyOf(objectId())) return key;
  return m_name.c_str();
}

Acad::ErrorStatus AcDbGroup::getName(ACHAR*& out) const {
  out = uv::newResString(name());
  return Acad::eOk;
}

Acad::ErrorStatus AcDbGroup::setName(const ACHAR* newName) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (!newName || !*newName) return Acad::eInvalidInput;
  if (auto* dict = uv::DbAccess::peekAs<AcDbDictionary>(ownerId())) {
    if (const ACHAR* key = dict->keyOf(objectId())) {
      // The dictionary is changed on the group's behalf, as the host does.
      const std::wstring oldKey = key;
      const bool wasWriter = uv::DbAccess::writer(*dict);
      uv::DbAccess::openForWrite(*dict);
      const Acad::ErrorStatus es = dict->setName(oldKey.c_str(), newName);
      if (!wasWriter) uv::DbAccess::closeWriter(*dict);
      return es;
    }
  }
  m_name = newName;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbGroup::setDescription(const ACHAR* text) { return setWritable(m_description, text ? text : L""); }

Acad::ErrorStatus AcDbGroup::setSelectable(bool selectable) { return setWritable(m_selectable, selectable); }

bool AcDbGroup::isAnonymous() const { return name()[0] == L'*'; }

Acad::ErrorStatus AcDbGroup::checkMember(AcDbObjectId id) const {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (id.isNull()) return Acad::eNullObjectId;
  AcDbObject* o = uv::DbAccess::peek(id);
  if (!o) return Acad::eKeyNotFound;
  if (!o->isKindOf(AcDbEntity::desc())) return Acad::eNotThatKindOfClass;
  if (o->isErased()) return Acad::eWasErased;
  if (database() && id.database() != database()) return Acad::eWrongDatabase;
  if (!m_ids.empty() && m_ids.front().database() != id.database()) return Acad::eWrongDatabase;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbGroup::append(AcDbObjectId id) {
  if (const Acad::ErrorStatus es = checkMember(id); es != Acad::eOk) return es;
  if (std::find(m_ids.begin(), m_ids.end(), id) != m_ids.end()) return Acad::eDuplicateKey;
  m_ids.push_back(id);
  return Acad::eOk;
}

// As appending one by one, but the duplicate check goes through a set, so
// that a group of a million drawn faces is made in linear time.
Acad::ErrorStatus AcDbGroup::append(const AcDbObjectIdArray& ids) {
  std::unordered_set<AcDbObjectId> present(m_ids.begin(), m_ids.end());
  m_ids.reserve(m_ids.size() + size_t(ids.length()));
  for (const AcDbObjectId& id : ids) {
    if (const Acad::ErrorStatus es = checkMember(id); es != Acad::eOk) return es;
    if (!present.insert(id).second) return Acad::eDuplicateKey;
    m_ids.push_back(id);
  }
  return Acad::eOk;
}

Acad::ErrorStatus AcDbGroup::remove(AcDbObjectId id) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  auto it = std::find(m_ids.begin(), m_ids.end(), id);
  if (it == m_ids.end()) return Acad::eKeyNotFound;
  m_ids.erase(it);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbGroup::clear() {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  m_ids.clear();
  return Acad::eOk;
}

bool AcDbGroup::has(AcDbObjectId id) const {
  return !id.isErased() && std::find(m_ids.begin(), m_ids.end(), id) != m_ids.end();
}

bool AcDbGroup::has(const AcDbEntity* entity) const { return entity && has(entity->objectId()); }

Adesk::UInt32 AcDbGroup::numEntities() const {
  AcDbObjectIdArray ids;
  return allEntityIds(ids);
}

Adesk::UInt32 AcDbGroup::allEntityIds(AcDbObjectIdArray& ids) const {
  ids.removeAll();
  for (const AcDbObjectId& id : m_ids)
    if (!id.isErased()) ids.append(id);
  return Adesk::UInt32(ids.length());
}

void AcDbGroup::getReferences(std::vector<uv::ObjectReference>& refs) const {
  for (const AcDbObjectId& id : m_ids) refs.push_back({id, "group member", AcDbEntity::desc(), true});
}

Acad::ErrorStatus AcDbGroup::subPrepareAdd(AcDbDatabase* db) {
  for (const AcDbObjectId& id : m_ids)
    if (id.database() != db) return Acad::eWrongDatabase;
  return Acad::eOk;
}
