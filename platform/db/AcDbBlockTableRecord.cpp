#include "AcDbBlockTableRecord.h"

#include "base/TextCase.h"
#include "AcDbAttributeDefinition.h"
#include "AcDbBlockBegin.h"
#include "AcDbBlockTableRecordIterator.h"
#include "AcDbDatabase.h"
#include "AcDbEntity.h"
#include "DbAccess.h"

UV_DEFINE_RX_MEMBERS(AcDbBlockTableRecord, AcDbSymbolTableRecord, L"BLOCK_RECORD")

Acad::ErrorStatus AcDbBlockTableRecord::appendAcDbEntity(AcDbObjectId& id, AcDbEntity* entity) {
  return m_entities.append(*this, entity, &id);
}

Acad::ErrorStatus AcDbBlockTableRecord::appendAcDbEntity(AcDbEntity* entity) {
  AcDbObjectId id;
  return appendAcDbEntity(id, entity);
}

Acad::ErrorStatus AcDbBlockTableRecord::newIterator(AcDbBlockTableRecordIterator*& it, bool atBeginning,
                                                    bool skipDeleted) const {
  it = new AcDbBlockTableRecordIterator(objectId(), m_entities.ids(), atBeginning, skipDeleted);
  return Acad::eOk;
}

bool AcDbBlockTableRecord::hasAttributeDefinitions() const {
  for (AcDbObject* o : m_entities.objects())
    if (o->isKindOf(AcDbAttributeDefinition::desc())) return true;
  return false;
}

Acad::ErrorStatus AcDbBlockTableRecord::setOrigin(const AcGePoint3d& origin) { return setWritable(m_origin, origin); }

bool AcDbBlockTableRecord::isLayout() const {
  return uv::equalsNoCase(nameText(), ACDB_MODEL_SPACE) || uv::equalsNoCase(nameText(), ACDB_PAPER_SPACE);
}

bool AcDbBlockTableRecord::isAnonymous() const { return !nameText().empty() && nameText()[0] == L'*' && !isLayout(); }

Acad::ErrorStatus AcDbBlockTableRecord::comments(const ACHAR*& text) const {
  text = m_comments.c_str();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::setComments(const ACHAR* text) { return setWritable(m_comments, text ? text : L""); }

Acad::ErrorStatus AcDbBlockTableRecord::openBlockBegin(AcDbBlockBegin*& begin, AcDb::OpenMode mode) {
  return acdbOpenObject(begin, m_begin, mode);
}

Acad::ErrorStatus AcDbBlockTableRecord::openBlockEnd(AcDbBlockEnd*& end, AcDb::OpenMode mode) {
  return acdbOpenObject(end, m_end, mode);
}

void AcDbBlockTableRecord::getOwnedIds(std::vector<AcDbObjectId>& ids) const {
  if (!m_begin.isNull()) ids.push_back(m_begin);
  m_entities.appendIdsTo(ids);
  if (!m_end.isNull()) ids.push_back(m_end);
}

void AcDbBlockTableRecord::subAdded() {
  AcDbDatabase* db = database();
  auto addMarker = [&](AcDbEntity* marker, AcDbObjectId& id) {
    uv::DbAccess::setOwner(*marker, objectId());
    if (db->addAcDbObject(id, marker) == Acad::eOk) uv::DbAccess::closeFully(*marker);
    else delete marker;
  };
  addMarker(new AcDbBlockBegin, m_begin);
  m_entities.ownerAdded(*this);
  addMarker(new AcDbBlockEnd, m_end);
}
