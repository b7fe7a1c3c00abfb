// A drawing opened and saved keeps what the database does not model: every
// entity kind ezdxf writes comes back record by record, and commands that
// touch modelled objects leave the kept ones alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "LoadAndSave.h"
#include "ScratchFolder.h"
#include "base/TextCase.h"
#include "db/AcDbBlockTable.h"
#include "db/AcDbDictionary.h"
#include "db/AcDbLayerTable.h"
#include "db/AcDbLine.h"
#include "db/AcDbObjectPointer.h"
#include "db/AcDbPolyline.h"
#include "db/AcDbRawEntity.h"
#include "db/AcDbRawObject.h"
#include "db/AcDbText.h"
#include "db/AcDbTextStyleTable.h"
#include "db/AcDbTextStyleTableRecord.h"
#include "db/AcDbXrecord.h"
#include "db/DrawingChecker.h"
#include "db/dxf/DxfFile.h"

using uvtest::loadAndSave;

namespace {

const std::string kPython = "/usr/bin/python3";
const std::string kScripts = UV_TEST_DATA_DIR;

std::string q(const std::filesystem::path& p) { return "'" + p.string() + "'"; }

// Runs a command with its output in a file; the exit status and the output.
std::pair<int, std::string> run(const uvtest::ScratchFolder& dir, const std::string& command) {
  const auto log = dir.file("command.log");
  const int status = std::system((command + " > '" + log.string() + "' 2>&1").c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, uvtest::readText(log)};
}

// ezdxf's drawing of every entity kind it writes, in one version; a failure to make it is
// reported here and leaves no file, so the load that follows fails too.
std::filesystem::path everyEntityDrawing(const uvtest::ScratchFolder& dir, const std::string& version) {
  const auto path = dir.file("every.dxf");
  const auto [made, log] =
      run(dir, kPython + " " + q(kScripts + "/make_every_entity.py") + " " + version + " " + q(path));
  EXPECT_EQ(made, 0) << log;
  return path;
}

std::string joined(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += l + "\n";
  return out;
}

// ezdxf's drawing of every kind in `version`, opened (without a mend, to a
// sound database) into `db` and saved again by us: its file and ours.
struct OpenedAndSaved {
  std::filesystem::path theirs, ours;
};
OpenedAndSaved openAndSave(const uvtest::ScratchFolder& dir, const std::string& version, AcDbDatabase& db) {
  OpenedAndSaved files{everyEntityDrawing(dir, version), dir.file("ours.dxf")};
  const uv::dxf::Result r = uv::dxf::load(uv::fromUtf8(files.theirs.string()), db);
  EXPECT_TRUE(r.ok) << uv::toUtf8(r.error);
  EXPECT_EQ(r.mendedText(), L"");
  EXPECT_EQ(joined(uv::checkDatabase(db)), "");
  EXPECT_TRUE(uv::dxf::save(db, uv::fromUtf8(files.ours.string())).ok);
  return files;
}

// A drawing in DXF R2000 form with kept records around one line.
const std::string kHeader =
    "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1024\n  9\n$HANDSEED\n  5\n30\n  9\n$LUNITS\n 70\n2\n"
    "  0\nENDSEC\n  0\nSECTION\n  2\nCLASSES\n  0\nCLASS\n  1\nWIPEOUTVARIABLES\n  2\nAcDbWipeoutVariables\n"
    "  3\nWipeOut\n 90\n0\n 91\n1\n280\n0\n281\n0\n  0\nENDSEC\n";
const std::string kDimension =
    "  0\nDIMENSION\n  5\n400\n100\nAcDbEntity\n  8\nDIMS\n100\nAcDbDimension\n  2\n*D1\n 10\n1.5\n"
    " 20\n2.25\n 30\n0.0\n 70\n33\n100\nAcDbAlignedDimension\n 13\n0.0\n 23\n0.0\n 33\n0.0\n";
const std::string kLine =
    "  0\nLINE\n  5\n401\n102\n{ACAD_XDICTIONARY\n360\n402\n102\n}\n100\nAcDbEntity\n  8\nDIMS\n"
    "420\n16711680\n100\nAcDbLine\n 10\n0.0\n 20\n0.0\n 30\n0.0\n 11\n5.0\n 21\n5.0\n 31\n0.0\n";
const std::string kExtensionDictionary =
    "  0\nDICTIONARY\n  5\n402\n330\n401\n100\nAcDbDictionary\n280\n1\n281\n1\n  3\nNOTE\n360\n403\n"
    "  0\nXRECORD\n  5\n403\n330\n402\n100\nAcDbXrecord\n280\n1\n  1\nkept\n";

std::string drawingText() {
  return kHeader + "  0\nSECTION\n  2\nENTITIES\n" + kDimension + kLine + "  0\nENDSEC\n" +
         "  0\nSECTION\n  2\nOBJECTS\n" + kExtensionDictionary + "  0\nENDSEC\n  0\nEOF\n";
}

AcDbObjectId idOf(AcDbDatabase& db, const wchar_t* hex) {
  AcDbObjectId id;
  EXPECT_EQ(db.getAcDbObjectId(id, false, AcDbHandle(hex)), Acad::eOk) << uv::toUtf8(hex);
  return id;
}

}  // namespace

