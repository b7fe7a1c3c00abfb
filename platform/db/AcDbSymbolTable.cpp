#include "AcDbSymbolTable.h"

#include "base/TextCase.h"
#include "AcDbDatabase.h"
#include "DbAccess.h"

UV_DEFINE_RX_MEMBERS(AcDbSymbolTable, AcDbObject, L"TABLE")

AcDbObjectId AcDbSymbolTable::findOther(const ACHAR* name, AcDbObjectId except) const {
  if (!name) return {};
  for (const AcDbObjectId& id : m_records) {
    auto* rec = uv::DbAccess::peekAs<AcDbSymbolTableRecord>(id);
    if (id != except && rec && !rec->isErased() && uv::equalsNoCase(rec->nameText(), name)) return id;
  }
  return {};
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
