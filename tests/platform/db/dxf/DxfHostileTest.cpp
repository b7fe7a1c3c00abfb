// Hostile drawings (from fuzzing and by hand) open in time and with the
// limits stated, or are refused with a message; none crashes. The files
// are in corpus/, one folder for the fuzzers' seeds too.
#include <gtest/gtest.h>

#include <cstdio>

#include "ScratchFolder.h"
#include "base/TextCase.h"
#include "db/AcDbBlockReference.h"
#include "db/AcDbBlockTable.h"
#include "db/AcDbLayerTable.h"
#include "db/AcDbLine.h"
#include "db/AcDbObjectPointer.h"
#include "db/DrawingChecker.h"
#include "db/dxf/DxfFile.h"

namespace {

std::wstring corpus(const std::string& name) { return uv::fromUtf8(std::string(UV_TEST_DATA_DIR) + "/corpus/" + name); }

// `levels` dictionaries, each in the one before: the named object dictionary
// and levels - 1 below it.
std::string nestedDictionaries(int levels) {
  std::string text = "  0\nSECTION\n  2\nOBJECTS\n";
  char buf[128];
  for (int i = 0; i < levels; ++i) {
    std::snprintf(buf, sizeof buf, "  0\nDICTIONARY\n  5\n%X\n330\n%X\n100\nAcDbDictionary\n  3\nD\n350\n%X\n", 0x100 + i,
                  i ? 0x100 + i - 1 : 0, 0x100 + i + 1);
    text += buf;
  }
  std::snprintf(buf, sizeof buf, "  0\nXRECORD\n  5\n%X\n100\nAcDbXrecord\n  1\nleaf\n", 0x100 + levels);
  return text + buf + "  0\nENDSEC\n  0\nEOF\n";
}

}  // namespace