// Every kind ezdxf writes, in each version family: ezdxf's audit passes and
// every record comes back (kept ones group for group, modelled ones by
// their attributes), and a second open and save changes nothing.
TEST(DxfKeep, EveryEzdxfEntityKindComesBackRecordByRecord) {
  for (const char* version : {"R12", "R2018"}) {
    SCOPED_TRACE(version);
    uvtest::ScratchFolder dir;
    AcDbDatabase db;
    const auto [theirs, ours] = openAndSave(dir, version, db);
    ASSERT_FALSE(HasFailure());
    const auto [compared, log] =
        run(dir, kPython + " " + q(kScripts + "/compare_kept.py") + " " + q(theirs) + " " + q(ours));
    EXPECT_EQ(compared, 0) << log;

    AcDbDatabase again;
    ASSERT_TRUE(uv::dxf::load(uv::fromUtf8(ours.string()), again).ok);
    std::string first, second;
    ASSERT_TRUE(uv::dxf::saveToString(db, first).ok);
    ASSERT_TRUE(uv::dxf::saveToString(again, second).ok);
    EXPECT_EQ(first, second);
  }
}

TEST(DxfKeep, KeptRecordsComeBackAsTheyCameAroundAChangedDrawing) {
  AcDbDatabase db;
  const uv::dxf::Result r = uv::dxf::loadFromString(drawingText(), db, L"kept.dxf");
  ASSERT_TRUE(r.ok) << uv::toUtf8(r.error);
  EXPECT_EQ(joined(uv::checkDatabase(db)), "");
  {
    AcDbObjectPointer<AcDbRawEntity> dim(idOf(db, L"400"));
    ASSERT_EQ(dim.openStatus(), Acad::eOk);
    EXPECT_EQ(dim->dxfName(), "DIMENSION");
    AcDbObjectPointer<AcDbRawObject> xrecord(idOf(db, L"403"));
    ASSERT_EQ(xrecord.openStatus(), Acad::eOk);
    EXPECT_EQ(xrecord->ownerId(), idOf(db, L"402"));
  }
  // A command renames the layer and adds a line.
  {
    AcDbObjectPointer<AcDbLayerTable> layers(db.layerTableId());
    AcDbObjectId layerId;
    ASSERT_EQ(layers->getAt(L"DIMS", layerId), Acad::eOk);
    AcDbObjectPointer<AcDbLayerTableRecord> layer(layerId, AcDb::kForWrite);
    ASSERT_EQ(layer->setName(L"KOTE"), Acad::eOk);
  }
  AcDbObjectId added;
  {
    AcDbObjectPointer<AcDbBlockTableRecord> ms(db.modelSpaceId(), AcDb::kForWrite);
    auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
    ASSERT_EQ(ms->appendAcDbEntity(added, line), Acad::eOk);
    line->close();
  }
  // New objects take handles above every kept one, whatever the file's seed said.
  EXPECT_GT(added.handle().value(), 0x403u);

  std::string saved;
  ASSERT_TRUE(uv::dxf::saveToString(db, saved).ok);
  auto renamed = [](std::string record) { return record.replace(record.find("DIMS"), 4, "KOTE"); };
  for (const std::string& kept :
       {renamed(kDimension), kExtensionDictionary, std::string("  9\n$LUNITS\n 70\n2\n"),
        std::string("  9\n$ACADVER\n  1\nAC1024\n"), std::string("  0\nCLASS\n  1\nWIPEOUTVARIABLES\n"),
        // The line's reactors follow its handle, its true colour closes its entity part.
        std::string("  0\nLINE\n  5\n401\n102\n{ACAD_XDICTIONARY\n360\n402\n102\n}\n330\n"),
        std::string("420\n16711680\n100\nAcDbLine\n")})
    EXPECT_NE(saved.find(kept), std::string::npos) << kept;

  // Erasing the line drops its extension dictionary from the file (nothing
  // may name an owner the file lacks); the dimension stays.
  {
    AcDbObjectPointer<AcDbLine> line(idOf(db, L"401"), AcDb::kForWrite);
    ASSERT_EQ(line->erase(), Acad::eOk);
  }
  ASSERT_TRUE(uv::dxf::saveToString(db, saved).ok);
  EXPECT_EQ(saved.find("  5\n402\n"), std::string::npos);
  EXPECT_EQ(saved.find("  5\n403\n"), std::string::npos);
  EXPECT_NE(saved.find("  0\nDIMENSION\n  5\n400\n"), std::string::npos);
}

