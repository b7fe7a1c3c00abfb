// The load-points frame: the windows around a selection.
#include <gtest/gtest.h>

#include "DrawingFixture.h"
#include "module/points/dlg_UcitavanjeTocaka.h"
#include "ui/AfxWin.h"

namespace uvtest {
namespace {

using LoadPointsDialogTest = DrawingFixture;

// (The pages, found by their titles, the hidden help button and the
// drawing page's sorted layers: e2e_points_drawing_add and the other point jobs.)
TEST_F(LoadPointsDialogTest, TheDialogStepsAsideForEverySelectionAndComesBack) {
  answer({L"click IDC_TYPES_FROM_SAMPLE", L"cancel", L"click IDC_LAYERS_FROM_SAMPLE", L"select all",
          L"click IDC_ADD", L"select none", L"click IDCANCEL"});
  std::vector<bool> focusBack;  // after each selection
  user.afterAction = [&](CDialog& d) {
    CWnd* f = CWnd::GetFocus();
    while (f && f != &d) f = f->GetParent();
    focusBack.push_back(f == &d);
  };
  dlg_UcitavanjeTocaka dialog;
  dialog.m_strSurfaceName = L"Teren";
  // A hidden dialog would refuse the clicks after the first selection.
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_TRUE(user.empty());
  EXPECT_EQ(focusBack, (std::vector<bool>{true, true, true}));
  ASSERT_EQ(user.moments.size(), 3u);
  for (const SelectionMoment& m : user.moments) {
    EXPECT_FALSE(m.dialogVisible);
    EXPECT_TRUE(m.mainEnabled);
  }
  EXPECT_TRUE(AfxGetMainWnd()->IsWindowEnabled()) << "the host's window is given back when the dialog ends";
}

}  // namespace
}  // namespace uvtest
