// The contour-lines dialog run by the scripted user: the level lists and
// what OK draws. (What it shows on opening, its enabling rules and the
// refused intervals: e2e_contours_dialog.)
#include <gtest/gtest.h>

#include <algorithm>

#include "SurfacesFixture.h"
#include "db/AcDbObjectPointer.h"
#include "db/AcDbPolyline.h"
#include "ed/ModelSpace.h"
#include "module/contours/dlg_Slojnice.h"
#include "product/engine/CKVLXsurface_Vantor2.h"
#include "product/engine/ContourTag.h"
#include "ui/CListCtrl.h"

namespace uvtest {
namespace {

struct Drawn {
  double level;
  bool major;
};

class ContourDialogTest : public SurfacesFixture {
 protected:
  // The major class's rows, as the last probe saw them.
  std::vector<std::wstring> majorRows;

  void SetUp() override {
    SurfacesFixture::SetUp();
    // A plane rising along x from 101.37 to 150.82: contours are the lines
    // x = (level - 101.37) / 0.4945.
    CKVLXsurface_Vantor2* s = manager()->CreateSurface(L"Teren", CKVLSurfaceManager::kDrawingStorage, nullptr, false);
    CUniquePointSet points;
    for (int i = 0; i <= 10; ++i)
      for (int j = 0; j <= 5; ++j) points.AddPoint(AcGePoint3d(i * 10.0, j * 10.0, 101.37 + 4.945 * i));
    s->SetPoints(points);
  }

  INT_PTR run(std::initializer_list<const wchar_t*> lines, const wchar_t* surface = L"Teren") {
    surfacesUser.onOpen = surfacesUser.afterAction = [this](CDialog& d) {
      majorRows.clear();
      auto* list = dynamic_cast<CListCtrl*>(d.GetDlgItem(264));
      for (int r = 0; list && r < list->GetItemCount(); ++r) majorRows.push_back(list->GetItemText(r, 0).str());
    };
    script(lines);
    dlg_Slojnice dlg;
    dlg.m_strSurfaceName = surface;
    return dlg.DoModal();
  }

  std::vector<Drawn> drawn() const {
    std::vector<Drawn> out;
    for (const AcDbObjectId& id : uv::ModelSpace::entities(doc->database())) {
      AcDbObjectPointer<AcDbPolyline> p(id, AcDb::kForRead);
      if (p.openStatus() != Acad::eOk) continue;
      const auto tag = uv::engine::contourTagOf(*p.object());
      if (!tag) continue;
      out.push_back({tag->level, tag->major});
    }
    std::sort(out.begin(), out.end(), [](const Drawn& a, const Drawn& b) { return a.level < b.level; });
    return out;
  }
};

TEST_F(ContourDialogTest, ListsTakeLevelsWithTwoDecimalsSortedByTextAndOkDrawsThem) {
  ASSERT_EQ(run({L"click IDC_MAJOR_GIVEN", L"set IDC_MAJOR_LEVEL \"130.1234\"", L"click IDC_MAJOR_ADD",
                 L"set IDC_MAJOR_LEVEL \"\"", L"click IDC_MAJOR_ADD", L"set IDC_MAJOR_LEVEL \"99.5\"",
                 L"click IDC_MAJOR_ADD", L"set IDC_MAJOR_LEVEL \"120\"", L"click IDC_MAJOR_ADD",
                 L"click IDC_MAJOR_ADD", L"click IDCANCEL"}),
            IDCANCEL);
  // Compared as texts; a level twice is two rows.
  EXPECT_EQ(majorRows, (std::vector<std::wstring>{L"0.00", L"120.00", L"120.00", L"130.12", L"99.50"}));
  // OK draws the rows' levels: 130.12, not 130.1234. (Deleting rows: e2e_contours_edges.)
  ASSERT_EQ(run({L"click IDC_MAJOR_GIVEN", L"set IDC_MAJOR_LEVEL \"130.1234\"", L"click IDC_MAJOR_ADD",
                 L"set IDC_MAJOR_LEVEL \"120\"", L"click IDC_MAJOR_ADD", L"click IDOK"}),
            IDOK);
  const std::vector<Drawn> lines = drawn();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].level, 120.0);
  EXPECT_EQ(lines[1].level, 130.12);
}

TEST_F(ContourDialogTest, AZeroMinorIntervalCountsOnlyWhileTheMinorClassIsDrawnByInterval) {
  ASSERT_EQ(run({L"set IDC_MAJOR_FROM \"150\"", L"check IDC_DRAW_MINOR on", L"set IDC_MINOR_INTERVAL \"0\"",
                 L"click IDC_MINOR_GIVEN", L"click IDOK"}),
            IDOK);
  EXPECT_EQ(drawn().size(), 1u);
}

}  // namespace
}  // namespace uvtest
