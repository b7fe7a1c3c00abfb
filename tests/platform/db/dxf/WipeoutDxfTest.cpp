// Wipeouts in the database and in DXF: masks set from a polygon, and the
// files of another program (python3-ezdxf) read, kept and written back so
// that it reads the same boundaries, layer and settings.
#include <gtest/gtest.h>

#include <cstdlib>

#include "ScratchFolder.h"
#include "base/TextCase.h"
#include "db/AcDbBlockTableRecord.h"
#include "db/AcDbDatabase.h"
#include "db/AcDbDictionary.h"
#include "db/AcDbObjectPointer.h"
#include "db/AcDbWipeout.h"
#include "db/AcDbWipeoutVariables.h"
#include "db/dxf/DxfFile.h"

namespace {

std::pair<int, std::string> run(const uvtest::ScratchFolder& dir, const std::string& command) {
  const auto log = dir.file("command.log");
  const int status = std::system((command + " > '" + log.string() + "' 2>&1").c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, uvtest::readText(log)};
}

std::string script() { return "/usr/bin/python3 '" + std::string(UV_TEST_DATA_DIR) + "/wipeouts.py'"; }

std::vector<AcDbWipeout*> wipeoutsOf(AcDbDatabase& db) {
  std::vector<AcDbWipeout*> out;
  AcDbObjectPointer<AcDbBlockTableRecord> ms(db.modelSpaceId());
  for (AcDbObject* o : ms->entities())
    if (auto* w = AcDbWipeout::cast(o)) out.push_back(w);
  return out;
}

TEST(Wipeout, MasksThePolygonItIsSetFrom) {
  struct Case {
    std::vector<AcGePoint3d> polygon;
    Acad::ErrorStatus status;
  };
  const Case cases[] = {
      {{{10, 20, 5}, {14, 20, 5}, {14, 22, 5}, {10, 22, 5}}, Acad::eOk},
      {{{0, 0, 0}, {6, 1, 0}, {5, 4, 0}, {1, 3.5, 0}, {0, 0, 0}}, Acad::eOk},  // closed already
      {{{-3, -1, 0}, {-1, -3, 0}, {1, -1, 0}, {-1, 1, 0}}, Acad::eOk},        // turned 45 degrees
      {{{0, 0, 0}, {5, 0, 0}}, Acad::eInvalidInput},
      {{{0, 0, 0}, {5, 0, 0}, {9, 0, 0}}, Acad::eInvalidInput},  // no height
  };
  for (const Case& c : cases) {
    AcDbWipeout w;
    AcGePoint3dArray polygon;
    for (const AcGePoint3d& p : c.polygon) polygon.append(p);
    ASSERT_EQ(w.setFrom(polygon), c.status);
    if (c.status != Acad::eOk) continue;
    AcGePoint3dArray back;
    ASSERT_EQ(w.getVertices(back), Acad::eOk);
    size_t n = c.polygon.size() - (c.polygon.front().isEqualTo(c.polygon.back()) ? 1 : 0);
    ASSERT_EQ(back.length(), int(n + 1));
    for (size_t i = 0; i <= n; ++i) {
      const AcGePoint3d& want = c.polygon[i % n];
      EXPECT_NEAR(back[int(i)].x, want.x, 1e-12);
      EXPECT_NEAR(back[int(i)].y, want.y, 1e-12);
      EXPECT_NEAR(back[int(i)].z, c.polygon[0].z, 1e-12);
    }
    AcDbExtents box;
    ASSERT_EQ(w.getGeomExtents(box), Acad::eOk);
    EXPECT_FALSE(box.isEmpty());
  }
}

TEST(Wipeout, EzdxfWipeoutsLoadSaveAndReadBackTheSame) {
  uvtest::ScratchFolder dir;
  const auto theirs = dir.file("theirs.dxf");
  const auto [made, makeLog] = run(dir, script() + " make '" + theirs.string() + "'");
  ASSERT_EQ(made, 0) << makeLog;

  AcDbDatabase db;
  const uv::dxf::Result r = uv::dxf::load(uv::fromUtf8(theirs.string()), db);
  ASSERT_TRUE(r.ok) << uv::toUtf8(r.error);
  EXPECT_EQ(r.mendedText(), L"");
  const std::vector<AcDbWipeout*> masks = wipeoutsOf(db);
  ASSERT_EQ(masks.size(), 2u);
  AcGePoint3dArray corners;
  ASSERT_EQ(masks[0]->getVertices(corners), Acad::eOk);
  ASSERT_EQ(corners.length(), 5);
  EXPECT_TRUE(corners[2].isEqualTo(AcGePoint3d(14, 22, 0), AcGeTol(1e-9, 1e-9)));
  {
    AcDbObjectPointer<AcDbDictionary> nod(db.namedObjectsDictionaryId());
    AcDbObject* vars = nullptr;
    ASSERT_EQ(nod->getAt(AcDbWipeoutVariables::dictionaryKey(), vars, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(AcDbWipeoutVariables::cast(vars)->showFrame());
    vars->close();
  }

  const auto ours = dir.file("ours.dxf");
  ASSERT_TRUE(uv::dxf::save(db, uv::fromUtf8(ours.string())).ok);
  const auto [checked, log] = run(dir, script() + " check '" + theirs.string() + "' '" + ours.string() + "'");
  EXPECT_EQ(checked, 0) << log;
  EXPECT_NE(log.find("wipeouts: 0 problems"), std::string::npos) << log;
}

TEST(Wipeout, OursGoOutAsEzdxfReadsThemAndComeBackWhole) {
  uvtest::ScratchFolder dir;
  AcDbDatabase db;
  ASSERT_FALSE(AcDbWipeoutVariables::ensureIn(&db).isNull());
  const AcDbObjectId again = AcDbWipeoutVariables::ensureIn(&db);  // one settings object only
  EXPECT_EQ(AcDbWipeoutVariables::ensureIn(&db), again);
  {
    AcDbObjectPointer<AcDbBlockTableRecord> ms(db.modelSpaceId(), AcDb::kForWrite);
    auto* w = new AcDbWipeout();
    AcGePoint3dArray box;
    for (const AcGePoint3d& p : {AcGePoint3d(-3, -1, 7), AcGePoint3d(-1, -3, 7), AcGePoint3d(1, -1, 7),
                                 AcGePoint3d(-1, 1, 7)})
      box.append(p);
    ASSERT_EQ(w->setFrom(box), Acad::eOk);
    AcDbObjectId id;
    ASSERT_EQ(ms->appendAcDbEntity(id, w), Acad::eOk);
    w->close();
  }
  const auto first = dir.file("first.dxf");
  ASSERT_TRUE(uv::dxf::save(db, uv::fromUtf8(first.string())).ok);
  AcDbDatabase reread;
  ASSERT_TRUE(uv::dxf::load(uv::fromUtf8(first.string()), reread).ok);
  const std::vector<AcDbWipeout*> masks = wipeoutsOf(reread);
  ASSERT_EQ(masks.size(), 1u);
  AcGePoint3dArray corners;
  masks[0]->getVertices(corners);
  ASSERT_EQ(corners.length(), 5);
  EXPECT_TRUE(corners[1].isEqualTo(AcGePoint3d(-1, -3, 7), AcGeTol(1e-9, 1e-9)));
  const auto second = dir.file("second.dxf");
  ASSERT_TRUE(uv::dxf::save(reread, uv::fromUtf8(second.string())).ok);
  // ezdxf audits the second file and finds the first's boundary in it.
  const auto [checked, log] = run(dir, script() + " check '" + first.string() + "' '" + second.string() + "'");
  EXPECT_NE(log.find("the wipeout settings are not kept"), std::string::npos) << log;  // frame 0 here
  EXPECT_EQ(log.find("boundary"), std::string::npos) << log;
  EXPECT_EQ(log.find("audit"), std::string::npos) << log;
}

}  // namespace
