// The show-surface dialog's zoom. (The enabling rules and refused spacings:
// e2e_display_dialog; what OK draws each way and the progress it shows:
// e2e_display_lattice; boundary rings: e2e_display_rings; polygons, the
// current view and spacings from a rectangle: e2e_display_show_survey.)
#include <gtest/gtest.h>

#include "SurfacesFixture.h"
#include "module/display/dlg_PrikazPlohe.h"

namespace uvtest {
namespace {

using ShowDialogTest = SurfacesFixture;

TEST_F(ShowDialogTest, ZoomShowsTheSurfaceAndWaitsForEnter) {
  makeSurface(L"Teren");
  script({L"click IDC_ZOOM", L"enter", L"click IDCANCEL"});
  dlg_PrikazPlohe dlg;
  dlg.m_strSurfaceName = L"Teren";
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_NEAR(doc->view().centre().x, 5, 1e-9);
  EXPECT_NEAR(doc->view().centre().y, 5, 1e-9);
}

}  // namespace
}  // namespace uvtest
