// Finding symbol table records by name: in any letter case, and after
// renames, erasures, undo and redo always the live record of the name (the
// table indexes its names, and the index must never answer for a name a
// record no longer has).
#include <gtest/gtest.h>

#include <vector>

#include "base/TextCase.h"
#include "db/AcDbDatabase.h"
#include "db/AcDbLayerTable.h"
#include "db/AcDbObjectPointer.h"
#include "db/UndoLog.h"

namespace {

AcDbObjectId addLayer(AcDbDatabase& db, const wchar_t* name) {
  AcDbLayerTable* layers = nullptr;
  EXPECT_EQ(db.getLayerTable(layers, AcDb::kForWrite), Acad::eOk);
  auto* rec = new AcDbLayerTableRecord;
  rec->setName(name);
  AcDbObjectId id;
  EXPECT_EQ(layers->add(id, rec), Acad::eOk) << uv::toUtf8(name);
  rec->close();
  layers->close();
  return id;
}

Acad::ErrorStatus rename(AcDbObjectId id, const wchar_t* name) {
  AcDbObjectPointer<AcDbLayerTableRecord> rec(id, AcDb::kForWrite);
  return rec.openStatus() == Acad::eOk ? rec->setName(name) : rec.openStatus();
}

Acad::ErrorStatus erase(AcDbObjectId id) {
  AcDbObjectPointer<AcDbLayerTableRecord> rec(id, AcDb::kForWrite);
  return rec.openStatus() == Acad::eOk ? rec->erase() : rec.openStatus();
}

// Asked twice: the table remembers its last answers, and the second must
// agree with the first.
AcDbObjectId find(const AcDbDatabase& db, const wchar_t* name) {
  AcDbLayerTable* layers = nullptr;
  EXPECT_EQ(db.getLayerTable(layers), Acad::eOk);
  AcDbObjectId id, again;
  const bool has = layers->has(name);
  EXPECT_EQ(layers->getAt(name, id) == Acad::eOk, has) << uv::toUtf8(name);
  EXPECT_EQ(layers->getAt(name, again) == Acad::eOk, has) << uv::toUtf8(name);
  EXPECT_EQ(again, id) << uv::toUtf8(name);
  layers->close();
  return id;
}

// One step renames `id` to `newName` and gives its old name to a new record
// (named `retaken`); the step is undone and redone. Throughout, the names as
// asked (`oldAsked`, `newAsked`) find the live record. The new record's id.
AcDbObjectId renameAndRetake(AcDbDatabase& db, AcDbObjectId id, const wchar_t* newName, const wchar_t* oldAsked,
                             const wchar_t* newAsked, const wchar_t* retaken) {
  db.undoLog().begin(L"RENAME");
  EXPECT_EQ(rename(id, newName), Acad::eOk);
  EXPECT_EQ(find(db, newAsked), id);
  EXPECT_TRUE(find(db, oldAsked).isNull());
  const AcDbObjectId taker = addLayer(db, retaken);
  EXPECT_EQ(find(db, oldAsked), taker);
  // Undo brings back the old name (without a rename) and takes the new record away.
  EXPECT_EQ(db.undoLog().undo(), Acad::eOk);
  EXPECT_EQ(find(db, oldAsked), id);
  EXPECT_TRUE(find(db, newAsked).isNull());
  EXPECT_EQ(db.undoLog().redo(), Acad::eOk);
  EXPECT_EQ(find(db, newAsked), id);
  EXPECT_EQ(find(db, oldAsked), taker);
  return taker;
}

}  // namespace

TEST(SymbolTable, FindsEveryRecordByItsNameInAnyLetterCase) {
  AcDbDatabase db;
  const wchar_t* names[] = {L"Teren", L"KV2_SurfaceName", L"Me\u0111a", L"\u0160UMA", L"a", L"Teren2"};
  std::vector<AcDbObjectId> ids;
  for (const wchar_t* name : names) ids.push_back(addLayer(db, name));
  const struct {
    const wchar_t* asked;
    int expected;  // index into names, -1 for none
  } cases[] = {
      {L"Teren", 0},        {L"teren", 0}, {L"TEREN", 0},   {L"kv2_surfacename", 1}, {L"ME\u0110A", 2},
      {L"\u0161uma", 3},    {L"A", 4},     {L"tEREN2", 5},  {L"Teren ", -1},         {L"Tere", -1},
      {L"KV2_SurfaceNam", -1}, {L"", -1},  {L"0", -2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(uv::toUtf8(c.asked));
    const AcDbObjectId expected = c.expected >= 0 ? ids[size_t(c.expected)]
                                  : c.expected == -2 ? db.layerZero()
                                                     : AcDbObjectId();
    EXPECT_EQ(find(db, c.asked), expected);
  }
}

TEST(SymbolTable, NamesFollowRenamesErasuresUndoAndRedo) {
  AcDbDatabase db;
  db.undoLog().enable();
  const AcDbObjectId teren = addLayer(db, L"Teren");
  ASSERT_EQ(find(db, L"TEREN"), teren);
  const AcDbObjectId other = renameAndRetake(db, teren, L"Plan", L"teren", L"plan", L"teren");
  // No record may take the name of another.
  EXPECT_EQ(rename(other, L"PLAN"), Acad::eDuplicateRecordName);

  // An erased record is not found; a new record of its name is.
  db.undoLog().begin(L"ERASE");
  ASSERT_EQ(erase(other), Acad::eOk);
  EXPECT_TRUE(find(db, L"teren").isNull());
  const AcDbObjectId third = addLayer(db, L"TEREN");
  EXPECT_EQ(find(db, L"Teren"), third);
  ASSERT_EQ(db.undoLog().undo(), Acad::eOk);
  EXPECT_EQ(find(db, L"Teren"), other);
}

TEST(SymbolTable, ANameAskedAgainInItsOwnSpellingFollowsEveryChange) {
  AcDbDatabase db;
  db.undoLog().enable();
  const AcDbObjectId a = addLayer(db, L"KV2_A"), b = addLayer(db, L"KV2_B");
  ASSERT_EQ(find(db, L"KV2_A"), a);
  ASSERT_EQ(find(db, L"KV2_B"), b);
  renameAndRetake(db, a, L"KV2_C", L"KV2_A", L"KV2_C", L"KV2_A");

  db.undoLog().begin(L"ERASE");
  ASSERT_EQ(erase(b), Acad::eOk);
  EXPECT_TRUE(find(db, L"KV2_B").isNull());
  ASSERT_EQ(db.undoLog().undo(), Acad::eOk);
  EXPECT_EQ(find(db, L"KV2_B"), b);
  ASSERT_EQ(rename(b, L"kv2_b"), Acad::eOk);  // a change of letter case only
  EXPECT_EQ(find(db, L"KV2_B"), b);
  EXPECT_EQ(find(db, L"kv2_b"), b);
}
