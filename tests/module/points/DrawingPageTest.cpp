// Points from drawing entities: what each entity of the survey drawing
// gives by the text and block rules, and the drawing page run by a
// scripted user: the filter it selects with, the surface it loads into,
// the dialog hidden while the user selects.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DrawingFixture.h"
#include "base/TextCase.h"
#include "ed/ModelSpace.h"
#include "module/points/EntityPoints.h"
#include "module/points/dlg_UcitavanjeTocaka.h"
#include "module/points/dlg_UcitavanjeTocaka_Crtez.h"
#include "product/cadwrapper/CKVLCEntityPtr.h"
#include "product/engine/CKVLSurfaceManager.h"
#include "product/engine/CUniquePointSet.h"
#include "ui/AfxWin.h"
#include "ui/CWnd.h"

namespace uvtest {
namespace {

// The points of a set in set order, "x,y,z".
std::vector<std::string> pointsOf(const CUniquePointSet& set) {
  std::vector<std::string> out;
  for (const auto& p : set.Points().points()) {
    char text[96];
    std::snprintf(text, sizeof text, "%g,%g,%g", p.x, p.y, p.z);
    out.push_back(text);
  }
  return out;
}

// The three points the drawing's surface "Teren" holds.
const std::vector<std::string> kTeren = {"-50,-50,1", "-50,-40,3", "-40,-50,2"};

using DrawingPageTest = DrawingFixture;

TEST_F(DrawingPageTest, EachEntityGivesItsPointsByTheTextAndBlockRules) {
  uv::EntityPointRules plain;
  uv::EntityPointRules elevations;
  elevations.textElevation = true;
  elevations.blockTags = {{L"KOTA", L"VISINA"}};
  uv::EntityPointRules insertionPoints;
  insertionPoints.blockTags = {{L"KOTA", L""}, {L"ZNAK", L""}};
  uv::EntityPointRules numbers;
  numbers.blockTags = {{L"KOTA", L"BROJ"}};

  struct Case {
    const wchar_t* type;
    double x, y;
    const uv::EntityPointRules& rules;
    std::vector<std::string> points;
  } cases[] = {
      {L"LINE", 0, 0, plain, {"0,0,10", "10,0,11"}},
      {L"ARC", 10, 5, plain, {"10,0,12", "10,10,12"}},
      {L"LWPOLYLINE", 20, 0, plain, {"20,0,13", "25,5,13", "20,10,13"}},
      {L"POLYLINE", 30, 0, plain, {"30,0,14", "35,5,14"}},
      {L"POLYLINE", 40, 0, plain, {"40,0,15", "45,5,16", "40,10,17"}},
      {L"CIRCLE", 50, 5, plain, {"50,5,18"}},
      {L"POINT", 60, 0, plain, {"60,0,19"}},
      // A face whose last two vertices are one point gives three.
      {L"3DFACE", 80, 0, plain, {"80,0,1", "85,0,2", "85,5,3"}},
      {L"TEXT", 70, 0, plain, {"70,0,0"}},
      {L"TEXT", 70, 0, elevations, {"70,0,123.5"}},
      {L"TEXT", 70, 10, elevations, {"70,10,0"}},  // letters read as 0
      {L"TEXT", 70, 20, elevations, {}},           // an empty text gives nothing
      {L"TEXT", 70, 20, plain, {"70,20,7"}},
      {L"INSERT", 90, 0, plain, {}},  // attributes, but its row is unchecked
      {L"INSERT", 90, 0, insertionPoints, {"90,0,0"}},
      {L"INSERT", 90, 0, elevations, {"90,0,101.25"}},
      {L"INSERT", 90, 10, elevations, {}},  // the chosen attribute is empty
      {L"INSERT", 90, 10, numbers, {"90,10,7"}},
      {L"INSERT", 100, 0, plain, {"100,0,21"}},  // no attributes: always
      {L"INSERT", 110, 0, elevations, {}},
      {L"INSERT", 110, 0, insertionPoints, {"110,0,22"}},
  };
  for (const Case& c : cases) {
    CUniquePointSet set;
    uv::AddEntityPoints(entityAt(c.type, c.x, c.y), c.rules, set);
    EXPECT_EQ(pointsOf(set), c.points) << uv::toUtf8(c.type) << " at " << c.x << "," << c.y;
  }

  // A line and an arc sharing an end point give three points; the later
  // elevation stays.
  CUniquePointSet set;
  uv::AddEntityPoints(entityAt(L"LINE", 0, 0), plain, set);
  uv::AddEntityPoints(entityAt(L"ARC", 10, 5), plain, set);
  EXPECT_EQ(pointsOf(set), (std::vector<std::string>{"0,0,10", "10,0,12", "10,10,12"}));
  uv::AddEntityPoints(AcDbObjectId(), plain, set);
  EXPECT_EQ(set.Size(), 3);
}

// The frame runs as the POINTS command runs it. Loading the filtered
// selection into a surface, a new one for an unknown name, Close saving and
// Cancel not, and the empty name: the points_drawing jobs of cadhost.
INT_PTR runPoints(const wchar_t* surfaceName) {
  dlg_UcitavanjeTocaka dialog;
  dialog.m_strSurfaceName = surfaceName;
  return dialog.DoModal();
}

TEST_F(DrawingPageTest, NothingIsLoadedWithoutASurfaceOrANameOrASelection) {
  struct Case {
    const char* drawing;
    const wchar_t* name;
    const wchar_t* selection;
  } cases[] = {
      {"entities.dxf", L"Teren", L"select all"},     // the drawing has no surface
      {"points_drawing.dxf", L"Teren", L"cancel"},   // the user cancels
      {"points_drawing.dxf", L"Teren", L"select none"},
  };
  for (const Case& c : cases) {
    openDrawing(c.drawing);
    answer({L"click IDC_ADD", c.selection, L"click IDCLOSE"});
    runPoints(c.name);
    EXPECT_TRUE(user.empty());
    CKVLSurfaceManager* manager = reopenedManager();
    CStringArray names;
    manager->GetAllSurfaceNames(names);
    const bool hadSurface = std::string(c.drawing) == "points_drawing.dxf";
    EXPECT_EQ(names.GetSize(), hadSurface ? 1 : 0) << c.drawing << " " << uv::toUtf8(c.name);
    if (hadSurface) {
      EXPECT_EQ(surfacePoints(manager, L"Teren"), kTeren);
    }
  }
}

std::wstring handleOf(AcDbObjectId id) {
  CKVLCEntityPtr e(id);
  return uv::ModelSpace::facts(*e).handle;
}

TEST_F(DrawingPageTest, SamplesSetTheTypesAndLayersTheFilterTakes) {
  // A 3D polyline checks the 2D / 3D row only: the 2D polyline comes too.
  const std::wstring polyline = L"select handles " + handleOf(entityAt(L"POLYLINE", 40, 0));
  // A point on OSTALO selects that layer.
  const std::wstring point = L"select handles " + handleOf(entityAt(L"POINT", 120, 0));
  user.appendLines({L"click IDC_UNCHECK_ALL", L"click IDC_TYPES_FROM_SAMPLE", polyline.c_str(),
                    L"click IDC_ADD", L"select all"});
  user.appendLines({L"click IDC_CHECK_ALL", L"click IDC_LAYERS_FROM_SAMPLE", point.c_str(),
                    L"click IDC_TYPES_FROM_SAMPLE", L"cancel", L"click IDC_ADD", L"select all", L"click IDCLOSE"});
  runPoints(L"Novi");
  EXPECT_TRUE(user.empty());
  ASSERT_EQ(user.moments.size(), 5u);
  for (const SelectionMoment& m : user.moments) EXPECT_FALSE(m.dialogVisible);
  EXPECT_EQ(surfacePoints(reopenedManager(), L"Novi"),
            (std::vector<std::string>{"0,50,30", "10,50,31", "30,0,14", "35,5,14", "40,0,15", "40,10,17",
                                      "45,5,16", "120,0,32"}));
}

// The page on its own, for the hidden Replace button.
class PageUnderTest : public dlg_UcitavanjeTocaka_Crtez {
 public:
  using dlg_UcitavanjeTocaka_Crtez::ReplaceOnSurface;
};

TEST_F(DrawingPageTest, ReplaceSetsTheSurfacesPointsToTheSelection) {
  CWnd owner;
  owner.Create(nullptr, L"owner", WS_VISIBLE, CRect(0, 0, 600, 400), nullptr, 0);
  PageUnderTest page;
  page.SetSurfaceManager(CKVLSurfaceManager::Instance(0), L"Teren");
  ASSERT_TRUE(page.Create(PageUnderTest::IDD, &owner));
  // Everything checked, no layer chosen, no elevations from texts or
  // attributes: every entity, as it lies.
  page.ElementTypes().SetCheck(10, FALSE);  // ZNAK
  answer({L"select all"});
  page.ReplaceOnSurface();
  ASSERT_EQ(user.moments.size(), 1u);
  EXPECT_TRUE(owner.IsWindowVisible());
  EXPECT_FALSE(AfxGetMainWnd()->IsWindowEnabled()) << "the dialog takes the input back";
  AfxGetMainWnd()->EnableWindow(TRUE);
  EXPECT_EQ(surfacePoints(CKVLSurfaceManager::Instance(0), L"Teren"),
            (std::vector<std::string>{"0,0,10", "0,50,30", "10,0,12", "10,10,12", "10,50,31", "20,0,13",
                                      "20,10,13", "25,5,13", "30,0,14", "35,5,14", "40,0,15", "40,10,17",
                                      "45,5,16", "50,5,18", "60,0,19", "60,10,20", "70,0,0", "70,10,5",
                                      "70,20,7", "80,0,1", "85,0,2", "85,5,3", "90,0,0", "90,10,0",
                                      "100,0,21", "120,0,32"}));
  page.DestroyWindow();
}

}  // namespace
}  // namespace uvtest
