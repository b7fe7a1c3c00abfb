#include "ChildList.h"

#include <algorithm>

#include "AcDbDatabase.h"
#include "DbAccess.h"

namespace uv {

Acad::ErrorStatus ChildList::append(AcDbObject& owner, AcDbObject* child, AcDbObjectId* id) {
  if (!child) return Acad::eNullEntityPointer;
  if (!child->objectId().isNull()) return Acad::eAlreadyInDb;
  if (contains(child)) return Acad::eAlreadyInDb;
  if (!owner.isWriteEnabled()) return Acad::eNotOpenForWrite;
  AcDbDatabase* db = owner.database();
  if (!db) {
    DbAccess::setOwner(*child, AcDbObjectId::kNull);
    DbAccess::setWaiting(*child, true);
    m_waiting.emplace_back(child);
    if (id) id->setNull();
    return Acad::eOk;
  }
  DbAccess::setOwner(*child, owner.objectId());
  AcDbObjectId newId;
  if (const Acad::ErrorStatus es = db->addAcDbObject(newId, child); es != Acad::eOk) {
    DbAccess::setOwner(*child, AcDbObjectId::kNull);
    return es;
  }
  m_ids.push_back(newId);
  if (id) *id = newId;
  return Acad::eOk;
}

void ChildList::ownerAdded(AcDbObject& owner) {
  AcDbDatabase* db = owner.database();
  std::vector<std::unique_ptr<AcDbObject>> waiting;
  waiting.swap(m_waiting);
  for (auto& child : waiting) {
    DbAccess::setOwner(*child, owner.objectId());
    AcDbObject* raw = child.get();
    DbAccess::setWaiting(*raw, false);
    AcDbObjectId newId;
    // A preset handle that is taken by now cannot be kept; the child then
    // takes a fresh handle rather than be lost.
    if (db->addAcDbObject(newId, raw) != Acad::eOk) {
      raw->presetHandle(AcDbHandle());
      if (db->addAcDbObject(newId, raw) != Acad::eOk) continue;
    }
    child.release();
    DbAccess::closeFully(*raw);
    m_ids.push_back(newId);
  }
}

std::vector<AcDbObject*> ChildList::objects(bool skipErased) const {
  std::vector<AcDbObject*> out;
  for (const auto& w : m_waiting) out.push_back(w.get());
  for (const AcDbObjectId& id : m_ids) {
    AcDbObject* o = DbAccess::peek(id);
    if (o && !(skipErased && o->isErased())) out.push_back(o);
  }
  return out;
}

bool ChildList::contains(const AcDbObject* child) const {
  // A waiting child is marked, so that building a polyline of a hundred
  // thousand vertices before adding it stays linear; only a marked one is
  // looked for.
  if (DbAccess::waiting(*child) &&
      std::any_of(m_waiting.begin(), m_waiting.end(), [&](const auto& w) { return w.get() == child; }))
    return true;
  // A child without an id (every new one) is in no database list: no search,
  // so that appending a million entities stays linear.
  return !child->objectId().isNull() && std::find(m_ids.begin(), m_ids.end(), child->objectId()) != m_ids.end();
}

}  // namespace uv
