// The contour-labels dialog run by the scripted user: the path and group
// of OK where no job reaches. (Picking the path and its temporary lines:
// e2e_contours_dialog.)
#include <gtest/gtest.h>

#include <cmath>

#include "tests/module/DrawingGroups.h"
#include "SurfacesFixture.h"
#include "db/AcDbObjectPointer.h"
#include "db/AcDbPolyline.h"
#include "db/AcDbText.h"
#include "ed/ModelSpace.h"
#include "module/contours/dlg_SlojniceOznacavanje.h"
#include "product/engine/CKVLIzoLineManager.h"
#include "product/engine/CKVLXsurface_Vantor2.h"
#include "product/engine/ContourTag.h"

namespace uvtest {
namespace {

// What model space holds, by kind.
struct Census {
  int contours = 0, paths = 0;
  std::vector<std::wstring> texts;
};

class LabelDialogTest : public SurfacesFixture {
 protected:
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
    script(lines);
    dlg_SlojniceOznacavanje dlg;
    dlg.m_strSurfaceName = surface;
    return dlg.DoModal();
  }

  Census census() const {
    Census c;
    for (const AcDbObjectId& id : uv::ModelSpace::entities(doc->database())) {
      AcDbObjectPointer<AcDbEntity> e(id, AcDb::kForRead);
      if (auto* p = AcDbPolyline::cast(e.object())) (uv::engine::contourTagOf(*p) ? c.contours : c.paths)++;
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