TEST(DxfHostile, EachCorpusFileOpensOrIsRefusedWithItsLimit) {
  const struct {
    const char* file;
    const wchar_t* error;  // null when it opens
  } cases[] = {
      {"layer-colour-llong-min.dxf", nullptr},
      {"nested-dictionaries-1000.dxf", nullptr},
      {"nested-blocks-fanout4-depth12.dxf", nullptr},
      {"handseed-max.dxf", nullptr},
      {"block-inserting-itself-4x.dxf", L"line 38: block 'A' holds itself (A > A); a block may not contain itself"},
      {"entity-handle-near-max.dxf",
       L"line 6: handle FFFFFFFFFFFFFFFE of LINE is too large: handles must stay below 8000000000000000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    AcDbDatabase db;
    const uv::dxf::Result r = uv::dxf::load(corpus(c.file), db);
    if (!c.error) {
      ASSERT_TRUE(r.ok) << uv::toUtf8(r.error);
      EXPECT_EQ(uv::checkDatabase(db), std::vector<std::string>());
    } else {
      EXPECT_FALSE(r.ok);
      EXPECT_NE(r.error.find(c.error), std::wstring::npos) << uv::toUtf8(r.error);
      EXPECT_TRUE(uv::dxf::isNewDatabase(db));
    }
  }
}

TEST(DxfHostile, TheSmallestIntegerAsALayerColourGivesTheDefaultColourTurnedOff) {
  AcDbDatabase db;
  ASSERT_TRUE(uv::dxf::load(corpus("layer-colour-llong-min.dxf"), db).ok);
  AcDbObjectPointer<AcDbLayerTable> layers(db.layerTableId());
  AcDbObjectId id;
  ASSERT_EQ(layers->getAt(L"L1", id), Acad::eOk);
  AcDbObjectPointer<AcDbLayerTableRecord> layer(id);
  EXPECT_EQ(layer->color().colorIndex(), 7);
  EXPECT_TRUE(layer->isOff());
}

TEST(DxfHostile, DictionariesNestUpToTheLimitAndNoFurther) {
  for (const auto& [levels, opens] : {std::pair{10001, true}, std::pair{10002, false}, std::pair{100000, false}}) {
    SCOPED_TRACE(levels);
    AcDbDatabase db;
    const uv::dxf::Result r = uv::dxf::loadFromString(nestedDictionaries(levels), db, L"deep.dxf");
    EXPECT_EQ(r.ok, opens) << uv::toUtf8(r.error);
    if (!opens) {
      EXPECT_NE(r.error.find(L"dictionaries nest deeper than 10000 levels"), std::wstring::npos) << uv::toUtf8(r.error);
      continue;
    }
    // The deepest drawing also saves, erases and reads back without recursion.
    std::string saved;
    ASSERT_TRUE(uv::dxf::saveToString(db, saved).ok);
    AcDbDatabase again;
    ASSERT_TRUE(uv::dxf::loadFromString(saved, again, L"again.dxf").ok);
    AcDbObjectId top;
    ASSERT_EQ(again.getAcDbObjectId(top, false, AcDbHandle(0x101)), Acad::eOk);
    AcDbObjectPointer<AcDbObject> dict(top, AcDb::kForWrite);
    EXPECT_EQ(dict->erase(), Acad::eOk);
  }
}

TEST(DxfHostile, NestedBlocksOpenAndMeasureInOnePass) {
  AcDbDatabase db;
  ASSERT_TRUE(uv::dxf::load(corpus("nested-blocks-fanout4-depth12.dxf"), db).ok);
  AcDbObjectPointer<AcDbBlockTableRecord> ms(db.modelSpaceId());
  int references = 0;
  for (AcDbObject* o : ms->entities()) {
    auto* ref = AcDbBlockReference::cast(o);
    if (!ref) continue;
    ++references;
    AcDbExtents e;
    ASSERT_EQ(ref->getGeomExtents(e), Acad::eOk);
    EXPECT_FALSE(e.isEmpty());
  }
  EXPECT_GT(references, 0);
}

TEST(DxfHostile, BlocksNestUpToTheLimitAndNoFurther) {
  for (const auto& [levels, opens] : {std::pair{64, true}, std::pair{65, false}}) {
    SCOPED_TRACE(levels);
    std::string text = "  0\nSECTION\n  2\nBLOCKS\n";
    for (int i = 0; i < levels; ++i) {
      text += "  0\nBLOCK\n  8\n0\n  2\nB" + std::to_string(i) + "\n 70\n0\n 10\n0\n 20\n0\n 30\n0\n";
      if (i + 1 < levels) text += "  0\nINSERT\n  8\n0\n  2\nB" + std::to_string(i + 1) + "\n 10\n1\n 20\n0\n 30\n0\n";
      else text += "  0\nLINE\n  8\n0\n 10\n0\n 20\n0\n 30\n0\n 11\n1\n 21\n1\n 31\n0\n";
      text += "  0\nENDBLK\n  8\n0\n";
    }
    text += "  0\nENDSEC\n  0\nEOF\n";
    AcDbDatabase db;
    const uv::dxf::Result r = uv::dxf::loadFromString(text, db, L"blocks.dxf");
    EXPECT_EQ(r.ok, opens) << uv::toUtf8(r.error);
    if (!opens) {
      EXPECT_NE(r.error.find(L"blocks nest deeper than 64 levels"), std::wstring::npos) << uv::toUtf8(r.error);
    }
  }
}

// A seed at the end of the handles is a hint the reader passes over: the
// drawing saves, opens again, and new objects never wrap to handles in use.
TEST(DxfHostile, AHandleSeedAtTheLimitNeitherWrapsNorBreaksTheNextOpen) {
  AcDbDatabase db;
  ASSERT_TRUE(uv::dxf::load(corpus("handseed-max.dxf"), db).ok);
  for (int i = 0; i < 3; ++i) {
    AcDbObjectPointer<AcDbBlockTableRecord> ms(db.modelSpaceId(), AcDb::kForWrite);
    auto* line = new AcDbLine(AcGePoint3d(i, 0, 0), AcGePoint3d(i, 1, 0));
    AcDbObjectId id;
    ASSERT_EQ(ms->appendAcDbEntity(id, line), Acad::eOk);
    line->close();
  }
  std::string saved;
  ASSERT_TRUE(uv::dxf::saveToString(db, saved).ok);
  AcDbDatabase again;
  const uv::dxf::Result r = uv::dxf::loadFromString(saved, again, L"again.dxf");
  ASSERT_TRUE(r.ok) << uv::toUtf8(r.error);
  EXPECT_EQ(uv::checkDatabase(again), std::vector<std::string>());

  // The database itself refuses to go past its last handle.
  AcDbDatabase full;
  ASSERT_EQ(full.setHandseed(AcDbHandle(AcDbDatabase::kHandleLimit)), Acad::eOk);
  auto* line = new AcDbLine;
  EXPECT_EQ(full.addAcDbObject(line), Acad::eOutOfMemory);
  delete line;
}
