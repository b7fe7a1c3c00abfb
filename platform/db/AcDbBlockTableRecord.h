// A block definition (or model/paper space): its entities in drawing order,
// its base point, and the BLOCK/ENDBLK markers files give handles to.
#pragma once

#include "ge/AcGePoint3d.h"
#include "AcDbSymbolTableRecord.h"
#include "ChildList.h"

class AcDbEntity;
class AcDbBlockTableRecordIterator;
class AcDbBlockBegin;
class AcDbBlockEnd;

#define ACDB_MODEL_SPACE L"*Model_Space"
#define ACDB_PAPER_SPACE L"*Paper_Space"

class AcDbBlockTableRecord : public AcDbSymbolTableRecord {
 public:
  ACRX_DECLARE_MEMBERS(AcDbBlockTableRecord);
  UV_DECLARE_CLONE(AcDbBlockTableRecord);

  // The block open for write; the entity joins the database open for write
  // (close it). While the block is not in a database, the entity waits in it.
  Acad::ErrorStatus appendAcDbEntity(AcDbObjectId& id, AcDbEntity* entity);
  Acad::ErrorStatus appendAcDbEntity(AcDbEntity* entity);
  Acad::ErrorStatus newIterator(AcDbBlockTableRecordIterator*& it, bool atBeginning = true,
                                bool skipDeleted = true) const;

  // Whether a live attribute definition is among the entities.
  bool hasAttributeDefinitions() const;
  AcGePoint3d origin() const { return m_origin; }
  Acad::ErrorStatus setOrigin(const AcGePoint3d& origin);
  bool isLayout() const;
  bool isAnonymous() const;
  Acad::ErrorStatus comments(const ACHAR*& text) const;
  Acad::ErrorStatus setComments(const ACHAR* text);

  Acad::ErrorStatus openBlockBegin(AcDbBlockBegin*& begin, AcDb::OpenMode mode = AcDb::kForRead);
  Acad::ErrorStatus openBlockEnd(AcDbBlockEnd*& end, AcDb::OpenMode mode = AcDb::kForRead);
  AcDbObjectId blockBeginId() const { return m_begin; }
  AcDbObjectId blockEndId() const { return m_end; }

  // The entities (erased ones included), read without opening them.
  std::vector<AcDbObject*> entities(bool skipErased = true) const { return m_entities.objects(skipErased); }
  const std::vector<AcDbObjectId>& entityIds() const { return m_entities.ids(); }

  void getOwnedIds(std::vector<AcDbObjectId>& ids) const override;

 protected:
  void subAdded() override;

 private:
  uv::ChildList m_entities;
  AcGePoint3d m_origin;
  std::wstring m_comments;
  AcDbObjectId m_begin, m_end;
};
