#include <gtest/gtest.h>

#include <memory>

#include "db/AcDbBlockTable.h"
#include "db/AcDbDatabase.h"
#include "db/AcDbHostApplicationServices.h"
#include "db/AcDbLayerTable.h"
#include "db/AcDbLine.h"
#include "db/AcDbObjectPointer.h"
#include "db/AcDbRegAppTable.h"
#include "base/TextCase.h"
#include "db/adscodes.h"
#include "db/resbuf.h"
#include "TestDrawing.h"

using uvtest::addToModelSpace;

TEST(Database, DefaultDrawingHoldsTheStandardRecords) {
  AcDbDatabase db;
  EXPECT_SOUND(db);
  struct Wanted {
    AcDbObjectId table;
    const wchar_t* name;
  };
  for (const Wanted& w : {Wanted{db.blockTableId(), ACDB_MODEL_SPACE}, Wanted{db.blockTableId(), ACDB_PAPER_SPACE},
                          Wanted{db.layerTableId(), L"0"}, Wanted{db.linetypeTableId(), L"ByBlock"},
                          Wanted{db.linetypeTableId(), L"ByLayer"}, Wanted{db.linetypeTableId(), L"Continuous"},
                          Wanted{db.textStyleTableId(), L"Standard"}, Wanted{db.regAppTableId(), L"ACAD"}}) {
    AcDbObjectPointer<AcDbSymbolTable> table(w.table);
    ASSERT_EQ(table.openStatus(), Acad::eOk);
    EXPECT_TRUE(table->has(w.name)) << uv::toUtf8(w.name);
  }
  AcDbDictionary* groups = nullptr;
  ASSERT_EQ(db.getGroupDictionary(groups), Acad::eOk);
  EXPECT_EQ(groups->ownerId(), db.namedObjectsDictionaryId());
  groups->close();
  EXPECT_EQ(db.clayer(), db.layerZero());
  EXPECT_EQ(db.celtype(), db.byLayerLinetype());
}

TEST(Database, HandlesAreUniqueAndIdsComeInHandleOrder) {
  AcDbDatabase db;
  const AcDbObjectId a = addToModelSpace(db, new AcDbLine);
  const AcDbObjectId b = addToModelSpace(db, new AcDbLine);
  EXPECT_LT(a.handle().value(), b.handle().value());
  EXPECT_LT(a, b);
  const auto ids = db.objectIds();
  EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
  EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
  EXPECT_GT(db.handseed().value(), b.handle().value());
  AcDbObjectId found;
  ASSERT_EQ(db.getAcDbObjectId(found, false, b.handle()), Acad::eOk);
  EXPECT_EQ(found, b);
  EXPECT_EQ(db.getAcDbObjectId(found, false, AcDbHandle(0xFFFFF)), Acad::eKeyNotFound);
}

TEST(Database, HandleText) {
  EXPECT_EQ(AcDbHandle(0x1A2B).text(), L"1A2B");
  EXPECT_EQ(AcDbHandle(L"1a2b").value(), 0x1A2Bu);
  EXPECT_TRUE(AcDbHandle(L"12G").isNull());
  EXPECT_TRUE(AcDbHandle(L"").isNull());
  EXPECT_TRUE(AcDbHandle(L"12345678901234567").isNull());  // more than 64 bits
  wchar_t small[3];
  EXPECT_FALSE(AcDbHandle(0x1234).getIntoAsciiBuffer(small, 3));
}

TEST(Database, AdsNamesRoundTripAndRefuseDeadDatabases) {
  ads_name name;
  AcDbObjectId id;
  {
    AcDbDatabase db;
    const AcDbObjectId line = addToModelSpace(db, new AcDbLine);
    ASSERT_EQ(acdbGetAdsName(name, line), Acad::eOk);
    ASSERT_EQ(acdbGetObjectId(id, name), Acad::eOk);
    EXPECT_EQ(id, line);
  }
  EXPECT_EQ(acdbGetObjectId(id, name), Acad::eInvalidInput);
  EXPECT_TRUE(id.isNull());
}

TEST(Database, ForwardReferencesAndPresetHandles) {
  // A file reader meets a reference to handle 500 before the object itself.
  AcDbDatabase db;
  AcDbObjectId forward;
  ASSERT_EQ(db.getAcDbObjectId(forward, true, AcDbHandle(0x500)), Acad::eOk);
  EXPECT_FALSE(forward.isValid());
  EXPECT_FALSE(uv::checkDatabase(db).empty());  // a reserved handle without object

  auto* line = new AcDbLine;
  ASSERT_EQ(line->presetHandle(AcDbHandle(0x500)), Acad::eOk);
  const AcDbObjectId added = addToModelSpace(db, line);
  EXPECT_EQ(added, forward);
  EXPECT_TRUE(forward.isValid());
  EXPECT_SOUND(db);

  auto* clash = new AcDbLine;
  clash->presetHandle(AcDbHandle(0x500));
  AcDbObjectId id;
  EXPECT_EQ(db.addAcDbObject(id, clash), Acad::eHandleExists);
  delete clash;

  // Re-handling an object keeps its id.
  ASSERT_EQ(db.setObjectHandle(added, AcDbHandle(0x700)), Acad::eOk);
  EXPECT_EQ(added.handle().value(), 0x700u);
  EXPECT_EQ(db.setObjectHandle(added, db.layerZero().handle()), Acad::eHandleExists);
  EXPECT_GT(db.handseed().value(), 0x700u);
  EXPECT_SOUND(db);
}

