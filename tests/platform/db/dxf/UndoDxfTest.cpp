// Undo and Redo through the database's record of each step, checked by the
// DXF the drawing writes: byte for byte the file of before (or after) the
// step, the drawing sound each time.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/AcDb2dPolyline.h"
#include "db/AcDbBlockTableRecord.h"
#include "db/AcDbDatabase.h"
#include "db/AcDbDictionary.h"
#include "db/AcDbDictionaryIterator.h"
#include "db/AcDbLayerTable.h"
#include "db/AcDbLayerTableRecord.h"
#include "db/AcDbLine.h"
#include "db/AcDbObjectPointer.h"
#include "db/AcDbXrecord.h"
#include "db/DrawingChecker.h"
#include "db/UndoLog.h"
#include "db/dxf/DxfFile.h"
#include "db/resbuf.h"
#include "RichDrawing.h"

namespace {

std::string dxfOf(const AcDbDatabase& db) {
  std::string text;
  EXPECT_TRUE(uv::dxf::saveToString(db, text).ok);
  return text;
}

std::vector<AcDbObjectId> modelSpaceIds(const AcDbDatabase& db) {
  AcDbObjectPointer<AcDbBlockTableRecord> ms(db.modelSpaceId(), AcDb::kForRead);
  std::vector<AcDbObjectId> ids;
  for (AcDbObject* o : ms->entities(true)) ids.push_back(o->objectId());
  return ids;
}

// What a command that rearranges a drawing does: erases entities (with the
// vertices and attributes they own), moves lines, tags what it keeps anew
// (extended data added, or dropped where there was some), recolours a layer, adds
// and erases dictionary entries, adds a polyline and a layer and makes it
// current.
void rearrange(AcDbDatabase& db) {
  const std::vector<AcDbObjectId> ids = modelSpaceIds(db);
  for (size_t i = 0; i < ids.size(); ++i) {
    AcDbEntity* e = nullptr;
    ASSERT_EQ(acdbOpenObject(e, ids[i], AcDb::kForWrite), Acad::eOk);
    if (i % 2 == 0 && !e->hasXData()) {
      EXPECT_EQ(e->erase(), Acad::eOk);
    } else {
      if (auto* line = AcDbLine::cast(e)) line->setStartPoint(line->startPoint() + AcGeVector3d(5, 5, 0));
      resbuf* tag = e->hasXData() ? acutBuildList(1001, L"UV_APP", 0)
                                  : acutBuildList(1001, L"UV_APP", 1000, L"moved", 1070, -3, 0);
      EXPECT_EQ(e->setXData(tag), Acad::eOk);
      acutRelRb(tag);
    }
    e->close();
  }
  {
    AcDbDictionary* nod = nullptr;
    ASSERT_EQ(db.getNamedObjectsDictionary(nod, AcDb::kForWrite), Acad::eOk);
    std::unique_ptr<AcDbDictionaryIterator> it(nod->newIterator());
    std::vector<std::wstring> keys;
    for (; !it->done(); it->next()) keys.push_back(it->name());
    for (const std::wstring& k : keys) {
      // As a conversion drops old records: out of the dictionary, erased.
      AcDbObjectId removed;
      if (k == L"ACAD_GROUP" || nod->remove(k.c_str(), removed) != Acad::eOk) continue;
      AcDbObject* old = nullptr;
      ASSERT_EQ(acdbOpenObject(old, removed, AcDb::kForWrite), Acad::eOk);
      EXPECT_EQ(old->erase(), Acad::eOk);
      old->close();
    }
    auto* record = new AcDbXrecord;
    AcDbObjectId id;
    ASSERT_EQ(nod->setAt(L"NEW_RECORD", record, id), Acad::eOk);
    record->close();
    nod->close();
  }
  AcDbLayerTable* layers = nullptr;
  ASSERT_EQ(db.getLayerTable(layers, AcDb::kForWrite), Acad::eOk);
  auto* layer = new AcDbLayerTableRecord;
  layer->setName(L"ADDED");
  AcDbObjectId layerId;
  ASSERT_EQ(layers->add(layerId, layer), Acad::eOk);
  layer->close();
  layers->close();
  ASSERT_EQ(db.setClayer(layerId), Acad::eOk);
  AcGePoint3dArray points;
  points.append(AcGePoint3d(0, 0, 0));
  points.append(AcGePoint3d(10, 0, 0));
  points.append(AcGePoint3d(10, 10, 0));
  AcDbBlockTableRecord* ms = nullptr;
  ASSERT_EQ(acdbOpenObject(ms, db.modelSpaceId(), AcDb::kForWrite), Acad::eOk);
  auto* poly = new AcDb2dPolyline(AcDb::k2dSimplePoly, points);
  ASSERT_EQ(ms->appendAcDbEntity(poly), Acad::eOk);
  poly->close();
  ms->close();
}

}  // namespace

TEST(UndoDxf, UndoAndRedoGiveTheDrawingOfBeforeAndAfterByteForByte) {
  AcDbDatabase db;
  uv::UndoLog& log = db.undoLog();
  log.enable();
  const std::string empty = dxfOf(db);

  log.begin(L"BUILD");
  uvtest::buildRichDrawing(db);
  const std::string built = dxfOf(db);
  log.begin(L"REARRANGE");
  rearrange(db);
  const std::string rearranged = dxfOf(db);
  ASSERT_NE(built, rearranged);
  ASSERT_TRUE(uv::checkDatabase(db).empty());

  // Back, forward, back to the start and all the way forward again.
  const struct {
    bool undo;
    const std::string* expected;
    const char* what;
  } steps[] = {{true, &built, "undo REARRANGE"},  {false, &rearranged, "redo REARRANGE"},
               {true, &built, "undo REARRANGE"},  {true, &empty, "undo BUILD"},
               {false, &built, "redo BUILD"},     {false, &rearranged, "redo REARRANGE"}};
  for (const auto& s : steps) {
    ASSERT_EQ(s.undo ? log.undo() : log.redo(), Acad::eOk) << s.what;
    EXPECT_TRUE(dxfOf(db) == *s.expected) << s.what;
    for (const std::string& problem : uv::checkDatabase(db)) ADD_FAILURE() << s.what << ": " << problem;
  }
  EXPECT_EQ(log.undo(), Acad::eOk);
  EXPECT_EQ(log.undo(), Acad::eOk);
  EXPECT_EQ(log.undo(), Acad::eNotApplicable);
  EXPECT_TRUE(dxfOf(db) == empty);

  // A new step after an undo forgets what could be redone, and is undone
  // in turn to the same drawing.
  log.begin(L"BUILD AGAIN");
  uvtest::buildRichDrawing(db);
  EXPECT_FALSE(log.canRedo());
  EXPECT_TRUE(dxfOf(db) == built);
  EXPECT_EQ(log.undo(), Acad::eOk);
  EXPECT_TRUE(dxfOf(db) == empty);
}