TEST(DxfKeep, UnmodelledEntriesOfModelledTablesStayInTheirTable) {
  const std::string text =
      "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nSTYLE\n  5\n3\n 70\n2\n"
      "  0\nSTYLE\n  5\n11\n100\nAcDbSymbolTableRecord\n100\nAcDbTextStyleTableRecord\n  2\n\n 70\n1\n"
      " 40\n0.0\n 41\n1.0\n 50\n0.0\n 71\n0\n 42\n1.0\n  3\nltypeshp.shx\n  4\n\n"
      "  0\nSTYLE\n  5\n12\n100\nAcDbSymbolTableRecord\n100\nAcDbTextStyleTableRecord\n  2\nNOTES\n 70\n0\n"
      " 40\n0.0\n 41\n1.0\n 50\n0.0\n 71\n4\n 42\n2.5\n  3\nisocp.shx\n  4\n\n1071\n0\n"
      "  0\nENDTAB\n  0\nENDSEC\n  0\nEOF\n";
  AcDbDatabase db;
  std::string saved;
  ASSERT_TRUE(loadAndSave(text, db, L"styles.dxf", saved));
  const size_t table = saved.find("  2\nSTYLE\n");
  const size_t end = saved.find("ENDTAB", table);
  ASSERT_NE(table, std::string::npos);
  const std::string styles = saved.substr(table, end - table);
  // The shape file is kept whole, in its table.
  EXPECT_NE(styles.find("  0\nSTYLE\n  5\n11\n"), std::string::npos) << styles;
  EXPECT_NE(styles.find("  3\nltypeshp.shx\n"), std::string::npos) << styles;
  // NOTES keeps its upside-down flag (71) and last height (42), once each.
  const size_t notes = styles.find("  2\nNOTES\n");
  ASSERT_NE(notes, std::string::npos) << styles;
  const std::string record = styles.substr(notes, styles.find("  0\n", notes) - notes);
  EXPECT_NE(record.find(" 71\n4\n"), std::string::npos) << record;
  EXPECT_EQ(record.find(" 71\n0\n"), std::string::npos) << record;
  EXPECT_EQ(record.find(" 42\n2.5\n"), record.rfind(" 42\n2.5\n")) << record;
}

// An entry without a name cannot be a table's record, but it is the user's:
// kept whole in its table, and the saved drawing opens again.
TEST(DxfKeep, NamelessEntriesOfModelledTablesStayInTheirTable) {
  for (const std::string kind : {"LTYPE", "LAYER", "APPID", "BLOCK_RECORD"}) {
    SCOPED_TRACE(kind);
    const std::string text = "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\n" + kind + "\n  5\n3\n 70\n1\n"
                             "  0\n" + kind + "\n  5\n11\n100\nAcDbSymbolTableRecord\n 70\n0\n1001\nKEPT\n"
                             "  0\nENDTAB\n  0\nENDSEC\n  0\nEOF\n";
    AcDbDatabase db;
    std::string saved;
    ASSERT_TRUE(loadAndSave(text, db, L"nameless.dxf", saved));
    const size_t table = saved.find("  2\n" + kind + "\n");
    ASSERT_NE(table, std::string::npos) << saved;
    const std::string entries = saved.substr(table, saved.find("ENDTAB", table) - table);
    EXPECT_NE(entries.find("  0\n" + kind + "\n  5\n11\n"), std::string::npos) << entries;
    EXPECT_NE(entries.find("1001\nKEPT\n"), std::string::npos) << entries;
    AcDbDatabase again;
    const uv::dxf::Result reloaded = uv::dxf::loadFromString(saved, again, L"again.dxf");
    EXPECT_TRUE(reloaded.ok) << uv::toUtf8(reloaded.error);
  }
}

