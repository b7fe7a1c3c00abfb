#include "AcDbObjectId.h"

#include "AcDbDatabase.h"
#include "AcDbObject.h"
#include "ObjectSlot.h"

const AcDbObjectId AcDbObjectId::kNull;

bool AcDbObjectId::isValid() const { return m_slot && m_slot->object; }

bool AcDbObjectId::isErased() const { return m_slot && m_slot->object && m_slot->object->isErased(); }

AcDbHandle AcDbObjectId::handle() const { return m_slot ? AcDbHandle(m_slot->handle) : AcDbHandle(); }

AcDbDatabase* AcDbObjectId::database() const { return m_slot ? m_slot->database : nullptr; }

bool operator<(const AcDbObjectId& a, const AcDbObjectId& b) {
  const AcDbDatabase* da = a.database();
  const AcDbDatabase* db = b.database();
  if (da != db) return std::less<const AcDbDatabase*>()(da, db);
  return a.handle().value() < b.handle().value();
}

Acad::ErrorStatus acdbGetAdsName(ads_name& name, AcDbObjectId id) {
  name[0] = std::int64_t(id.handle().value());
  name[1] = std::int64_t(reinterpret_cast<std::intptr_t>(id.database()));
  return id.isNull() ? Acad::eNullObjectId : Acad::eOk;
}

Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& id, const ads_name name) {
  id.setNull();
  if (name[0] == 0 && name[1] == 0) return Acad::eNullObjectId;
  auto* db = reinterpret_cast<AcDbDatabase*>(std::intptr_t(name[1]));
  if (!AcDbDatabase::isLive(db)) return Acad::eInvalidInput;
  if (db->getAcDbObjectId(id, false, AcDbHandle(std::uint64_t(name[0]))) != Acad::eOk) return Acad::eKeyNotFound;
  return Acad::eOk;
}
