// The contour-labels dialog run by the scripted user: picking the path,
// the temporary lines, and the labels, wipeouts, path and group of OK.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/module/DrawingGroups.h"
#include "SurfacesFixture.h"
#include "db/AcDbLine.h"
#include "db/AcDbObjectPointer.h"
#include "db/AcDbPolyline.h"
#include "db/AcDbText.h"
#include "db/AcDbWipeout.h"
#include "ed/ModelSpace.h"
#include "module/contours/dlg_SlojniceOznacavanje.h"
#include "product/engine/CKVLIzoLineManager.h"
#include "product/engine/CKVLXsurface_Vantor2.h"
#include "product/engine/ContourTag.h"
#include "ui/CListCtrl.h"

namespace uvtest {
namespace {

// What model space holds, by kind.
struct Census {
  int contours = 0, paths = 0, lines = 0, wipeouts = 0;
  std::vector<std::wstring> texts;
};

class LabelDialogTest : public SurfacesFixture {
 protected:
  std::vector<std::wstring> rows;
  AcGePoint3dArray path;

  void SetUp() override {
    SurfacesFixture::SetUp();
    // z = x over 0..100 by 0..50: the contour of level L is the line x = L.
    CKVLXsurface_Vantor2* s = manager()->CreateSurface(L"Teren", CKVLSurfaceManager::kDrawingStorage, nullptr, false);
    CUniquePointSet points;
    for (int i = 0; i <= 10; ++i)
      for (int j = 0; j <= 5; ++j) points.AddPoint(AcGePoint3d(i * 10.0, j * 10.0, i * 10.0));
    s->SetPoints(points);
    CKVLIzoLineManager contours;
    contours.Surface(s);
    AcDbObjectIdArray ids;
    for (double level : {20.0, 40.0, 60.0}) contours.Create(level, 1, ids, 0);
  }

  INT_PTR run(std::initializer_list<const wchar_t*> lines, const wchar_t* surface = L"Teren") {
    surfacesUser.onOpen = surfacesUser.afterAction = [this](CDialog& d) {
      rows.clear();
      auto* list = dynamic_cast<CListCtrl*>(d.GetDlgItem(200));
      for (int r = 0; list && r < list->GetItemCount(); ++r) rows.push_back(list->GetItemText(r, 0).str());
    };
    script(lines);
    dlg_SlojniceOznacavanje dlg;
    dlg.m_strSurfaceName = surface;
    const INT_PTR result = dlg.DoModal();
    path = dlg.m_labelPath;
    return result;
  }

  Census census() const {
    Census c;
    for (const AcDbObjectId& id : uv::ModelSpace::entities(doc->database())) {
      AcDbObjectPointer<AcDbEntity> e(id, AcDb::kForRead);
      if (auto* p = AcDbPolyline::cast(e.object())) (uv::engine::contourTagOf(*p) ? c.contours : c.paths)++;
      else if (AcDbLine::cast(e.object())) ++c.lines;
      else if (AcDbWipeout::cast(e.object())) ++c.wipeouts;
      else if (auto* t = AcDbText::cast(e.object())) c.texts.push_back(t->textStringConst());
    }
    std::sort(c.texts.begin(), c.texts.end());
    return c;
  }

  std::vector<int> groupSizes() const {
    std::vector<int> out;
    for (const AcDbObjectIdArray& members : groupsOf(doc->database())) out.push_back(members.length());
    return out;
  }
};

TEST_F(LabelDialogTest, PickingShowsThePathAndErasesItsTemporaryLines) {
  ASSERT_EQ(run({L"click IDC_PICK_PATH", L"point 10,20", L"point 30,20", L"point 30,40", L"enter",
                 L"click IDCANCEL"}),
            IDCANCEL);
  EXPECT_EQ(rows, (std::vector<std::wstring>{L"10.00; 20.00", L"30.00; 20.00", L"30.00; 40.00"}));
  Census c = census();
  EXPECT_EQ(c.lines, 0);  // the rubber band's segments are gone
  EXPECT_EQ(c.paths, 0);  // Cancel draws no path
  EXPECT_TRUE(c.texts.empty());

  // A new path of one point leaves the old one; Escape ends a path like Enter, lines erased.
  ASSERT_EQ(run({L"click IDC_PICK_PATH", L"point 10,20", L"point 30,20", L"enter", L"click IDC_PICK_PATH",
                 L"point 5,5", L"enter", L"click IDC_PICK_PATH", L"cancel", L"click IDCANCEL"}),
            IDCANCEL);
  EXPECT_EQ(rows, (std::vector<std::wstring>{L"10.00; 20.00", L"30.00; 20.00"}));
  ASSERT_EQ(path.length(), 2);
  ASSERT_EQ(run({L"click IDC_PICK_PATH", L"point 1.234,-5.678", L"point 2,3", L"point 4,5", L"cancel",
                 L"click IDCANCEL"}),
            IDCANCEL);
  EXPECT_EQ(rows, (std::vector<std::wstring>{L"1.23; -5.68", L"2.00; 3.00", L"4.00; 5.00"}));
  EXPECT_EQ(census().lines, 0);
}

// Labels on masks at every crossing, the path kept and the labels grouped:
// e2e_contours_hill.
TEST_F(LabelDialogTest, OkWithoutCrossingsStillMakesTheAskedGroupEmpty) {
  ASSERT_EQ(run({L"click IDC_PICK_PATH", L"point 70,10", L"point 90,40", L"enter", L"check IDC_GROUP on",
                 L"click IDOK"}),
            IDOK);
  const Census c = census();
  EXPECT_TRUE(c.texts.empty());
  EXPECT_EQ(c.paths, 1);
  EXPECT_EQ(groupSizes(), (std::vector<int>{0}));

  // No path at all: nothing drawn, and no group unless asked.
  ASSERT_EQ(run({L"click IDOK"}), IDOK);
  EXPECT_EQ(census().paths, 1);
  EXPECT_EQ(groupSizes().size(), 1u);
}

TEST_F(LabelDialogTest, ASurfaceThatIsNotThereLabelsNothingButDrawsThePath) {
  ASSERT_EQ(run({L"click IDC_PICK_PATH", L"point 10,10", L"point 50,20", L"enter", L"click IDOK"}, L"Elsewhere"),
            IDOK);
  const Census c = census();
  EXPECT_TRUE(c.texts.empty());
  EXPECT_EQ(c.paths, 1);
}

}  // namespace
}  // namespace uvtest
