// The new-surface dialog: the name checks and the storage choice with its
// file field.
#include <gtest/gtest.h>

#include "SurfacesFixture.h"
#include "module/surfaces/dlg_NovaPloha.h"

namespace uvtest {
namespace {

using NewSurfaceTest = SurfacesFixture;

// (Empty and taken names refused, the focus back on the name, a pasted "#"
// dropped: e2e_surfaces_manager.)
TEST_F(NewSurfaceTest, LetterCaseMakesAnotherName) {
  dlg_NovaPloha dlg;
  dlg.AddTakenName(L"Teren");
  script({L"set IDC_NAME \"teren\"", L"click IDOK"});
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_strName, CString(L"teren"));
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