// The handle to take is kept until the object joins the database (then it
// is the object's handle, and a copy carries none); the groups kept from a
// file are the object's own, copies included.
TEST(Database, PresetHandlesAndKeptGroupsBeforeAndAfterJoining) {
  AcDbDatabase db;
  auto* line = new AcDbLine;
  EXPECT_TRUE(line->presetHandleValue().isNull());
  ASSERT_EQ(line->presetHandle(AcDbHandle(0x5A0)), Acad::eOk);
  EXPECT_EQ(line->presetHandleValue().value(), 0x5A0u);
  const uv::RawGroups kept = {{102, "{ACAD_REACTORS"}, {330, "1F"}, {102, "}"}};
  EXPECT_TRUE(line->keptGroups().empty());
  ASSERT_EQ(line->setKeptGroups(kept), Acad::eOk);
  {
    std::unique_ptr<AcDbObject> unadded(line->clone());
    EXPECT_EQ(unadded->presetHandleValue().value(), 0x5A0u);
    EXPECT_EQ(unadded->keptGroups(), kept);
  }

  const AcDbObjectId id = addToModelSpace(db, line);
  EXPECT_EQ(id.handle().value(), 0x5A0u);
  {
    AcDbObjectPointer<AcDbLine> open(id, AcDb::kForWrite);
    ASSERT_EQ(open.openStatus(), Acad::eOk);
    EXPECT_EQ(open->presetHandle(AcDbHandle(0x600)), Acad::eAlreadyInDb);
    EXPECT_TRUE(open->presetHandleValue().isNull());
    std::unique_ptr<AcDbObject> copy(open->clone());
    EXPECT_TRUE(copy->presetHandleValue().isNull());
    EXPECT_TRUE(copy->objectId().isNull());
    EXPECT_EQ(copy->keptGroups(), kept);
    // The copy's groups are its own.
    ASSERT_EQ(open->setKeptGroups({{390, "F"}}), Acad::eOk);
    EXPECT_EQ(copy->keptGroups(), kept);
    ASSERT_EQ(open->setKeptGroups({}), Acad::eOk);
    EXPECT_TRUE(open->keptGroups().empty());
  }
  AcDbObjectPointer<AcDbLine> reading(id, AcDb::kForRead);
  EXPECT_EQ(reading->setKeptGroups(kept), Acad::eNotOpenForWrite);
  EXPECT_TRUE(reading->keptGroups().empty());
}

TEST(Database, BuiltInRecordsCannotBeErasedOrRenamed) {
  AcDbDatabase db;
  for (AcDbObjectId id : {db.layerZero(), db.continuousLinetype(), db.modelSpaceId(), db.groupDictionaryId(),
                          db.layerTableId()}) {
    AcDbObject* o = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(o, id, AcDb::kForWrite), Acad::eOk);
    EXPECT_NE(o->erase(), Acad::eOk) << uv::toUtf8(o->isA()->name());
    o->close();
  }
  {
    AcDbLayerTableRecordPointer zero(db.layerZero(), AcDb::kForWrite);
    EXPECT_EQ(zero->setName(L"Other"), Acad::eNotApplicable);
  }
  EXPECT_SOUND(db);
}

TEST(Database, CurrentLayerMustBeALiveLayerOfTheDatabase) {
  AcDbDatabase db, other;
  EXPECT_EQ(db.setClayer(other.layerZero()), Acad::eWrongDatabase);
  EXPECT_EQ(db.setClayer(db.continuousLinetype()), Acad::eInvalidInput);
  AcDbLayerTable* layers = nullptr;
  ASSERT_EQ(db.getLayerTable(layers, AcDb::kForWrite), Acad::eOk);
  auto* rec = new AcDbLayerTableRecord;
  rec->setName(L"Teren");
  AcDbObjectId terrain;
  ASSERT_EQ(layers->add(terrain, rec), Acad::eOk);
  rec->close();
  layers->close();
  ASSERT_EQ(db.setClayer(terrain), Acad::eOk);
  // New entities land on the current layer.
  const AcDbObjectId line = addToModelSpace(db, new AcDbLine);
  {
    AcDbObjectPointer<AcDbLine> l(line);
    ACHAR* name = l->layer();
    EXPECT_STREQ(name, L"Teren");
    acutDelString(name);
  }
  EXPECT_SOUND(db);
}

TEST(Database, WorkingDatabaseAndRegApp) {
  EXPECT_EQ(acdbRegApp(L"KV2_SurfaceName"), RTERROR);  // no working database
  {
    AcDbDatabase db;
    acdbHostApplicationServices()->setWorkingDatabase(&db);
    EXPECT_EQ(acdbRegApp(L"KV2_SurfaceName"), RTNORM);
    EXPECT_EQ(acdbRegApp(L"kv2_surfacename"), RTERROR);  // there already, in any letter case
    EXPECT_EQ(acdbRegApp(L"bad|name"), RTERROR);
    AcDbRegAppTable* apps = nullptr;
    ASSERT_EQ(db.getRegAppTable(apps), Acad::eOk);
    EXPECT_TRUE(apps->has(L"KV2_SURFACENAME"));
    apps->close();
    EXPECT_SOUND(db);
  }
  EXPECT_EQ(acdbHostApplicationServices()->workingDatabase(), nullptr);
}

TEST(Database, ExtentsOfModelSpace) {
  AcDbDatabase db;
  addToModelSpace(db, new AcDbLine(AcGePoint3d(-1, 2, 0), AcGePoint3d(4, 7, 3)));
  addToModelSpace(db, new AcDbLine(AcGePoint3d(10, -5, 1), AcGePoint3d(0, 0, 0)));
  ASSERT_EQ(db.updateExt(), Acad::eOk);
  EXPECT_EQ(db.extmin(), AcGePoint3d(-1, -5, 0));
  EXPECT_EQ(db.extmax(), AcGePoint3d(10, 7, 3));
}
