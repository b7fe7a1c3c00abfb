// Points from drawing entities: what entities of the survey drawing give
// by the rules the jobs do not use, and the drawing page run by a scripted
// user where the jobs do not reach it: Replace.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DrawingFixture.h"
#include "base/TextCase.h"
#include "module/points/EntityPoints.h"
#include "module/points/dlg_UcitavanjeTocaka_Crtez.h"
#include "product/engine/CKVLSurfaceManager.h"
#include "product/engine/CUniquePointSet.h"
#include "ui/AfxWin.h"
#include "ui/CWnd.h"

namespace uvtest {
namespace {

using DrawingPageTest = DrawingFixture;

// What every kind of entity gives by the text and block rules of the
// survey job: e2e_points_drawing_add. Here the rules that job does not use.
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
      {L"TEXT", 70, 0, plain, {"70,0,0"}},
      {L"TEXT", 70, 20, plain, {"70,20,7"}},
      {L"INSERT", 90, 0, plain, {}},  // attributes, but its row is unchecked
      {L"INSERT", 90, 0, insertionPoints, {"90,0,0"}},
      {L"INSERT", 90, 10, numbers, {"90,10,7"}},
      {L"INSERT", 110, 0, elevations, {}},
      {L"INSERT", 110, 0, insertionPoints, {"110,0,22"}},
  };
  for (const Case& c : cases) {
    CUniquePointSet set;
    uv::AddEntityPoints(entityAt(c.type, c.x, c.y), c.rules, set);
    EXPECT_EQ(pointTexts(set.Points().points()), c.points) << uv::toUtf8(c.type) << " at " << c.x << "," << c.y;
  }
}

// Loading the filtered selection into a surface, a new one for an unknown
// name, none in a drawing without surfaces, nothing for a selection given
// up or empty, Close saving and Cancel not: the points_drawing jobs.

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
  ASSERT_TRUE(user.empty());
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
