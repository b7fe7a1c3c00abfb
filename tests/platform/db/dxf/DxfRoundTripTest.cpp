// Save and load again give the same drawing; files are replaced only whole.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>

#include "DatabaseDump.h"
#include "LoadAndSave.h"
#include "RichDrawing.h"
#include "ScratchFolder.h"
#include "base/TextCase.h"
#include "db/AcDbBlockTable.h"
#include "db/AcDbLine.h"
#include "db/AcDbObjectPointer.h"
#include "db/DrawingChecker.h"
#include "db/dxf/DxfFile.h"

using uvtest::dumpDatabase;
using uvtest::firstDifference;

namespace {

std::string joined(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += l + "\n";
  return out;
}

// The dump without the dictionary entry of the key and what is under it.
std::string withoutEntry(const std::string& dump, const std::string& key) {
  std::istringstream in(dump);
  std::string out, line;
  size_t skipping = std::string::npos;  // the indentation of the entry left out
  while (std::getline(in, line)) {
    const size_t indent = line.find_first_not_of(' ');
    if (skipping != std::string::npos && indent > skipping) continue;
    skipping = line.compare(indent, key.size() + 1, key + ":") == 0 ? indent : std::string::npos;
    if (skipping == std::string::npos) out += line + "\n";
  }
  return out;
}

AcDbObjectId addLine(AcDbDatabase& db, const AcGePoint3d& a, const AcGePoint3d& b) {
  AcDbObjectPointer<AcDbBlockTableRecord> ms(db.modelSpaceId(), AcDb::kForWrite);
  auto* line = new AcDbLine(a, b);
  AcDbObjectId id;
  EXPECT_EQ(ms->appendAcDbEntity(id, line), Acad::eOk);
  line->close();
  return id;
}

}  // namespace

TEST(DxfRoundTrip, RichDrawingComesBackTheSameTwice) {
  AcDbDatabase original;
  uvtest::buildRichDrawing(original);
  ASSERT_EQ(joined(uv::checkDatabase(original)), "");

  std::string first;
  const uv::dxf::Result saved = uv::dxf::saveToString(original, first);
  ASSERT_TRUE(saved.ok) << uv::toUtf8(saved.error);

  AcDbDatabase loaded;
  const uv::dxf::Result r = uv::dxf::loadFromString(first, loaded, L"first.dxf");
  ASSERT_TRUE(r.ok) << uv::toUtf8(r.error);
  EXPECT_EQ(r.mendedText(), L"");
  // The layouts the saver wrote (the drawing had none) are kept as they came.
  EXPECT_EQ(firstDifference(dumpDatabase(original), withoutEntry(dumpDatabase(loaded), "ACAD_LAYOUT")), "");
  EXPECT_EQ(joined(uv::checkDatabase(loaded)), "");

  std::string second;
  ASSERT_TRUE(uv::dxf::saveToString(loaded, second).ok);
  AcDbDatabase again;
  ASSERT_TRUE(uv::dxf::loadFromString(second, again, L"second.dxf").ok);
  EXPECT_EQ(firstDifference(dumpDatabase(loaded), dumpDatabase(again)), "");
  EXPECT_EQ(again.handseed().value(), loaded.handseed().value());
  // A drawing read from a file and saved unchanged comes out as it came in, byte for byte.
  std::string third;
  ASSERT_TRUE(uv::dxf::saveToString(again, third).ok);
  EXPECT_EQ(firstDifference(second, third), "");
}

// Groups the database keeps without modelling them stay where the file had
// them among the groups it models, whichever program wrote the file.
TEST(DxfRoundTrip, KeptGroupsStayInTheirPlace) {
  struct Case {
    const char* what;
    std::string table;    // the TABLES section's records
    std::string objects;  // the OBJECTS section's records
    std::string record;   // what must come back unchanged
  };
  const std::string style =
      "  0\nSTYLE\n  5\n30\n330\n3\n100\nAcDbSymbolTableRecord\n100\nAcDbTextStyleTableRecord\n  2\nROMANS\n"
      " 70\n0\n 40\n0.0\n 41\n1.0\n 50\n0.0\n 71\n0\n 42\n3.5\n  3\nromans.shx\n  4\n\n";
  const std::string dictionary =
      "  0\nDICTIONARY\n  5\nC\n330\n0\n100\nAcDbDictionary\n280\n0\n281\n1\n  3\nACAD_GROUP\n350\nD\n";
  const Case cases[] = {
      {"a style's generation flags and last height before its fonts",
       "  0\nTABLE\n  2\nSTYLE\n  5\n3\n330\n0\n100\nAcDbSymbolTable\n 70\n1\n" + style + "  0\nENDTAB\n", "", style},
      {"a dictionary's ownership and cloning flags before its entries", "",
       dictionary + "  0\nDICTIONARY\n  5\nD\n330\nC\n100\nAcDbDictionary\n281\n1\n", dictionary},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string text = "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1027\n  9\n$HANDSEED\n  5\n100\n"
                             "  0\nENDSEC\n  0\nSECTION\n  2\nTABLES\n" +
                             c.table + "  0\nENDSEC\n  0\nSECTION\n  2\nOBJECTS\n" + c.objects +
                             "  0\nENDSEC\n  0\nEOF\n";
    AcDbDatabase db;
    std::string saved;
    ASSERT_TRUE(uvtest::loadAndSave(text, db, L"kept.dxf", saved));
    EXPECT_NE(saved.find(c.record), std::string::npos) << saved;
  }
}

