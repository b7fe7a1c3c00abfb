// The contour-lines dialog run by the scripted user: which classes OK
// checks. (What it shows on opening, its enabling rules, the level lists
// and the refused intervals: e2e_contours_dialog; what it draws: the
// other contours jobs.)
#include <gtest/gtest.h>

#include <algorithm>

#include "SurfacesFixture.h"
#include "db/AcDbObjectPointer.h"
#include "db/AcDbPolyline.h"
#include "ed/ModelSpace.h"
#include "module/contours/dlg_Slojnice.h"
#include "product/engine/CKVLXsurface_Vantor2.h"
#include "product/engine/ContourTag.h"

namespace uvtest {
namespace {

struct Drawn {
  double level;
  bool major;
};

class ContourDialogTest : public SurfacesFixture {
 protected:
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

TEST_F(ContourDialogTest, AZeroMinorIntervalCountsOnlyWhileTheMinorClassIsDrawnByInterval) {
  ASSERT_EQ(run({L"set IDC_MAJOR_FROM \"150\"", L"check IDC_DRAW_MINOR on", L"set IDC_MINOR_INTERVAL \"0\"",
                 L"click IDC_MINOR_GIVEN", L"click IDOK"}),
            IDOK);
  EXPECT_EQ(drawn().size(), 1u);
}

}  // namespace
}  // namespace uvtest
