#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "base/TextCase.h"
#include "db/AcDbHostApplicationServices.h"
#include "db/AcDbLinetypeTable.h"
#include "db/AcDbLinetypeTableRecord.h"
#include "db/resbuf.h"
#include "ed/AdsUtilities.h"
#include "ed/EdDialogs.h"
#include "ed/EdFiles.h"
#include "ed/EdGraphics.h"
#include "ed/EdStatusBar.h"
#include "ed/ProgressMeter.h"
#include "ed/ResourceHandleScope.h"
#include "ed/SystemVariables.h"
#include "rx/ModuleHandles.h"
#include "user/ScriptError.h"
#include "EditorFixture.h"

namespace {

class EditorStateTest : public uvtest::EditorFixture {};

HINSTANCE handle(std::uintptr_t n) { return reinterpret_cast<HINSTANCE>(n); }

TEST_F(EditorStateTest, ResourceHandleStackStaysBalanced) {
  auto* docs = acDocManager;
  EXPECT_EQ(docs->resourceStackDepth(), 0);
  EXPECT_EQ(docs->currentResourceHandle(), uv::hostInstance());
  EXPECT_EQ(docs->popResourceHandle(), Acad::eUnbalancedStack);
  docs->pushResourceHandle(handle(0x100));
  {
    uv::ResourceHandleScope scope(handle(0x200));
    EXPECT_EQ(docs->currentResourceHandle(), handle(0x200));
    EXPECT_EQ(docs->resourceStackDepth(), 2);
  }
  EXPECT_EQ(docs->currentResourceHandle(), handle(0x100));
  try {
    uv::ResourceHandleScope scope(handle(0x300));
    throw std::runtime_error("dialog failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(docs->resourceStackDepth(), 1);  // popped on the way out
  EXPECT_EQ(docs->popResourceHandle(), Acad::eOk);
  EXPECT_EQ(docs->resourceStackDepth(), 0);
}

TEST_F(EditorStateTest, DocumentLocksCount) {
  auto* docs = acDocManager;
  EXPECT_EQ(curDoc(), doc);
  EXPECT_EQ(acdbHostApplicationServices()->workingDatabase(), db);
  EXPECT_STREQ(doc->docTitle(), L"site.dxf");
  EXPECT_TRUE(doc->isQuiescent());
  EXPECT_EQ(docs->unlockDocument(doc), Acad::eNotApplicable);
  EXPECT_EQ(docs->lockDocument(doc), Acad::eOk);
  EXPECT_EQ(docs->lockDocument(doc, AcAp::kRead), Acad::eOk);
  EXPECT_EQ(doc->lockCount(), 2);
  EXPECT_EQ(doc->myLockMode(), AcAp::kWrite);  // the outermost lock's mode
  EXPECT_EQ(docs->closeDocument(doc), Acad::eLockViolation);
  EXPECT_EQ(docs->unlockDocument(doc), Acad::eOk);
  EXPECT_EQ(docs->unlockDocument(doc), Acad::eOk);
  EXPECT_EQ(doc->myLockMode(), AcAp::kNone);
  EXPECT_EQ(docs->lockDocument(nullptr), Acad::eNoDocument);

  AcApDocument* second = docs->addDocument(nullptr, L"");
  EXPECT_EQ(curDoc(), second);
  EXPECT_STREQ(second->docTitle(), L"Drawing1");
  EXPECT_EQ(acdbHostApplicationServices()->workingDatabase(), second->database());
  EXPECT_EQ(docs->closeDocument(second), Acad::eOk);
  EXPECT_EQ(curDoc(), doc);  // the one left becomes current again
  EXPECT_EQ(docs->closeDocument(second), Acad::eNoDocument);
}

// A variable's value as text, for the table below.
std::string valueOf(const wchar_t* name) {
  resbuf rb{};
  if (acedGetVar(name, &rb) != RTNORM) return "(error)";
  std::string out;
  switch (rb.restype) {
    case RTSTR:
      out = uv::toUtf8(rb.resval.rstring);
      free(rb.resval.rstring);
      return out;
    case RTREAL: return std::to_string(rb.resval.rreal);
    case RTSHORT: return std::to_string(rb.resval.rint);
    case RTPOINT: return "2d " + std::to_string(int(rb.resval.rpoint[0])) + "x" + std::to_string(int(rb.resval.rpoint[1]));
    case RT3DPOINT:
      return "3d " + std::to_string(int(rb.resval.rpoint[0])) + "," + std::to_string(int(rb.resval.rpoint[1])) + "," +
             std::to_string(int(rb.resval.rpoint[2]));
  }
  return "(type " + std::to_string(rb.restype) + ")";
}

int setString(const wchar_t* name, const wchar_t* value) {
  resbuf* rb = acutBuildList(RTSTR, value, 0);
  int rc = acedSetVar(name, rb);
  acutRelRb(rb);
  return rc;
}

TEST_F(EditorStateTest, SystemVariables) {
  doc->view().set(AcGePoint3d(0, 0, 0), 100);
  doc->view().setScreenSize(1000, 500);
  addLayer(L"Teren");
  struct Case {
    const wchar_t* name;
    const char* value;
  } cases[] = {{L"VIEWCTR", "3d 0,0,0"},   {L"viewsize", "100.000000"}, {L"SCREENSIZE", "2d 1000x500"},
               {L"CELTYPE", "ByLayer"},     {L"CLAYER", "0"},            {L"PICKBOX", "3"},
               {L"DWGNAME", "site.dxf"},    {L"DWGPREFIX", "/drawings/"}, {L"NOSUCHVAR", "(error)"}};
  for (const auto& c : cases) EXPECT_EQ(valueOf(c.name), c.value) << uv::toUtf8(c.name);

  // The view rectangle the show-surface dialog computes from them.
  resbuf ctr{}, size{}, screen{};
  acedGetVar(L"VIEWCTR", &ctr);
  acedGetVar(L"VIEWSIZE", &size);
  acedGetVar(L"SCREENSIZE", &screen);
  double w = screen.resval.rpoint[0] / screen.resval.rpoint[1] * size.resval.rreal * 0.5;
  EXPECT_EQ(ctr.resval.rpoint[0] - w, -100);
  EXPECT_EQ(ctr.resval.rpoint[1] + size.resval.rreal * 0.5, 50);

  EXPECT_EQ(setString(L"CLAYER", L"teren"), RTNORM);
  EXPECT_EQ(valueOf(L"CLAYER"), "Teren");
  EXPECT_EQ(setString(L"CLAYER", L"Nowhere"), RTERROR);
  EXPECT_EQ(setString(L"CELTYPE", L"Continuous"), RTNORM);
  EXPECT_EQ(valueOf(L"CELTYPE"), "Continuous");
  EXPECT_EQ(setString(L"CELTYPE", L"DASHED"), RTERROR);  // not loaded
  EXPECT_EQ(setString(L"VIEWSIZE", L"3"), RTERROR);      // read only
  resbuf* pick = acutBuildList(RTSHORT, 5, 0);
  EXPECT_EQ(acedSetVar(L"PICKBOX", pick), RTNORM);
  pick->resval.rint = 99;
  EXPECT_EQ(acedSetVar(L"PICKBOX", pick), RTERROR);
  acutRelRb(pick);
  EXPECT_EQ(valueOf(L"PICKBOX"), "5");
  resbuf* three = acutBuildList(RTSHORT, 3, 0);
  acedSetVar(L"PICKBOX", three);
  acutRelRb(three);
}

TEST_F(EditorStateTest, TemporaryVectorsLastUntilTheNextRegeneration) {
  ads_point a = {0, 0, 0}, b = {10, 5, 0};
  EXPECT_EQ(acedGrDraw(a, b, 2, 0), RTNORM);
  EXPECT_EQ(acedGrDraw(b, a, -1, 1), RTNORM);
  const auto& v = doc->temporaryGraphics().vectors();
  ASSERT_EQ(v.size(), 2u);
  EXPECT_EQ(v[0].colour, 2);
  EXPECT_EQ(v[0].to.x, 10);
  EXPECT_TRUE(v[1].highlight);
  acedUpdateDisplay();
  ads_name someEntity = {1, 1};
  acedRedraw(someEntity, 3);  // highlighting one entity is no regeneration
  EXPECT_EQ(v.size(), 2u);
  acedRedraw(nullptr, 1);
  EXPECT_TRUE(v.empty());
  acedGrDraw(a, b, 2, 0);
  uv::regenerate();
  EXPECT_TRUE(v.empty());
}

TEST_F(EditorStateTest, ProgressMeterThroughTheStatusBar) {
  auto& meter = uv::ProgressMeter::instance();
  meter.setTerminal(nullptr);
  EXPECT_EQ(acedSetStatusBarProgressMeter(L"Drawing triangles", 0, 3), 0);
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(acedSetStatusBarProgressMeterPos(i), 0);
  EXPECT_EQ(meter.history(), (std::vector<int>{1, 2, 3}));
  acedRestoreStatusBar();
  EXPECT_FALSE(meter.active());
  EXPECT_EQ(acedSetStatusBarProgressMeterPos(1), -1);
  EXPECT_EQ(acedSetStatusBarProgressMeter(L"x", 3, 0), -1);
}

TEST_F(EditorStateTest, ColourAndLinetypeDialogs) {
  answer({L"color 5", L"cancel", L"color bylayer", L"linetype \"dashed\"", L"linetype \"Continuous\"",
          L"linetype \"ByLayer\"", L"cancel", L"linetype \"NOPE\""});
  int colour = 7;
  EXPECT_TRUE(acedSetColorDialog(colour, false, 7));
  EXPECT_EQ(colour, 5);
  EXPECT_FALSE(acedSetColorDialog(colour, false, 7));
  EXPECT_EQ(colour, 5);
  EXPECT_TRUE(acedSetColorDialog(colour, true, 7));
  EXPECT_EQ(colour, 256);

  wchar_t* name = nullptr;
  AcDbObjectId id;
  // DASHED is not in the drawing: chosen, it is loaded from the library.
  ASSERT_TRUE(acedLinetypeDialog(db->celtype(), true, name, id));
  EXPECT_STREQ(name, L"DASHED");
  acutDelString(name);
  AcDbLinetypeTableRecord* rec = nullptr;
  ASSERT_EQ(acdbOpenObject(rec, id, AcDb::kForRead), Acad::eOk);
  EXPECT_EQ(rec->numDashes(), 2);
  EXPECT_DOUBLE_EQ(rec->dashLengthAt(1), -0.25);
  EXPECT_DOUBLE_EQ(rec->patternLength(), 0.75);
  rec->close();
  AcDbObjectId again;
  EXPECT_EQ(uv::loadLinetype(db, L"Dashed", again), Acad::eOk);
  EXPECT_EQ(again, id);  // loaded once

  ASSERT_TRUE(acedLinetypeDialog(AcDbObjectId(), false, name, id));
  EXPECT_EQ(id, db->continuousLinetype());
  acutDelString(name);
  ASSERT_TRUE(acedLinetypeDialog(AcDbObjectId(), true, name, id));
  EXPECT_EQ(id, db->byLayerLinetype());
  acutDelString(name);
  EXPECT_FALSE(acedLinetypeDialog(AcDbObjectId(), true, name, id));
  EXPECT_EQ(name, nullptr);
  EXPECT_THROW(acedLinetypeDialog(AcDbObjectId(), true, name, id), uv::ScriptError);  // not offered
  AcDbObjectId none;
  EXPECT_EQ(uv::loadLinetype(db, L"NOPE", none), Acad::eUndefinedLineType);
}

TEST_F(EditorStateTest, FindFileSearchesTheDrawingsFolderFirst) {
  namespace fs = std::filesystem;
  fs::path folder = fs::temp_directory_path() / ("uv_ed_find_" + std::to_string(::getpid()));
  fs::create_directories(folder);
  std::ofstream(folder / "KVX_ELEV.dxf") << "0\nEOF\n";
  doc->setFileName(uv::fromUtf8((folder / "site.dxf").string()));
  wchar_t found[260];
  EXPECT_EQ(acedFindFile(L"KVX_ELEV.dwg", found), RTNORM);
  EXPECT_EQ(std::wstring(found), uv::fromUtf8((folder / "KVX_ELEV.dxf").string()));
  wchar_t tiny[8];
  EXPECT_EQ(acedFindFile(L"KVX_ELEV.dwg", tiny, 8), RTERROR);
  EXPECT_EQ(acedFindFile(L"nowhere.dwg", found), RTERROR);
  fs::remove_all(folder);
}

TEST(AdsUtilities, AnglesDistancesAndPolarPoints) {
  ads_point o = {0, 0, 0};
  struct Case {
    double x, y, angle;
  } cases[] = {{1, 0, 0}, {0, 1, M_PI / 2}, {-1, 0, M_PI}, {0, -1, 3 * M_PI / 2}, {1, -1e-18, 0}};
  for (const auto& c : cases) {
    ads_point p = {c.x, c.y, 5};
    EXPECT_NEAR(acutAngle(o, p), c.angle, 1e-12) << c.x << "," << c.y;
    EXPECT_LT(acutAngle(o, p), 2 * M_PI);
  }
  ads_point a = {1, 2, 3}, b = {4, 6, 15};
  EXPECT_DOUBLE_EQ(acutDistance(a, b), 13);
  acutPolar(a, M_PI / 2, 2, a);  // in place
  EXPECT_NEAR(a[0], 1, 1e-12);
  EXPECT_DOUBLE_EQ(a[1], 4);
  EXPECT_DOUBLE_EQ(a[2], 3);
  EXPECT_EQ(acutWcMatch(L"KVX_ELEV", L"KVX_*"), RTNORM);
  EXPECT_EQ(acutWcMatch(L"kvx_elev", L"KVX_*"), RTERROR);
}

}  // namespace