TEST(DxfRoundTrip, HandlesOfTheFileAreKept) {
  // An entity and a layer with handles far from what a new database hands out.
  const std::string text =
      "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1021\n9\n$HANDSEED\n5\nA000\n0\nENDSEC\n"
      "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n5\n7F0\n0\nLAYER\n5\n7F1\n330\n7F0\n2\nROADS\n62\n1\n0\nENDTAB\n"
      "0\nENDSEC\n0\nSECTION\n2\nENTITIES\n0\nLINE\n5\n2F\n8\nROADS\n10\n0\n20\n0\n30\n0\n11\n1\n21\n1\n31\n0\n"
      "0\nENDSEC\n0\nEOF\n";
  AcDbDatabase db;
  const uv::dxf::Result r = uv::dxf::loadFromString(text, db, L"handles.dxf");
  ASSERT_TRUE(r.ok) << uv::toUtf8(r.error);
  for (const auto& [hex, cls] : {std::pair{L"2F", AcDbLine::desc()}, std::pair{L"7F1", AcDbLayerTableRecord::desc()},
                                 std::pair{L"7F0", AcDbLayerTable::desc()}}) {
    AcDbObjectId id;
    ASSERT_EQ(db.getAcDbObjectId(id, false, AcDbHandle(hex)), Acad::eOk) << uv::toUtf8(hex);
    AcDbObjectPointer<AcDbObject> obj(id);
    EXPECT_TRUE(obj->isKindOf(cls)) << uv::toUtf8(hex);
  }
  EXPECT_GE(db.handseed().value(), 0xA000u);
  EXPECT_EQ(joined(uv::checkDatabase(db)), "");

  std::string saved;
  ASSERT_TRUE(uv::dxf::saveToString(db, saved).ok);
  EXPECT_NE(saved.find("  0\nLINE\n  5\n2F\n"), std::string::npos);
  EXPECT_NE(saved.find("  0\nLAYER\n  5\n7F1\n"), std::string::npos);
}

TEST(DxfRoundTrip, LoadRefusesADatabaseThatHoldsObjects) {
  AcDbDatabase source;
  uvtest::buildRichDrawing(source);
  std::string text;
  ASSERT_TRUE(uv::dxf::saveToString(source, text).ok);

  AcDbDatabase busy;
  addLine(busy, AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0));
  const std::string before = dumpDatabase(busy);
  const uv::dxf::Result r = uv::dxf::loadFromString(text, busy, L"busy.dxf");
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find(L"busy.dxf"), std::wstring::npos);
  EXPECT_EQ(firstDifference(before, dumpDatabase(busy)), "");
}

TEST(DxfRoundTrip, SaveReplacesTheFileOnlyWhenComplete) {
  uvtest::ScratchFolder dir;
  AcDbDatabase good;
  addLine(good, AcGePoint3d(0, 0, 0), AcGePoint3d(3, 4, 0));
  const std::wstring target = dir.wide("site.dxf");
  ASSERT_TRUE(uv::dxf::save(good, target).ok);
  const std::string goodText = uvtest::readText(dir.file("site.dxf"));

  // A drawing that cannot be written fails and leaves the good file alone.
  AcDbDatabase bad;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  addLine(bad, AcGePoint3d(nan, 0, 0), AcGePoint3d(1, 1, 0));
  const uv::dxf::Result r = uv::dxf::save(bad, target);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find(target), std::wstring::npos);
  EXPECT_NE(r.error.find(L"not a finite number"), std::wstring::npos) << uv::toUtf8(r.error);
  EXPECT_EQ(uvtest::readText(dir.file("site.dxf")), goodText);

  // A folder that cannot take the temporary file: the same.
  std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_write, std::filesystem::perm_options::remove);
  if (::access(dir.path().c_str(), W_OK) != 0) {  // root writes anyway
    const uv::dxf::Result denied = uv::dxf::save(good, target);
    EXPECT_FALSE(denied.ok);
    EXPECT_NE(denied.error.find(L"temporary file"), std::wstring::npos) << uv::toUtf8(denied.error);
  }
  std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_write, std::filesystem::perm_options::add);

  // Nothing but the target is left in the folder.
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    EXPECT_EQ(entry.path().filename(), "site.dxf");
    ++files;
  }
  EXPECT_EQ(files, 1);

  const uv::dxf::Result missingFolder = uv::dxf::save(good, dir.wide("no/such/folder.dxf"));
  EXPECT_FALSE(missingFolder.ok);
  EXPECT_NE(missingFolder.error.find(L"folder.dxf"), std::wstring::npos);

  AcDbDatabase reread;
  ASSERT_TRUE(uv::dxf::load(target, reread).ok);
  const ACHAR* name = nullptr;
  reread.getFilename(name);
  EXPECT_EQ(std::wstring(name), target);
}
