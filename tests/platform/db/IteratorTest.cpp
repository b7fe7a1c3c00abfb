// Iterators over blocks, tables, dictionaries and sub-entities.
#include <gtest/gtest.h>

#include <memory>

#include "db/AcDb2dPolyline.h"
#include "db/AcDbBlockTableRecordIterator.h"
#include "db/AcDbDictionaryIterator.h"
#include "db/AcDbLine.h"
#include "db/AcDbObjectPointer.h"
#include "db/AcDbXrecord.h"
#include "TestDrawing.h"

namespace {

TEST(Iterator, BlockEntitiesForwardBackwardAndErased) {
  AcDbDatabase db;
  std::vector<AcDbObjectId> ids;
  for (int i = 0; i < 3; ++i) ids.push_back(uvtest::addToModelSpace(db, new AcDbLine(AcGePoint3d(i, 0, 0), AcGePoint3d(i, 1, 0))));
  {
    AcDbEntityPointer middle(ids[1], AcDb::kForWrite);
    middle->erase();
  }
  AcDbBlockTableRecordPointer ms(db.modelSpaceId());
  AcDbBlockTableRecordIterator* raw = nullptr;
  ASSERT_EQ(ms->newIterator(raw), Acad::eOk);
  std::unique_ptr<AcDbBlockTableRecordIterator> it(raw);
  std::vector<AcDbObjectId> seen;
  for (; !it->done(); it->step()) {
    AcDbObjectId id;
    it->getEntityId(id);
    seen.push_back(id);
  }
  EXPECT_EQ(seen, (std::vector<AcDbObjectId>{ids[0], ids[2]}));

  seen.clear();
  for (it->start(false, false); !it->done(); it->step(false, false)) {
    AcDbEntity* e = nullptr;
    ASSERT_EQ(it->getEntity(e, AcDb::kForRead, true), Acad::eOk);
    seen.push_back(e->objectId());
    e->close();
  }
  EXPECT_EQ(seen, (std::vector<AcDbObjectId>{ids[2], ids[1], ids[0]}));
  AcDbEntity* none = nullptr;
  EXPECT_EQ(it->getEntity(none), Acad::eInvalidIndex);
  EXPECT_EQ(it->seek(ids[2]), Acad::eOk);
  EXPECT_EQ(it->seek(db.layerZero()), Acad::eKeyNotFound);
}

TEST(Iterator, TableIteratorsOpenTheirOwnRecordClass) {
  AcDbDatabase db;
  AcDbLinetypeTable* types = nullptr;
  ASSERT_EQ(db.getLinetypeTable(types), Acad::eOk);
  AcDbLinetypeTableIterator* raw = nullptr;
  ASSERT_EQ(types->newIterator(raw), Acad::eOk);
  types->close();
  std::unique_ptr<AcDbLinetypeTableIterator> it(raw);
  std::vector<std::wstring> names;
  for (; !it->done(); it->step()) {
    AcDbLinetypeTableRecord* rec = nullptr;
    ASSERT_EQ(it->getRecord(rec), Acad::eOk);
    names.push_back(rec->nameText());
    rec->close();
  }
  EXPECT_EQ(names, (std::vector<std::wstring>{L"ByBlock", L"ByLayer", L"Continuous"}));
}

TEST(Iterator, VerticesOfAPolylineBeforeAndAfterItJoinsTheDatabase) {
  AcDbDatabase db;
  auto* pl = new AcDb2dPolyline(AcDb::k2dSimplePoly, {AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0)});
  {
    std::unique_ptr<AcDbObjectIterator> it(pl->vertexIterator());
    ASSERT_FALSE(it->done());
    EXPECT_TRUE(it->objectId().isNull());  // waiting in the polyline, no id yet
    EXPECT_EQ(AcDb2dVertex::cast(it->entity())->position(), AcGePoint3d(0, 0, 0));
  }
  const AcDbObjectId id = uvtest::addToModelSpace(db, pl);
  AcDbObjectPointer<AcDb2dPolyline> poly(id);
  std::unique_ptr<AcDbObjectIterator> it(poly->vertexIterator());
  int n = 0;
  for (; !it->done(); it->step()) {
    EXPECT_FALSE(it->objectId().isNull());
    AcDb2dVertex* v = nullptr;
    ASSERT_EQ(acdbOpenObject(v, it->objectId(), AcDb::kForRead), Acad::eOk);  // closed after joining
    v->close();
    ++n;
  }
  EXPECT_EQ(n, 2);
  it->start(true);
  EXPECT_EQ(AcDb2dVertex::cast(it->entity())->position(), AcGePoint3d(1, 0, 0));
  poly.close();
  EXPECT_SOUND(db);
}

TEST(Iterator, DictionaryEntriesInKeyOrderWithoutErasedOnes) {
  AcDbDatabase db;
  AcDbDictionaryPointer nod(db.namedObjectsDictionaryId(), AcDb::kForWrite);
  AcDbObjectId b;
  for (const wchar_t* key : {L"b", L"C", L"a"}) {
    auto* x = new AcDbXrecord;
    AcDbObjectId id;
    ASSERT_EQ(nod->setAt(key, x, id), Acad::eOk);
    if (std::wstring(key) == L"b") {
      b = id;
      ASSERT_EQ(x->erase(), Acad::eOk);
    }
    x->close();
  }
  std::unique_ptr<AcDbDictionaryIterator> it(nod->newIterator());
  std::wstring keys;
  for (; !it->done(); it->next()) keys += it->name();
  EXPECT_EQ(keys, L"aACAD_GROUPC");
  EXPECT_FALSE(it->setPosition(b));
  EXPECT_EQ(nod->numEntries(), 3u);
  nod.close();
  EXPECT_SOUND(db);
}

}  // namespace
