// The new-surface dialog: the name checks and the storage choice with its
// file field.
#include <gtest/gtest.h>

#include "SurfacesFixture.h"
#include "module/surfaces/dlg_NovaPloha.h"
#include "product/giscore/CModuleConfiguration.h"

namespace uvtest {
namespace {

using NewSurfaceTest = SurfacesFixture;

TEST_F(NewSurfaceTest, EmptyAndTakenNamesAreRefusedWithTheFocusOnTheName) {
  dlg_NovaPloha dlg;
  dlg.AddTakenName(L"Teren");
  bool nameFocused = true;
  int probes = 0;
  surfacesUser.onOpen = surfacesUser.afterAction = [&](CDialog& d) {
    // The person typed the description last; after each refused OK the focus is back on the name.
    if (++probes == 2 || probes == 5) d.GetDlgItem(254)->SetFocus();
    if (probes == 3 || probes == 6) nameFocused = nameFocused && CWnd::GetFocus() == d.GetDlgItem(250);
  };
  script({L"set IDC_DESCRIPTION \"Survey 2014\"", L"click IDOK", L"answer ok", L"set IDC_NAME \"Teren\"",
          L"set IDC_DESCRIPTION \"Survey 2014\"", L"click IDOK", L"answer ok", L"set IDC_NAME \"te#ren\"",
          L"click IDOK"});
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_TRUE(nameFocused);
  EXPECT_EQ(surfacesUser.messages,
            (std::vector<std::wstring>{CModuleConfiguration::GetMsg(3227).str(), CModuleConfiguration::GetMsg(4991).str()}));
  // Letter case makes another name; the pasted "#" was dropped.
  EXPECT_EQ(dlg.m_strName, CString(L"teren"));
  EXPECT_EQ(dlg.m_strDescription, CString(L"Survey 2014"));
  EXPECT_EQ(dlg.m_nStorage, 0);
}

// The field is enabled only for a surface kept in a file
// (e2e_surfaces_file_field_disabled), offers the drawing's own .kvb
// (e2e_files_new_over_existing) and its browse button asks for a file to
// save, which takes the extension.
TEST_F(NewSurfaceTest, TheBrowsedFileTakesTheExtension) {
  dlg_NovaPloha inFile;
  script({L"set IDC_NAME \"N\"", L"click IDC_IN_FILE", L"click IDC_FILE", L"file \"/data/other\"", L"click IDOK"});
  ASSERT_EQ(inFile.DoModal(), IDOK);
  EXPECT_EQ(inFile.m_nStorage, 1);
  EXPECT_EQ(inFile.m_strFilePath, CString(L"/data/other.kvb"));
}

}  // namespace
}  // namespace uvtest
