// Hostile drawings (from fuzzing and by hand) open in time and with the
// limits stated, or are refused with a message; none crashes. The files
// are in corpus/, one folder for the fuzzers' seeds too.
#include <gtest/gtest.h>

#include <cstdio>

#include "ScratchFolder.h"
#include "base/TextCase.h"
#include "db/AcDbBlockReference.h"
#include "db/AcDbBlockTable.h"
#include "db/AcDbDictionary.h"
#include "db/AcDbLayerTable.h"
#include "db/AcDbLayerTableRecord.h"
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

size_t occurrences(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
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

// A subclass marker turned into an embedded object's (101, as fuzzing did to
// a dictionary's): what follows is kept as it came and not read as the
// object's own as well, so it is written once and the drawing opens again.
TEST(DxfHostile, GroupsAfterAnEmbeddedObjectMarkerAreKeptOnlyNotReadAsWell) {
  const std::string head = "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1021\n  0\nENDSEC\n";
  const struct {
    const char* what;
    std::string sections;
    const char* once;  // lines the saved drawing holds exactly once
  } cases[] = {
      {"dictionary entries",
       "  0\nSECTION\n  2\nOBJECTS\n"
       "  0\nDICTIONARY\n  5\nC\n330\n0\n100\nAcDbDictionary\n  3\nNOTES\n350\nD\n"
       "  0\nDICTIONARY\n  5\nD\n330\nC\n101\nAcDbDictionary\n  3\nSURVEY-KEY\n350\nE\n"
       "  0\nXRECORD\n  5\nE\n330\nD\n100\nAcDbXrecord\n280\n1\n  1\nkept-note\n  0\nENDSEC\n",
       "SURVEY-KEY\n"},
      // An xrecord's data is its own whatever codes it holds, under a
      // marker misspelled too.
      {"an xrecord's data holding 101",
       "  0\nSECTION\n  2\nOBJECTS\n  0\nDICTIONARY\n  5\nC\n330\n0\n100\nAcDbDictionary\n  3\nNOTES\n350\nE\n"
       "  0\nXRECORD\n  5\nE\n330\nC\n100\nAcDbXrecord\n280\n1\n101\ninner\n  1\nafter-101\n  0\nENDSEC\n",
       "after-101\n"},
      {"an xrecord under a misspelled marker",
       "  0\nSECTION\n  2\nOBJECTS\n  0\nDICTIONARY\n  5\nC\n330\n0\n100\nAcDbDictionary\n  3\nNOTES\n350\nE\n"
       "  0\nXRECORD\n  5\nE\n330\nC\n100\nAcDbXrecorx\n280\n1\n  1\nxrecord-data\n  0\nENDSEC\n",
       "xrecord-data\n"},
      {"a layer's colour",
       "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nLAYER\n  5\n2\n100\nAcDbSymbolTable\n 70\n1\n"
       "  0\nLAYER\n  5\n10\n100\nAcDbSymbolTableRecord\n100\nAcDbLayerTableRecord\n  2\nPEGS\n 70\n0\n"
       "101\nEmbedded Object\n 62\n123\n  0\nENDTAB\n  0\nENDSEC\n",
       " 62\n123\n"},
      {"a line's end",
       "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  5\n30\n100\nAcDbEntity\n  8\n0\n100\nAcDbLine\n"
       " 10\n1.0\n 20\n2.0\n 30\n0.0\n101\nEmbedded Object\n 11\n77.5\n 21\n88.5\n 31\n0.0\n  0\nENDSEC\n",
       " 11\n77.5\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    AcDbDatabase db;
    const uv::dxf::Result r = uv::dxf::loadFromString(head + c.sections + "  0\nEOF\n", db, L"embedded.dxf");
    ASSERT_TRUE(r.ok) << uv::toUtf8(r.error);
    std::string saved;
    ASSERT_TRUE(uv::dxf::saveToString(db, saved).ok);
    EXPECT_EQ(occurrences(saved, c.once), 1u) << saved;
    AcDbDatabase again;
    const uv::dxf::Result reopened = uv::dxf::loadFromString(saved, again, L"saved.dxf");
    ASSERT_TRUE(reopened.ok) << uv::toUtf8(reopened.error);
    EXPECT_EQ(uv::checkDatabase(again), std::vector<std::string>());
    std::string savedAgain;
    ASSERT_TRUE(uv::dxf::saveToString(again, savedAgain).ok);
    EXPECT_EQ(occurrences(savedAgain, c.once), 1u) << savedAgain;
  }

  // What the embedded part held is not the object's: the layer keeps its
  // default colour, the line ends at its start's default, the dictionary
  // files no entry.
  AcDbDatabase db;
  ASSERT_TRUE(uv::dxf::loadFromString(head + cases[3].sections + cases[4].sections + "  0\nEOF\n", db).ok);
  AcDbObjectPointer<AcDbLayerTable> layers(db.layerTableId());
  AcDbObjectId layerId;
  ASSERT_EQ(layers->getAt(L"PEGS", layerId), Acad::eOk);
  AcDbObjectPointer<AcDbLayerTableRecord> layer(layerId);
  EXPECT_EQ(layer->color().colorIndex(), 7);
  AcDbObjectId lineId;
  ASSERT_EQ(db.getAcDbObjectId(lineId, false, AcDbHandle(L"30")), Acad::eOk);
  AcDbObjectPointer<AcDbLine> line(lineId);
  ASSERT_EQ(line.openStatus(), Acad::eOk);
  EXPECT_EQ(line->endPoint(), AcGePoint3d(0, 0, 0));
  AcDbDatabase dicts;
  ASSERT_TRUE(uv::dxf::loadFromString(head + cases[0].sections + "  0\nEOF\n", dicts).ok);
  AcDbObjectId dictId;
  ASSERT_EQ(dicts.getAcDbObjectId(dictId, false, AcDbHandle(L"D")), Acad::eOk);
  AcDbObjectPointer<AcDbDictionary> dict(dictId);
  ASSERT_EQ(dict.openStatus(), Acad::eOk);
  EXPECT_EQ(dict->numEntries(), 0u);
}

// The root dictionary naming itself as the group dictionary: both want one
// handle. Opening ends (it once looped for good, handing the handle back and
// forth) and refuses the drawing for the dictionary that holds itself.
TEST(DxfHostile, ARootDictionaryThatIsItsOwnGroupDictionaryIsRefusedNotLoopedOn) {
  const std::string text =
      "  0\nSECTION\n  2\nOBJECTS\n"
      "  0\nDICTIONARY\n  5\n6\n330\n0\n100\nAcDbDictionary\n281\n1\n  3\nACAD_GROUP\n350\n6\n"
      "  0\nENDSEC\n  0\nEOF\n";
  AcDbDatabase db;
  const uv::dxf::Result r = uv::dxf::loadFromString(text, db, L"self.dxf");
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find(L"dictionary entry 'ACAD_GROUP' names DICTIONARY 6, which is filed already"), std::wstring::npos)
      << uv::toUtf8(r.error);
  EXPECT_TRUE(uv::dxf::isNewDatabase(db));
}
