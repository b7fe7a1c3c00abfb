// Files of another program load, and what we write reads back in it: ezdxf
// (Debian's python3-ezdxf, seen by /usr/bin/python3) makes a drawing, we
// load and save it, and ezdxf audits our file and compares it with its own.
#include <gtest/gtest.h>

#include <cstdlib>

#include "RichDrawing.h"
#include "ScratchFolder.h"
#include "base/TextCase.h"
#include "db/AcDbBlockReference.h"
#include "db/AcDbBlockTable.h"
#include "db/AcDbDictionary.h"
#include "db/AcDbGroup.h"
#include "db/AcDbLayerTable.h"
#include "db/AcDbObjectPointer.h"
#include "db/AcDbPoint.h"
#include "db/AcDbPolyline.h"
#include "db/AcDb3dPolyline.h"
#include "db/DrawingChecker.h"
#include "db/dxf/DxfFile.h"

namespace {

const std::string kPython = "/usr/bin/python3";
const std::string kScripts = UV_TEST_DATA_DIR;

// Runs a command with its output in a file; the exit status and the output.
std::pair<int, std::string> run(const uvtest::ScratchFolder& dir, const std::string& command) {
  const auto log = dir.file("command.log");
  const int status = std::system((command + " > '" + log.string() + "' 2>&1").c_str());
  const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return {code, uvtest::readText(log)};
}

std::string q(const std::filesystem::path& p) { return "'" + p.string() + "'"; }

template <class T>
int countOf(const AcDbBlockTableRecord& block) {
  int n = 0;
  for (AcDbObject* o : block.entities()) n += T::cast(o) ? 1 : 0;
  return n;
}

}  // namespace

TEST(DxfInterop, EzdxfDrawingLoadsSavesAndReadsBackTheSame) {
  uvtest::ScratchFolder dir;
  const auto theirs = dir.file("ezdxf.dxf");
  const auto [made, makeLog] = run(dir, kPython + " " + q(kScripts + "/make_drawing.py") + " " + q(theirs));
  ASSERT_EQ(made, 0) << makeLog;

  AcDbDatabase db;
  const uv::dxf::Result r = uv::dxf::load(uv::fromUtf8(theirs.string()), db);
  ASSERT_TRUE(r.ok) << uv::toUtf8(r.error);
  EXPECT_EQ(r.mendedText(), L"");
  std::string problems;
  for (const std::string& p : uv::checkDatabase(db)) problems += p + "\n";
  EXPECT_EQ(problems, "");

  {
    AcDbObjectPointer<AcDbBlockTableRecord> ms(db.modelSpaceId());
    EXPECT_EQ(ms->entities().size(), 13u);
    EXPECT_EQ(countOf<AcDbBlockReference>(*ms), 2);
    EXPECT_EQ(countOf<AcDb3dPolyline>(*ms), 1);
    AcDbObjectPointer<AcDbLayerTable> layers(db.layerTableId());
    EXPECT_TRUE(layers->has(L"Čelik ŽÄ"));
    AcDbObjectPointer<AcDbDictionary> groups(db.groupDictionaryId());
    AcDbObject* g = nullptr;
    ASSERT_EQ(groups->getAt(L"ROAD_EDGES", g, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(AcDbGroup::cast(g)->numEntities(), 2u);
    g->close();
  }

  const auto ours = dir.file("ours.dxf");
  const uv::dxf::Result saved = uv::dxf::save(db, uv::fromUtf8(ours.string()));
  ASSERT_TRUE(saved.ok) << uv::toUtf8(saved.error);
  const auto [checked, checkLog] =
      run(dir, kPython + " " + q(kScripts + "/check_drawing.py") + " " + q(theirs) + " " + q(ours));
  EXPECT_EQ(checked, 0) << checkLog;
  EXPECT_NE(checkLog.find("check_drawing: 0 problems"), std::string::npos) << checkLog;
}

TEST(DxfInterop, OurRichDrawingPassesTheEzdxfAudit) {
  uvtest::ScratchFolder dir;
  AcDbDatabase db;
  uvtest::buildRichDrawing(db);
  const auto ours = dir.file("rich.dxf");
  ASSERT_TRUE(uv::dxf::save(db, uv::fromUtf8(ours.string())).ok);
  // The file compared with itself: only ezdxf's audit and reading can fail.
  const auto [checked, log] = run(dir, kPython + " " + q(kScripts + "/check_drawing.py") + " " + q(ours) + " " + q(ours));
  EXPECT_EQ(checked, 0) << log;
}

TEST(DxfSample, SiteDrawingLoads) {
  AcDbDatabase db;
  const uv::dxf::Result r = uv::dxf::load(uv::fromUtf8(std::string(UV_SOURCE_DIR) + "/samples/site.dxf"), db);
  ASSERT_TRUE(r.ok) << uv::toUtf8(r.error);
  AcDbObjectPointer<AcDbLayerTable> layers(db.layerTableId());
  for (const wchar_t* name : {L"SURVEY_POINTS", L"BREAKLINES", L"ROADS", L"LABELS"})
    EXPECT_TRUE(layers->has(name)) << uv::toUtf8(name);
  AcDbObjectPointer<AcDbBlockTableRecord> ms(db.modelSpaceId());
  EXPECT_GE(countOf<AcDbPoint>(*ms), 24);
  EXPECT_EQ(countOf<AcDb3dPolyline>(*ms), 1);
  EXPECT_GE(countOf<AcDbBlockReference>(*ms), 3);
  bool arcInRoad = false;
  for (AcDbObject* o : ms->entities())
    if (auto* road = AcDbPolyline::cast(o)) arcInRoad = arcInRoad || road->hasBulges();
  EXPECT_TRUE(arcInRoad);
}
