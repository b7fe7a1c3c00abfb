// The drawing checker finds each kind of broken invariant it promises.
#include <gtest/gtest.h>

#include "db/AcDbBlockReference.h"
#include "db/AcDbGroup.h"
#include "db/AcDbLine.h"
#include "db/AcDbObjectPointer.h"
#include "TestDrawing.h"

namespace {

bool mentions(const AcDbDatabase& db, const std::string& text) {
  return uvtest::problems(db).find(text) != std::string::npos;
}

AcDbObjectId addRecord(AcDbObjectId tableId, AcDbSymbolTableRecord* rec, const wchar_t* name) {
  AcDbObjectPointer<AcDbSymbolTable> table(tableId, AcDb::kForWrite);
  rec->setName(name);
  AcDbObjectId id;
  EXPECT_EQ(table->add(id, rec), Acad::eOk);
  rec->close();
  return id;
}

void erase(AcDbObjectId id) {
  AcDbObjectPointer<AcDbObject> o(id, AcDb::kForWrite);
  ASSERT_EQ(o.openStatus(), Acad::eOk);
  ASSERT_EQ(o->erase(), Acad::eOk);
}

TEST(Checker, ObjectsLeftOpen) {
  AcDbDatabase db;
  AcDbLine* line = new AcDbLine;
  AcDbBlockTableRecordPointer ms(db.modelSpaceId(), AcDb::kForWrite);
  ms->appendAcDbEntity(line);
  ms.close();
  EXPECT_TRUE(mentions(db, "AcDbLine " + uv::toUtf8(line->objectId().handle().text()) + " is still open for write"));
  line->close();
  EXPECT_SOUND(db);
}

TEST(Checker, EntitiesOnErasedLayersAndReferencesToErasedBlocks) {
  AcDbDatabase db;
  const AcDbObjectId layer = addRecord(db.layerTableId(), new AcDbLayerTableRecord, L"Stari");
  const AcDbObjectId block = addRecord(db.blockTableId(), new AcDbBlockTableRecord, L"Znak");
  auto* line = new AcDbLine;
  line->setLayer(layer);
  uvtest::addToModelSpace(db, line);
  uvtest::addToModelSpace(db, new AcDbBlockReference(AcGePoint3d(0, 0, 0), block));
  EXPECT_SOUND(db);
  erase(layer);
  erase(block);
  EXPECT_TRUE(mentions(db, "layer AcDbLayerTableRecord")) << uvtest::problems(db);
  EXPECT_TRUE(mentions(db, "block AcDbBlockTableRecord")) << uvtest::problems(db);
  EXPECT_TRUE(mentions(db, "is erased"));
}

TEST(Checker, ErasedGroupMembersAreNoProblem) {
  AcDbDatabase db;
  const AcDbObjectId line = uvtest::addToModelSpace(db, new AcDbLine);
  {
    AcDbDictionaryPointer groups(db.groupDictionaryId(), AcDb::kForWrite);
    auto* g = new AcDbGroup;
    g->append(line);
    AcDbObjectId id;
    groups->setAt(L"G", g, id);
    g->close();
  }
  erase(line);
  EXPECT_SOUND(db);
}

TEST(Checker, UnerasingCannotMakeTwoRecordsOfOneName) {
  AcDbDatabase db;
  const AcDbObjectId old = addRecord(db.layerTableId(), new AcDbLayerTableRecord, L"A");
  erase(old);
  addRecord(db.layerTableId(), new AcDbLayerTableRecord, L"a");
  AcDbObjectPointer<AcDbObject> o(old, AcDb::kForWrite, true);
  EXPECT_EQ(o->erase(false), Acad::eDuplicateRecordName);
  EXPECT_TRUE(o->isErased());
  o.close();
  EXPECT_SOUND(db);
}

TEST(CheckerDeathTest, DeletingAnObjectTheDatabaseOwnsStopsAtOnce) {
  AcDbDatabase db;
  auto* line = new AcDbLine;
  uvtest::addToModelSpace(db, line);
  EXPECT_DEATH(delete line, "deleted while owned by its database");
}

}  // namespace