// What a modelled record keeps: the groups the database has no value for,
// each under the subclass marker it came under, and nothing else (a marker
// with nothing kept after it is dropped; an embedded object is kept whole).
TEST(DxfKeep, ModelledRecordsKeepOnlyTheirUnmodelledGroups) {
  const std::string points = " 10\n0.0\n 20\n0.0\n 30\n0.0\n 11\n5.0\n 21\n5.0\n 31\n0.0\n";
  const struct {
    const char* name;
    std::string body;  // the line's groups after its handle
    uv::RawGroups kept;
  } cases[] = {
      {"markers only", "100\nAcDbEntity\n  8\nDIMS\n100\nAcDbLine\n" + points, {}},
      {"under the entity's marker", "100\nAcDbEntity\n  8\nDIMS\n420\n255\n100\nAcDbLine\n" + points,
       {{100, "AcDbEntity"}, {420, "255"}}},
      {"under the line's marker", "100\nAcDbEntity\n  8\nDIMS\n100\nAcDbLine\n" + points + " 71\n3\n",
       {{100, "AcDbLine"}, {71, "3"}}},
      {"without markers", "  8\nDIMS\n" + points + " 71\n3\n", {{71, "3"}}},
      {"a misspelled marker", "100\nAcDbEntity\n  8\nDIMS\n100\nAcDbLien\n" + points + " 71\n3\n",
       {{100, "AcDbLien"}, {71, "3"}}},
      {"an embedded object", "100\nAcDbEntity\n  8\nDIMS\n100\nAcDbLine\n" + points + "101\nEmbedded Object\n"
       "100\nAcDbEmbedded\n 10\n7.0\n100\nAcDbEmpty\n",
       // kept under the line's marker, as it came after the line's groups
       {{100, "AcDbLine"}, {101, "Embedded Object"}, {100, "AcDbEmbedded"}, {10, "7.0"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string text = kHeader + "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  5\n401\n" + c.body +
                             "  0\nENDSEC\n  0\nEOF\n";
    AcDbDatabase db;
    const uv::dxf::Result r = uv::dxf::loadFromString(text, db, L"kept.dxf");
    ASSERT_TRUE(r.ok) << uv::toUtf8(r.error);
    AcDbObjectPointer<AcDbLine> line(idOf(db, L"401"));
    ASSERT_EQ(line.openStatus(), Acad::eOk);
    EXPECT_EQ(line->keptGroups(), c.kept);
    EXPECT_EQ(line->endPoint(), AcGePoint3d(5, 5, 0));
  }
}

namespace {

// The saved record of the object with this handle, from its 0 group to the next.
std::string savedRecord(const std::string& saved, const std::string& handle) {
  const size_t at = saved.find("\n  5\n" + handle + "\n");
  if (at == std::string::npos) return "(no record " + handle + ")";
  const size_t begin = saved.rfind("  0\n", at);
  return saved.substr(begin, saved.find("\n  0\n", at) + 1 - begin);
}

std::string entitiesDrawing(const std::string& entities) {
  return kHeader + "  0\nSECTION\n  2\nENTITIES\n" + entities + "  0\nENDSEC\n  0\nEOF\n";
}

const std::string kLwPolyline = "  0\nLWPOLYLINE\n  5\n401\n100\nAcDbEntity\n  8\n0\n100\nAcDbPolyline\n 90\n2\n 70\n0\n";
const std::string kLwPoints = " 10\n0.0\n 20\n0.0\n 10\n5.0\n 20\n0.0\n";
const std::string kText = "  0\nTEXT\n  5\n401\n100\nAcDbEntity\n  8\n0\n100\nAcDbText\n 10\n0.0\n 20\n0.0\n"
                          " 30\n0.0\n 40\n1.0\n  1\nnote\n";
const std::string kPlainLine = "  0\nLINE\n  5\n401\n100\nAcDbEntity\n  8\n0\n";
const std::string kLineBody = "100\nAcDbLine\n 10\n0.0\n 20\n0.0\n 30\n0.0\n 11\n5.0\n 21\n5.0\n 31\n0.0\n";

}  // namespace

// Defaults that writers differ in stating (a text's standard style, a zero
// constant width, ByLayer or ByBlock and their spelling, the clip mode of
// a wipeout, a vertex's owner): what the file said comes back, stated or not.
TEST(DxfKeep, DefaultsComeBackStatedOrNotAsTheFileHadThem) {
  const struct {
    const char* name;
    std::string entities;
    std::string handle;     // of the record looked at
    std::string expected;   // in its saved record ("" for none)
    std::string forbidden;  // not in it
  } cases[] = {
      {"text naming no style", kText + "100\nAcDbText\n", "401", "", "\n  7\n"},
      {"text naming the standard style", kText + "  7\nSTANDARD\n100\nAcDbText\n", "401", "  1\nnote\n  7\nSTANDARD\n",
       ""},
      {"paragraph naming no style",
       "  0\nMTEXT\n  5\n401\n100\nAcDbEntity\n  8\n0\n100\nAcDbMText\n 10\n0.0\n 20\n0.0\n 30\n0.0\n 40\n1.0\n"
       " 71\n1\n  1\nnote\n",
       "401", "", "\n  7\n"},
      {"polyline without a width", kLwPolyline + kLwPoints, "401", "", "\n 43\n"},
      {"polyline stating a zero width", kLwPolyline + " 43\n0.0\n" + kLwPoints, "401", " 70\n0\n 43\n0.0\n 10\n", ""},
      {"line stating ByLayer", kPlainLine + "  6\nByLayer\n" + kLineBody, "401", "  8\n0\n  6\nByLayer\n", ""},
      {"line in capitals BYBLOCK", kPlainLine + "  6\nBYBLOCK\n" + kLineBody, "401", "  6\nBYBLOCK\n", "ByBlock"},
      {"line stating no linetype", kPlainLine + kLineBody, "401", "", "\n  6\n"},
      {"vertex naming its polyline",
       "  0\nPOLYLINE\n  5\n401\n100\nAcDbEntity\n  8\n0\n100\nAcDb2dPolyline\n 66\n1\n 10\n0.0\n 20\n0.0\n 30\n0.0\n"
       " 70\n0\n  0\nVERTEX\n  5\n402\n330\n401\n100\nAcDbEntity\n  8\n0\n100\nAcDbVertex\n100\nAcDb2dVertex\n"
       " 10\n1.0\n 20\n2.0\n 30\n0.0\n 70\n0\n  0\nSEQEND\n  5\n403\n330\n401\n100\nAcDbEntity\n  8\n0\n",
       "402", "330\n401\n", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AcDbDatabase db;
    const uv::dxf::Result r = uv::dxf::loadFromString(entitiesDrawing(c.entities), db, L"defaults.dxf");
    ASSERT_TRUE(r.ok) << uv::toUtf8(r.error);
    std::string saved;
    ASSERT_TRUE(uv::dxf::saveToString(db, saved).ok);
    const std::string record = savedRecord(saved, c.handle);
    if (!c.expected.empty()) {
      EXPECT_NE(record.find(c.expected), std::string::npos) << record;
    }
    if (!c.forbidden.empty()) {
      EXPECT_EQ(record.find(c.forbidden), std::string::npos) << record;
    }
  }
}

// A value a command changed is written once, as the database holds it: a
// file's spelling of the old value does not come back beside it.
TEST(DxfKeep, ACommandsValueReplacesTheFilesStatedDefault) {
  AcDbDatabase db;
  const std::string entities =
      kText + "  7\nSTANDARD\n100\nAcDbText\n" +
      "  0\nLWPOLYLINE\n  5\n402\n100\nAcDbEntity\n  8\n0\n  6\nBYBLOCK\n100\nAcDbPolyline\n 90\n2\n 70\n0\n"
      " 43\n0.0\n" + kLwPoints;
  ASSERT_TRUE(uv::dxf::loadFromString(entitiesDrawing(entities), db, L"changed.dxf").ok);
  AcDbObjectId notes;
  {
    AcDbObjectPointer<AcDbTextStyleTable> styles(db.textStyleTableId(), AcDb::kForWrite);
    auto* style = new AcDbTextStyleTableRecord;
    style->setName(L"NOTES");
    ASSERT_EQ(styles->add(notes, style), Acad::eOk);
    style->close();
  }
  {
    AcDbObjectPointer<AcDbText> t(idOf(db, L"401"), AcDb::kForWrite);
    ASSERT_EQ(t->setTextStyle(notes), Acad::eOk);
    AcDbObjectPointer<AcDbPolyline> p(idOf(db, L"402"), AcDb::kForWrite);
    ASSERT_EQ(p->setConstantWidth(0.5), Acad::eOk);
    ASSERT_EQ(p->setLinetype(db.continuousLinetype()), Acad::eOk);
  }
  std::string saved;
  ASSERT_TRUE(uv::dxf::saveToString(db, saved).ok);
  const std::string t = savedRecord(saved, "401"), p = savedRecord(saved, "402");
  EXPECT_NE(t.find("  7\nNOTES\n"), std::string::npos) << t;
  EXPECT_EQ(t.find("STANDARD"), std::string::npos) << t;
  EXPECT_NE(p.find(" 43\n0.5\n"), std::string::npos) << p;
  EXPECT_EQ(p.find(" 43\n0.0\n"), std::string::npos) << p;
  EXPECT_NE(p.find("  6\nContinuous\n"), std::string::npos) << p;
  EXPECT_EQ(p.find("BYBLOCK"), std::string::npos) << p;
  // The saved drawing saves the same again.
  AcDbDatabase again;
  ASSERT_TRUE(uv::dxf::loadFromString(saved, again, L"again.dxf").ok);
  std::string twice;
  ASSERT_TRUE(uv::dxf::saveToString(again, twice).ok);
  EXPECT_EQ(twice, saved);
}

// Drawings ezdxf writes, of every version with objects, come back group for
// group and in the file's order, save for what compare_groups.py lists as
// the writer's own (the version, the handle seed, a layer the file named
// but lacked).
TEST(DxfKeep, EzdxfDrawingsComeBackGroupForGroup) {
  for (const char* version : {"R2000", "R2004", "R2007", "R2010", "R2013", "R2018"}) {
    SCOPED_TRACE(version);
    uvtest::ScratchFolder dir;
    AcDbDatabase db;
    const auto [theirs, ours] = openAndSave(dir, version, db);
    ASSERT_FALSE(HasFailure());
    const auto [compared, log] =
        run(dir, kPython + " " + q(kScripts + "/compare_groups.py") + " " + q(theirs) + " " +
                     q(ours));
    EXPECT_EQ(compared, 0) << log;
  }
}

// Another program reads what we saved: LibreCAD prints the saved drawing
// as it prints the original, pixel for pixel (a kind it cannot read any
// more, or a record it now rejects, leaves ink out of the print).
TEST(DxfKeep, LibreCadPrintsTheSavedDrawingAsItPrintsTheOriginal) {
  uvtest::ScratchFolder dir;
  AcDbDatabase db;
  const auto [theirs, ours] = openAndSave(dir, "R2018", db);
  ASSERT_FALSE(HasFailure());
  const auto [printed, log] = run(dir, kPython + " " + q(std::string(UV_SOURCE_DIR) + "/tests/e2e/librecad_print.py") +
                                           " " + q(theirs) + " " + q(ours));
  EXPECT_EQ(printed, 0) << log;
}

namespace {

// The handles of the OBJECTS section's records, in the order saved.
std::vector<std::string> objectHandles(const std::string& saved) {
  std::vector<std::string> out;
  size_t at = saved.find("  2\nOBJECTS\n");
  const size_t end = saved.find("  0\nENDSEC\n", at);
  while ((at = saved.find("  0\n", at + 1)) < end) {
    const size_t handle = saved.find("  5\n", at);
    const size_t eol = saved.find('\n', handle + 4);
    out.push_back(saved.substr(handle + 4, eol - handle - 4));
  }
  return out;
}

std::string listed(const std::vector<std::string>& handles) {
  std::string out;
  for (const std::string& h : handles) out += h + " ";
  return out;
}

// Whether a saved drawing opens and saves again to the very same text.
::testing::AssertionResult reopensAndSavesTheSame(const std::string& saved) {
  AcDbDatabase again;
  const uv::dxf::Result reloaded = uv::dxf::loadFromString(saved, again, L"again.dxf");
  if (!reloaded.ok) return ::testing::AssertionFailure() << "it does not open: " << uv::toUtf8(reloaded.error);
  std::string twice;
  if (!uv::dxf::saveToString(again, twice).ok) return ::testing::AssertionFailure() << "it does not save";
  if (twice != saved) return ::testing::AssertionFailure() << "it saves otherwise:\n" << twice;
  return ::testing::AssertionSuccess();
}

}  // namespace

// The OBJECTS section keeps the file's order, which need not be the
// dictionaries' (an entry ahead of its dictionary, an object no dictionary
// holds in between); what a command erased is left out, what it made comes
// after, in the order it was made; and the saved drawing saves the same.
TEST(DxfKeep, ObjectsComeBackInTheFilesOrderWithNewOnesAfter) {
  const std::string text =
      "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1024\n  9\n$HANDSEED\n  5\n100\n  0\nENDSEC\n"
      "  0\nSECTION\n  2\nOBJECTS\n"
      "  0\nXRECORD\n  5\n22\n330\n20\n100\nAcDbXrecord\n280\n1\n  1\nsecond\n"
      "  0\nDICTIONARY\n  5\nC\n330\n0\n100\nAcDbDictionary\n281\n1\n  3\nACAD_GROUP\n350\nD\n"
      "  3\nNOTES\n350\n20\n"
      "  0\nIMAGEDEF\n  5\n30\n330\nC\n100\nAcDbRasterImageDef\n  1\nsite.png\n"
      "  0\nDICTIONARY\n  5\n20\n330\nC\n100\nAcDbDictionary\n281\n1\n  3\nA\n350\n21\n  3\nB\n350\n22\n"
      "  0\nXRECORD\n  5\n21\n330\n20\n100\nAcDbXrecord\n280\n1\n  1\nfirst\n"
      "  0\nDICTIONARY\n  5\nD\n330\nC\n100\nAcDbDictionary\n281\n1\n"
      "  0\nENDSEC\n  0\nEOF\n";
  AcDbDatabase db;
  std::string saved;
  ASSERT_TRUE(loadAndSave(text, db, L"objects.dxf", saved));
  const std::vector<std::string> asRead = objectHandles(saved);
  const std::vector<std::string> fileOrder = {"22", "C", "30", "20", "21", "D"};
  ASSERT_GE(asRead.size(), fileOrder.size()) << listed(asRead);
  EXPECT_EQ(listed({asRead.begin(), asRead.begin() + 6}), listed(fileOrder));

  // A command erases the first xrecord and files two new ones: one in the
  // dictionary the file had, then one in the root.
  AcDbObjectId first, second;
  {
    AcDbObjectPointer<AcDbXrecord> x(idOf(db, L"21"), AcDb::kForWrite);
    ASSERT_EQ(x->erase(), Acad::eOk);
    AcDbObjectPointer<AcDbDictionary> notes(idOf(db, L"20"), AcDb::kForWrite);
    auto* made = new AcDbXrecord;
    ASSERT_EQ(notes->setAt(L"C", made, first), Acad::eOk);
    made->close();
    AcDbObjectPointer<AcDbDictionary> root(db.namedObjectsDictionaryId(), AcDb::kForWrite);
    made = new AcDbXrecord;
    ASSERT_EQ(root->setAt(L"AFTER", made, second), Acad::eOk);
    made->close();
  }
  ASSERT_TRUE(uv::dxf::saveToString(db, saved).ok);
  const std::vector<std::string> changed = objectHandles(saved);
  // The file's objects, less the erased one, then the rest; the two new
  // ones in the order they were made.
  const std::vector<std::string> kept = {"22", "C", "30", "20", "D"};
  ASSERT_GE(changed.size(), kept.size() + 2) << listed(changed);
  EXPECT_EQ(listed({changed.begin(), changed.begin() + 5}), listed(kept));
  auto at = [&](const AcDbObjectId& id) {
    return std::find(changed.begin(), changed.end(), uv::toUtf8(id.handle().text())) - changed.begin();
  };
  EXPECT_GE(at(first), 5) << listed(changed);
  EXPECT_LT(at(first), at(second)) << listed(changed);
  EXPECT_LT(at(second), static_cast<long>(changed.size())) << listed(changed);

  // Read back and saved again: the same bytes.
  EXPECT_TRUE(reopensAndSavesTheSame(saved));
}

// A root dictionary the file gave no handle is saved first: a reader takes
// the first ownerless dictionary for the root, and a second one the drawing
// keeps as it came (its entries unread) must not take its place.
TEST(DxfKeep, ARootWithoutAHandleIsSavedAheadOfAnotherOwnerlessDictionary) {
  const std::string text =
      "  0\nSECTION\n  2\nOBJECTS\n"
      "  0\nDICTIONARY\n330\n0\n100\nAcDbDictionary\n281\n1\n  3\nNOTES\n350\n20\n"
      "  0\nDICTIONARY\n  5\n6\n330\n0\n100\nAcDbDictionary\n281\n1\n  3\nODD\n350\nnot a handle\n"
      "  0\nXRECORD\n  5\n20\n330\n0\n100\nAcDbXrecord\n280\n1\n  1\nnote\n"
      "  0\nENDSEC\n  0\nEOF\n";
  AcDbDatabase db;
  std::string saved;
  ASSERT_TRUE(loadAndSave(text, db, L"roots.dxf", saved));
  const std::vector<std::string> handles = objectHandles(saved);
  ASSERT_FALSE(handles.empty());
  EXPECT_EQ(handles.front(), uv::toUtf8(db.namedObjectsDictionaryId().handle().text())) << listed(handles);
  EXPECT_NE(saved.find("350\nnot a handle\n"), std::string::npos) << "the second dictionary is kept";
  EXPECT_TRUE(reopensAndSavesTheSame(saved));
}

// An object of the OBJECTS section whose owner is a table (as some programs
// write an image definition) is saved where it came, not among the table's
// entries.
TEST(DxfKeep, AnObjectOwnedByATableStaysAmongTheObjects) {
  // Written into the table, a TABLE or LAYER record broke it, and one without a handle of its
  // own was taken for an entry before this.
  const struct {
    const char* record;  // among the objects, owned by the layer table (handle 2)
    const char* saved;   // how it starts in the saved file
  } cases[] = {
      {"  0\nIMAGEDEF\n  5\n30\n330\n2\n100\nAcDbRasterImageDef\n  1\nsite.png\n", "  0\nIMAGEDEF\n  5\n30\n330\n2\n"},
      {"  0\nIMAGEDEF\n330\n2\n100\nAcDbRasterImageDef\n  1\nsite.png\n", "  0\nIMAGEDEF\n"},
      {"  0\nTABLE\n330\n2\n100\n\n", "  0\nTABLE\n"},
      {"  0\nLAYER\n330\n2\n100\nAcDbSymbolTableRecord\n  2\nFOUND\n", "  0\nLAYER\n"},
  };
  for (const auto& c : cases) {
    const std::string text =
        "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nLAYER\n  5\n2\n 70\n1\n"
        "  0\nLAYER\n  5\n10\n330\n2\n  2\n0\n 70\n0\n 62\n7\n  6\nCONTINUOUS\n  0\nENDTAB\n  0\nENDSEC\n"
        "  0\nSECTION\n  2\nOBJECTS\n  0\nDICTIONARY\n  5\nC\n330\n0\n100\nAcDbDictionary\n" +
        std::string(c.record) + "  0\nENDSEC\n  0\nEOF\n";
    AcDbDatabase db;
    std::string saved;
    ASSERT_TRUE(loadAndSave(text, db, L"owned.dxf", saved)) << c.record;
    const size_t objects = saved.find("  2\nOBJECTS\n");
    ASSERT_NE(objects, std::string::npos);
    const size_t record = saved.rfind(c.saved);
    ASSERT_NE(record, std::string::npos) << saved;
    EXPECT_GT(record, objects) << saved;
    EXPECT_TRUE(reopensAndSavesTheSame(saved)) << c.record;
  }
}

// Entries of a dictionary after the marker of another kind's subclass are
// kept as they came, not read as well: read too, the save wrote them twice
// and the saved drawing would not open (an object in two places).
TEST(DxfKeep, DictionaryEntriesUnderAnotherKindsMarkerAreKeptNotRead) {
  const std::string text =
      "  0\nSECTION\n  2\nOBJECTS\n"
      "  0\nDICTIONARY\n  5\nC\n330\n0\n100\nAcDbDictionary\n281\n1\n  3\nA\n350\n21\n"
      "100\nAcDbXrecord\n  3\nB\n350\n20\n"
      "  0\nXRECORD\n  5\n20\n330\nC\n100\nAcDbXrecord\n280\n1\n  1\nunder the marker\n"
      "  0\nXRECORD\n  5\n21\n330\nC\n100\nAcDbXrecord\n280\n1\n  1\nan entry\n"
      "  0\nENDSEC\n  0\nEOF\n";
  AcDbDatabase db;
  std::string saved;
  ASSERT_TRUE(loadAndSave(text, db, L"marker.dxf", saved));
  EXPECT_EQ(saved.find("  3\nB\n350\n20\n"), saved.rfind("  3\nB\n350\n20\n")) << saved;
  EXPECT_NE(saved.find("100\nAcDbXrecord\n  3\nB\n350\n20\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("  1\nunder the marker\n"), std::string::npos) << saved;
  EXPECT_TRUE(reopensAndSavesTheSame(saved));
}

// An embedded object kept with a block's head is written at the end of the
// record, where a reader looks for it: written where it came (before the
// block's own subclass), it hid the block's name from the next open.
TEST(DxfKeep, AnEmbeddedObjectIsWrittenAfterTheRecordsOwnGroups) {
  const std::string text =
      "  0\nSECTION\n  2\nBLOCKS\n"
      "  0\nBLOCK\n  5\n20\n  2\nMARK\n100\nAcDbEntity\n  8\n0\n101\nEmbedded Object\n 70\n1\n"
      "  0\nENDBLK\n  5\n21\n  0\nENDSEC\n  0\nEOF\n";
  AcDbDatabase db;
  std::string saved;
  ASSERT_TRUE(loadAndSave(text, db, L"embedded.dxf", saved));
  const size_t block = saved.find("  0\nBLOCK\n  5\n20\n");
  ASSERT_NE(block, std::string::npos) << saved;
  const std::string record = saved.substr(block, saved.find("  0\n", block + 1) - block);
  EXPECT_LT(record.find("  2\nMARK\n"), record.find("101\nEmbedded Object\n 70\n1\n")) << record;
  EXPECT_NE(record.find("101\nEmbedded Object\n 70\n1\n"), std::string::npos) << record;
  EXPECT_TRUE(reopensAndSavesTheSame(saved));
}
